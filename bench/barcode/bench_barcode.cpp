// Encodings per second of TBarcode (barcode/encoder) against libzint's
// ZBarcode_Encode on the same texts, in the same run: EAN-13, Code 128 B, Code 39.
// Both sides produce the module pattern only (no rendering, no file). Before the
// timing, the first texts are checked to give the same modules on both sides.
// Run a Release build: bench_barcode [seconds per measurement, default 0.5]

#include "barcode/encoder/barcode.h"

#include <zint.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Rng {
    std::uint64_t s;
    std::uint64_t next()
    {
        std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::string from(const std::string& alphabet, int n)
    {
        std::string t;
        for (int i = 0; i < n; ++i)
            t += alphabet[next() % alphabet.size()];
        return t;
    }
};

struct Case {
    const char* name;
    TBarcodeType typ;
    int zintSymbology;
    std::vector<std::string> texts;
};

struct ZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

std::string zintModules(const zint_symbol* s)
{
    std::string out;
    for (int x = 0; x < s->width; ++x)
        out += (s->encoded_data[0][x >> 3] >> (x & 7)) & 1 ? '1' : '0';
    return out;
}

std::string ourModules(TBarcode& b, const std::string& data)
{
    std::string out;
    for (char c : data) {
        int w = 0;
        TBarLineType lt{};
        b.OneBarProps(c, w, lt);
        out.append(static_cast<std::size_t>(w), lt == TBarLineType::Space ? '0' : '1');
    }
    while (!out.empty() && out.back() == '0')
        out.pop_back();
    return out;
}

// Runs one pass over all texts as often as fits in the time; encodings per second.
template <typename Pass>
double rate(std::size_t perPass, double seconds, Pass&& pass)
{
    pass();  // warm up
    std::size_t done = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        pass();
        done += perPass;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    return static_cast<double>(done) / elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.5;
    constexpr int kTexts = 10000;

    std::string printable;
    for (int c = ' '; c <= '~'; ++c)
        printable += static_cast<char>(c);
    Rng rng{2024};
    std::vector<Case> cases = {
        {"EAN-13 (12 digits + check)", bcCodeEAN13, BARCODE_EANX, {}},
        {"Code 128 B (10-20 chars)", bcCode128B, BARCODE_CODE128B, {}},
        {"Code 39 (10-20 chars)", bcCode39, BARCODE_CODE39, {}},
    };
    for (int i = 0; i < kTexts; ++i) {
        cases[0].texts.push_back(rng.from("0123456789", 12));
        cases[1].texts.push_back(rng.from(printable, 10 + static_cast<int>(rng.next() % 11)));
        cases[2].texts.push_back(rng.from("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%",
                                          10 + static_cast<int>(rng.next() % 11)));
    }

    std::printf("%-28s %16s %16s %16s %8s\n", "symbology", "ours/s", "ours (alloc)/s", "zint/s",
                "ratio");
    bool allAgree = true;
    for (Case& c : cases) {
        TBarcode b;
        b.SetTyp(c.typ);
        b.SetChecksum(c.typ == bcCodeEAN13);  // EAN-13 from 12 digits, as zint does
        std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
        symbol->symbology = c.zintSymbology;

        // Same modules on both sides for the first texts.
        int agree = 0;
        const int checked = 200;
        for (int i = 0; i < checked; ++i) {
            b.SetText(c.texts[i]);
            const std::string ours = ourModules(b, b.MakeData());
            ZBarcode_Clear(symbol.get());
            const auto* src = reinterpret_cast<const unsigned char*>(c.texts[i].data());
            if (ZBarcode_Encode(symbol.get(), src, static_cast<int>(c.texts[i].size())) < ZINT_ERROR)
                agree += ours == zintModules(symbol.get());
        }
        allAgree = allAgree && agree == checked;

        std::size_t sink = 0;
        std::string out;
        const double ours = rate(c.texts.size(), seconds, [&] {
            for (const std::string& t : c.texts) {
                b.SetText(t);
                b.MakeData(out);
                sink += out.size();
            }
        });
        const double oursAlloc = rate(c.texts.size(), seconds, [&] {
            for (const std::string& t : c.texts) {
                b.SetText(t);
                sink += b.MakeData().size();
            }
        });
        int failures = 0;
        const double zint = rate(c.texts.size(), seconds, [&] {
            for (const std::string& t : c.texts) {
                ZBarcode_Clear(symbol.get());
                const auto* src = reinterpret_cast<const unsigned char*>(t.data());
                if (ZBarcode_Encode(symbol.get(), src, static_cast<int>(t.size())) >= ZINT_ERROR)
                    ++failures;
                sink += static_cast<std::size_t>(symbol->width);
            }
        });
        std::printf("%-28s %16.0f %16.0f %16.0f %7.1fx   (modules agree %d/%d%s)\n", c.name, ours,
                    oursAlloc, zint, ours / zint, agree, checked,
                    failures ? ", zint refused some texts" : "");
        if (sink == 42)
            std::printf(" ");  // keeps the work observable
    }
    return allAgree ? 0 : 1;
}
