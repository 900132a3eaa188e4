#pragma once
// Helpers of the barcode tests: module patterns of element strings, a fixed
// pseudo-random source, the outside tools (zint, zbarimg, ZXingReader) and
// rendered images. Only the tests use Qt; the encoder does not.

#include "barcode/encoder/barcode.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bctest {

// The element string expanded to one character per pixel by the barcode's
// current Modules(): '0' space, '1' bar, '2' short bar.
std::string modulePattern(const TBarcode& barcode, std::string_view elements);

// MakeData, then modulePattern.
std::string encodeModules(TBarcode& barcode);

// A pattern without its trailing spaces (zint pads its dump to whole hex digits).
std::string trimTrailingSpaces(std::string pattern);

// A deterministic generator (splitmix64): the same inputs on every machine.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    std::string digits(int n);
    std::string from(std::string_view alphabet, int n);

private:
    std::uint64_t m_state;
};

// The ASCII characters from first to last in code order, without those in leftOut.
std::string asciiRange(int first, int last, std::string_view leftOut = {});

// The standard's characters of Code 39 and Code 93 in check-value order.
inline constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// The path of an outside tool, or an empty string when it is not installed.
QString toolPath(const QString& name);

struct ToolRun {
    bool started = false;
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a tool to its end (60 s at most).
ToolRun runTool(const QString& program, const QStringList& args);

// zint's module rows for many inputs in one run (--batch --dump). escape: the
// inputs are written as \xNN escapes (--esc), so any ASCII code can be given.
// Returns per input its rows of '0'/'1' (rowsPerSymbol of them); on failure an
// empty list and the reason in error.
std::vector<std::vector<std::string>> zintRows(const QString& zint, const QString& symbology,
                                               const std::vector<std::string>& inputs,
                                               const QStringList& extraArgs, bool escape,
                                               int rowsPerSymbol, QString* error);

// The symbols zbarimg finds in a picture file, each as "TYPE:data" ("EAN-13:4006381333931").
QStringList zbarSymbols(const QString& imagePath);

// Writes a grey-scale PNG of a module pattern ('0' white, else black), each pattern
// character scale pixels wide, with a quiet zone of quiet pattern characters on
// each side and above and below; height in pixels.
bool writePng(const QString& path, const std::string& pattern, int quiet, int height, int scale = 1);

// Whether six UPC-E digits are in the standard's form (the last digit 3 needs a
// third digit above 2, 4 a fourth digit not 0, 5 to 9 a fifth digit not 0).
bool upcEStandardForm(std::string_view six);

// The standard check digit of a UPC-E symbol (over its UPC-A expansion).
char upcEStandardCheck(char ns, std::string_view six);

// The standard Code 39 full-ASCII decoding of a Code 39 text ("+A" -> "a", "/M" -> "-").
std::string code39FullAsciiDecode(std::string_view raw);

} // namespace bctest
