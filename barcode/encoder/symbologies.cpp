// The 23 encoders of TBarcode. The code tables are written once in
// the standards' own notation (wide/narrow flags, module counts) and turned into
// element codes at compile time, so the element strings never need transcribing.

#include "barcode/encoder/barcode.h"
#include "barcode/encoder/barcode_texts.h"

#include <array>

namespace {

// ---- compile-time helpers ---------------------------------------------------

// A fixed pattern of element codes.
template <std::size_t N>
struct Pattern {
    std::array<char, N> c{};
    constexpr std::string_view view() const { return {c.data(), N}; }
};

// Module counts "1".."4", alternating bar and space from a bar (ConvertModuleCounts).
template <std::size_t N>
constexpr Pattern<N> fromCounts(const char (&counts)[N + 1])
{
    Pattern<N> p;
    for (std::size_t i = 0; i < N; ++i)
        p.c[i] = static_cast<char>(counts[i] - 1 + (i % 2 == 0 ? 5 : 0));
    return p;
}

inline void append(std::string& out, std::string_view s) { out.append(s); }

int digit(char c)
{
    if (c < '0' || c > '9')
        throw EConvertError(BarcodeText::format(BarcodeText::NotAnInteger, std::string_view(&c, 1)));
    return c - '0';
}

// ---- two of five ------------------------------------------------------------

constexpr const char* kTwoOfFive[10] = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010",
};

// ---- Code 39 ----------------------------------------------------------------

struct Code39Row {
    char ch;
    char flags[10];  // bar space bar space bar space bar space bar, "1" wide
    int value;
};

constexpr Code39Row kCode39Rows[44] = {
    {'0', "000110100", 0},  {'1', "100100001", 1},  {'2', "001100001", 2},
    {'3', "101100000", 3},  {'4', "000110001", 4},  {'5', "100110000", 5},
    {'6', "001110000", 6},  {'7', "000100101", 7},  {'8', "100100100", 8},
    {'9', "001100100", 9},  {'A', "100001001", 10}, {'B', "001001001", 11},
    {'C', "101001000", 12}, {'D', "000011001", 13}, {'E', "100011000", 14},
    {'F', "001011000", 15}, {'G', "000001101", 16}, {'H', "100001100", 17},
    {'I', "001001100", 18}, {'J', "000011100", 19}, {'K', "100000011", 20},
    {'L', "001000011", 21}, {'M', "101000010", 22}, {'N', "000010011", 23},
    {'O', "100010010", 24}, {'P', "001010010", 25}, {'Q', "000000111", 26},
    {'R', "100000110", 27}, {'S', "001000110", 28}, {'T', "000010110", 29},
    {'U', "110000001", 30}, {'V', "011000001", 31}, {'W', "111000000", 32},
    {'X', "010010001", 33}, {'Y', "110010000", 34}, {'Z', "011010000", 35},
    {'-', "010000101", 36}, {'.', "110000100", 37}, {' ', "011000100", 38},
    {'*', "010010100", 0},  {'$', "010101000", 39}, {'/', "010100010", 40},
    {'+', "010001010", 41}, {'%', "000101010", 42},
};

struct Code39Table {
    std::array<Pattern<10>, 44> pattern{};  // the row's 9 codes and the gap "0"
    std::array<signed char, 256> rowOf{};   // character -> row, -1 when absent
    std::array<signed char, 43> rowOfValue{};  // check value -> first row carrying it
    std::array<int, 44> value{};               // row -> check value
};

constexpr Code39Table makeCode39()
{
    Code39Table t;
    for (auto& r : t.rowOf)
        r = -1;
    for (auto& r : t.rowOfValue)
        r = -1;
    for (int i = 0; i < 44; ++i) {
        const Code39Row& row = kCode39Rows[i];
        for (int k = 0; k < 9; ++k)
            t.pattern[i].c[k] = static_cast<char>((k % 2 == 0 ? '5' : '0') + (row.flags[k] == '1'));
        t.pattern[i].c[9] = '0';
        t.value[i] = row.value;
        auto& slot = t.rowOf[static_cast<unsigned char>(row.ch)];
        if (slot < 0)
            slot = static_cast<signed char>(i);
        if (t.rowOfValue[row.value] < 0)
            t.rowOfValue[row.value] = static_cast<signed char>(i);
    }
    return t;
}

constexpr Code39Table kCode39 = makeCode39();
constexpr int kCode39Star = 39;

// Full ASCII substitutions of Code 39, by character code 0..127. Here "-" and
// "." are written "/M" and "/N" (the standard keeps them as themselves).
constexpr const char* kCode39Ascii[128] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "/M", "/N", "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",
};

// ---- Code 128 ---------------------------------------------------------------

constexpr const char* kCode128Counts[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232",
};
constexpr int kCode128Fnc1 = 102;
constexpr int kCode128StartA = 103;
constexpr int kCode128StartB = 104;
constexpr int kCode128StartC = 105;

constexpr std::array<Pattern<6>, 106> makeCode128()
{
    std::array<Pattern<6>, 106> t{};
    for (int v = 0; v < 106; ++v)
        for (int k = 0; k < 6; ++k)
            t[v].c[k] = static_cast<char>(kCode128Counts[v][k] - 1 + (k % 2 == 0 ? 5 : 0));
    return t;
}

constexpr std::array<Pattern<6>, 106> kCode128 = makeCode128();
constexpr Pattern<7> kCode128Stop = fromCounts<7>("2331112");

// ---- Code 93 ----------------------------------------------------------------

struct Code93Row {
    char ch;
    char counts[7];
};

// Value order; the four shift characters written "[" ($), "]" (%), "{" (/), "}" (+).
constexpr Code93Row kCode93Rows[47] = {
    {'0', "131112"}, {'1', "111213"}, {'2', "111312"}, {'3', "111411"}, {'4', "121113"},
    {'5', "121212"}, {'6', "121311"}, {'7', "111114"}, {'8', "131211"}, {'9', "141111"},
    {'A', "211113"}, {'B', "211212"}, {'C', "211311"}, {'D', "221112"}, {'E', "221211"},
    {'F', "231111"}, {'G', "112113"}, {'H', "112212"}, {'I', "112311"}, {'J', "122112"},
    {'K', "132111"}, {'L', "111123"}, {'M', "111222"}, {'N', "111321"}, {'O', "121122"},
    {'P', "131121"}, {'Q', "212112"}, {'R', "212211"}, {'S', "211122"}, {'T', "211221"},
    {'U', "221121"}, {'V', "222111"}, {'W', "112122"}, {'X', "112221"}, {'Y', "122121"},
    {'Z', "123111"}, {'-', "121131"}, {'.', "311112"}, {' ', "311211"}, {'$', "321111"},
    {'/', "112131"}, {'+', "113121"}, {'%', "211131"}, {'[', "121221"}, {']', "312111"},
    {'{', "311121"}, {'}', "122211"},
};

struct Code93Table {
    std::array<Pattern<6>, 47> pattern{};
    std::array<signed char, 256> valueOf{};  // character -> value, -1 when absent
};

constexpr Code93Table makeCode93()
{
    Code93Table t;
    for (auto& v : t.valueOf)
        v = -1;
    for (int i = 0; i < 47; ++i) {
        for (int k = 0; k < 6; ++k)
            t.pattern[i].c[k] = static_cast<char>(kCode93Rows[i].counts[k] - 1 + (k % 2 == 0 ? 5 : 0));
        t.valueOf[static_cast<unsigned char>(kCode93Rows[i].ch)] = static_cast<signed char>(i);
    }
    return t;
}

constexpr Code93Table kCode93 = makeCode93();
constexpr Pattern<6> kCode93Start = fromCounts<6>("111141");
constexpr Pattern<7> kCode93Stop = fromCounts<7>("1111411");

// Full ASCII substitutions of Code 93, shifts written as in kCode93Rows. Here
// "-" and "." are written "{M" and "{N" (the standard keeps them as themselves).
constexpr const char* kCode93Ascii[128] = {
    "]U", "[A", "[B", "[C", "[D", "[E", "[F", "[G", "[H", "[I", "[J", "[K", "[L", "[M", "[N", "[O",
    "[P", "[Q", "[R", "[S", "[T", "[U", "[V", "[W", "[X", "[Y", "[Z", "]A", "]B", "]C", "]D", "]E",
    " ",  "{A", "{B", "{C", "{D", "{E", "{F", "{G", "{H", "{I", "{J", "{K", "{L", "{M", "{N", "{O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "{Z", "]F", "]G", "]H", "]I", "]J",
    "]V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "]K", "]L", "]M", "]N", "]O",
    "]W", "}A", "}B", "}C", "}D", "}E", "}F", "}G", "}H", "}I", "}J", "}K", "}L", "}M", "}N", "}O",
    "}P", "}Q", "}R", "}S", "}T", "}U", "}V", "}W", "}X", "}Y", "}Z", "]P", "]Q", "]R", "]S", "]T",
};

// ---- MSI, PostNet, Codabar --------------------------------------------------

constexpr std::array<Pattern<8>, 10> makeMsi()
{
    std::array<Pattern<8>, 10> t{};
    for (int d = 0; d < 10; ++d)
        for (int bit = 0; bit < 4; ++bit) {
            const bool one = (d >> (3 - bit)) & 1;
            t[d].c[bit * 2] = one ? '6' : '5';
            t[d].c[bit * 2 + 1] = one ? '0' : '1';
        }
    return t;
}

constexpr std::array<Pattern<8>, 10> kMsi = makeMsi();

// PostNet digits, "1" a full bar; each bar is followed by the space "1".
constexpr const char* kPostNetBars[10] = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

constexpr std::array<Pattern<10>, 10> makePostNet()
{
    std::array<Pattern<10>, 10> t{};
    for (int d = 0; d < 10; ++d)
        for (int k = 0; k < 5; ++k) {
            t[d].c[k * 2] = kPostNetBars[d][k] == '1' ? '5' : 'A';
            t[d].c[k * 2 + 1] = '1';
        }
    return t;
}

constexpr std::array<Pattern<10>, 10> kPostNet = makePostNet();

struct CodabarRow {
    char ch;
    char flags[8];  // bar space bar space bar space bar, "1" wide
};

constexpr CodabarRow kCodabarRows[20] = {
    {'1', "0000110"}, {'2', "0001001"}, {'3', "1100000"}, {'4', "0010010"}, {'5', "1000010"},
    {'6', "0100001"}, {'7', "0100100"}, {'8', "0110000"}, {'9', "1001000"}, {'0', "0000011"},
    {'-', "0001100"}, {'$', "0011000"}, {':', "1000101"}, {'/', "1010001"}, {'.', "1010100"},
    {'+', "0010101"}, {'A', "0011010"}, {'B', "0101001"}, {'C', "0001011"}, {'D', "0001110"},
};

struct CodabarTable {
    std::array<Pattern<8>, 20> pattern{};  // 7 codes and the gap "0"
    std::array<signed char, 256> rowOf{};
};

constexpr CodabarTable makeCodabar()
{
    CodabarTable t;
    for (auto& r : t.rowOf)
        r = -1;
    for (int i = 0; i < 20; ++i) {
        for (int k = 0; k < 7; ++k)
            t.pattern[i].c[k] =
                static_cast<char>((k % 2 == 0 ? '5' : '0') + (kCodabarRows[i].flags[k] == '1'));
        t.pattern[i].c[7] = '0';
        t.rowOf[static_cast<unsigned char>(kCodabarRows[i].ch)] = static_cast<signed char>(i);
    }
    return t;
}

constexpr CodabarTable kCodabar = makeCodabar();
constexpr int kCodabarA = 16;
constexpr int kCodabarB = 17;

// ---- EAN / UPC --------------------------------------------------------------

// The standard's element widths of each digit in set A (L): space, bar, space, bar.
constexpr const char* kEanWidths[10] = {
    "3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112",
};

struct EanSets {
    std::array<Pattern<4>, 10> a{}, b{}, c{};
};

constexpr EanSets makeEanSets()
{
    EanSets t;
    for (int d = 0; d < 10; ++d)
        for (int k = 0; k < 4; ++k) {
            const int w = kEanWidths[d][k] - '0';
            // A: space, bar, space, bar. C (R): the same widths as bar, space, ...
            t.a.at(d).c.at(k) = static_cast<char>(k % 2 == 0 ? '0' + w - 1 : '5' + w - 1);
            t.c.at(d).c.at(k) = static_cast<char>(k % 2 == 0 ? '5' + w - 1 : '0' + w - 1);
        }
    for (int d = 0; d < 10; ++d)
        for (int k = 0; k < 4; ++k)
            t.b.at(d).c.at(k) = t.c.at(d).c.at(3 - k);  // set B is set C read backwards
    return t;
}

constexpr EanSets kEan = makeEanSets();

constexpr const char* kEan13Parity[10] = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB", "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

// UPC-E number system 0 parity by check digit: "E" even (set B), "o" odd (set A).
constexpr const char* kUpcEParity[10] = {
    "EEEooo", "EEoEoo", "EEooEo", "EEoooE", "EoEEoo", "EooEEo", "EoooEE", "EoEoEo", "EoEooE", "EooEoE",
};

// Self-checks of the generated tables against known patterns.
static_assert(kCode39.pattern[0].view() == "5051606050");
static_assert(kCode39.rowOfValue[0] == 0 && kCode39.rowOf['*'] == kCode39Star);
static_assert(kMsi[1].view() == "51515160");
static_assert(kPostNet[0].view() == "5151A1A1A1" && kPostNet[1].view() == "A1A1A15151");
static_assert(kCodabar.pattern[9].view() == "50505160");
static_assert(kCodabar.rowOf['A'] == kCodabarA && kCodabar.rowOf['B'] == kCodabarB);
static_assert(kEan.a[0].view() == "2605" && kEan.b[0].view() == "0517" && kEan.c[0].view() == "7150");
static_assert(kCode128[kCode128Fnc1].view() == fromCounts<6>("411131").view());

// Text with each character replaced by its full-ASCII substitution from table;
// codes 128 and above are dropped. Text itself is left unchanged.
std::string fullAscii(const std::string& text, const char* const (&table)[128])
{
    std::string substituted;
    substituted.reserve(text.size() * 2);
    for (char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        if (code < 128)
            substituted += table[code];
    }
    return substituted;
}

} // namespace

// ---- two of five ------------------------------------------------------------

void TBarcode::Code_2_5_interleaved(std::string& out) const
{
    out.reserve(out.size() + 7 + FText.size() * 5);
    append(out, "5050");
    for (std::size_t i = 0; i + 1 < FText.size(); i += 2) {
        const char* bars = kTwoOfFive[digit(FText[i])];
        const char* spaces = kTwoOfFive[digit(FText[i + 1])];
        for (int j = 0; j < 5; ++j) {
            out += bars[j] == '1' ? '6' : '5';
            out += spaces[j] == '1' ? '1' : '0';
        }
    }
    append(out, "605");
}

void TBarcode::Code_2_5_industrial(std::string& out) const
{
    out.reserve(out.size() + 12 + FText.size() * 10);
    append(out, "606050");
    for (char ch : FText) {
        const char* flags = kTwoOfFive[digit(ch)];
        for (int j = 0; j < 5; ++j)
            append(out, flags[j] == '1' ? "60" : "50");
    }
    append(out, "605060");
}

void TBarcode::Code_2_5_matrix(std::string& out) const
{
    out.reserve(out.size() + 11 + FText.size() * 6);
    append(out, "705050");
    for (char ch : FText) {
        const char* flags = kTwoOfFive[digit(ch)];
        for (int j = 0; j < 5; ++j) {
            char c = flags[j] == '1' ? '1' : '0';
            if (j % 2 == 0)  // flags 1, 3, 5 are bars
                c = static_cast<char>(c + 5);
            out += c;
        }
        out += '0';
    }
    append(out, "70505");
}

// ---- Code 39 ----------------------------------------------------------------

void TBarcode::Code_39Data(std::string& out, std::string_view text) const
{
    out.reserve(out.size() + 30 + text.size() * 10);
    append(out, kCode39.pattern[kCode39Star].view());
    int checksum = 0;
    for (char ch : text) {
        const int row = kCode39.rowOf[static_cast<unsigned char>(ch)];
        if (row < 0)
            continue;  // not in the table: skipped
        append(out, kCode39.pattern[row].view());
        checksum = (checksum + kCode39.value[row]) % 43;
    }
    if (FCheckSum)
        append(out, kCode39.pattern[kCode39.rowOfValue[checksum]].view());
    append(out, kCode39.pattern[kCode39Star].view().substr(0, 9));
}

void TBarcode::Code_39(std::string& out) const
{
    Code_39Data(out, FText);
}

void TBarcode::Code_39Extended(std::string& out) const
{
    Code_39Data(out, fullAscii(FText, kCode39Ascii));
}

// ---- Code 128 and EAN-128 ---------------------------------------------------

void TBarcode::Code_128(std::string& out)
{
    int start = 0;
    bool setA = false;
    bool setC = false;
    switch (FTyp) {
    case bcCode128A: case bcCodeEAN128A: start = kCode128StartA; setA = true; break;
    case bcCode128B: case bcCodeEAN128B: start = kCode128StartB; break;
    case bcCode128C: case bcCodeEAN128C: start = kCode128StartC; setC = true; break;
    default:
        raise(BarcodeText::WrongTypeCode128);
    }
    const bool ean = FTyp == bcCodeEAN128A || FTyp == bcCodeEAN128B || FTyp == bcCodeEAN128C;

    // The running sum is kept modulo 103 so that long texts cannot overflow it.
    long long sum = start;
    long long weight = 1;
    out.reserve(out.size() + 6 * (FText.size() + 4) + 7);
    append(out, kCode128[start].view());

    std::string checked;  // EAN-128 with Checksum: Text and its check digit; Text unchanged
    bool useChecked = false;
    if (ean) {
        append(out, kCode128[kCode128Fnc1].view());
        sum += kCode128Fnc1;
        weight = 2;
        if (FCheckSum) {
            checked = DoCheckSumming(FText);
            useChecked = true;
        }
    }

    if (setC) {
        std::string_view data = useChecked ? std::string_view(checked) : std::string_view(FText);
        if (data.size() % 2 != 0) {
            std::string padded;
            padded.reserve(data.size() + 1);
            padded += '0';
            padded.append(data);
            if (useChecked)
                checked = std::move(padded);  // the check digit's padding is not stored
            else
                FText = std::move(padded);    // "123" is stored as "0123"
            data = useChecked ? std::string_view(checked) : std::string_view(FText);
        }
        for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
            const char hi = data[i];
            const char lo = data[i + 1];
            int value = 0;  // a pair found nowhere is encoded as "00"
            if (hi >= '0' && hi <= '9' && lo >= '0' && lo <= '9')
                value = (hi - '0') * 10 + (lo - '0');
            append(out, kCode128[value].view());
            sum = (sum + value * weight) % 103;
            ++weight;
        }
    } else {
        const std::string_view data = useChecked ? std::string_view(checked) : std::string_view(FText);
        // Column A holds blank to "_" (values 0..63), column B blank to "~" (0..94);
        // a character found in no row is encoded as the blank (value 0).
        const unsigned char last = setA ? '_' : '~';
        for (char ch : data) {
            const auto code = static_cast<unsigned char>(ch);
            const int value = code >= ' ' && code <= last ? code - ' ' : 0;
            append(out, kCode128[value].view());
            sum = (sum + value * weight) % 103;
            ++weight;
        }
    }

    append(out, kCode128[sum % 103].view());
    append(out, kCode128Stop.view());
}

// ---- Code 93 ----------------------------------------------------------------

void TBarcode::Code_93Data(std::string& out, std::string_view text) const
{
    out.reserve(out.size() + 6 * (text.size() + 4) + 7);
    append(out, kCode93Start.view());
    for (char ch : text) {
        const int value = kCode93.valueOf[static_cast<unsigned char>(ch)];
        if (value < 0)
            raise(BarcodeText::Code93BadData, text);
        append(out, kCode93.pattern[value].view());
    }

    int checkC = 0;
    int checkK = 0;
    int weightC = 1;
    int weightK = 2;
    for (std::size_t i = text.size(); i-- > 0;) {
        const int value = kCode93.valueOf[static_cast<unsigned char>(text[i])];
        checkC = (checkC + value * weightC) % 47;
        checkK = (checkK + value * weightK) % 47;
        if (++weightC > 20)
            weightC = 1;
        if (++weightK > 15)
            weightK = 1;
    }
    checkK = (checkK + checkC) % 47;  // C is the rightmost character for K, weight 1

    append(out, kCode93.pattern[checkC].view());
    append(out, kCode93.pattern[checkK].view());
    append(out, kCode93Stop.view());
}

void TBarcode::Code_93(std::string& out) const
{
    Code_93Data(out, FText);
}

void TBarcode::Code_93Extended(std::string& out) const
{
    Code_93Data(out, fullAscii(FText, kCode93Ascii));
}

// ---- MSI, PostNet, Codabar --------------------------------------------------

void TBarcode::Code_MSI(std::string& out) const
{
    out.reserve(out.size() + 8 * (FText.size() + 1) + 5);
    append(out, "60");
    for (char ch : FText)
        append(out, kMsi[digit(ch)].view());

    // MSI modulo 10: the digits at odd positions (counted from the right) form one
    // number N, and DigitSum(2 N) is added to the digits at even positions. 2 N is
    // doubled digit by digit with its carries, so its digit sum is exact however
    // long the text is (N itself would overflow any integer type).
    const std::size_t n = FText.size();
    int evenSum = 0;
    int doubledSum = 0;
    int carry = 0;
    for (std::size_t i = n; i-- > 0;) {
        const int d = digit(FText[i]);
        const std::size_t position = n - i;  // the rightmost digit is position 1
        if (position % 2 == 1) {
            const int twice = d * 2 + carry;
            doubledSum += twice % 10;
            carry = twice / 10;
        } else {
            evenSum += d;
        }
    }
    doubledSum += carry;
    const int t = doubledSum + evenSum;
    const int check = (10 - t % 10) % 10;
    append(out, kMsi[check].view());
    append(out, "515");
}

void TBarcode::Code_PostNet(std::string& out) const
{
    out.reserve(out.size() + 10 * FText.size() + 3);
    append(out, "51");
    for (char ch : FText)
        append(out, kPostNet[digit(ch)].view());
    out += '5';
}

void TBarcode::Code_Codabar(std::string& out) const
{
    out.reserve(out.size() + 8 * (FText.size() + 2));
    append(out, kCodabar.pattern[kCodabarA].view());
    for (char ch : FText) {
        const int row = kCodabar.rowOf[static_cast<unsigned char>(ch)];
        if (row >= 0)  // not in the table: skipped
            append(out, kCodabar.pattern[row].view());
    }
    append(out, kCodabar.pattern[kCodabarB].view().substr(0, 7));
}

// ---- EAN / UPC --------------------------------------------------------------

std::string UpcEToUpcA(char numberSystem, std::string_view six)
{
    // The last digit tells where the zeros of the manufacturer and item numbers were.
    std::string a(1, numberSystem);
    a.reserve(11);
    const char last = six[5];
    if (last <= '2') {
        a.append(six.substr(0, 2)).append(1, last).append("0000").append(six.substr(2, 3));
    } else if (last == '3') {
        a.append(six.substr(0, 3)).append("00000").append(six.substr(3, 2));
    } else if (last == '4') {
        a.append(six.substr(0, 4)).append("00000").append(1, six[4]);
    } else {
        a.append(six.substr(0, 5)).append("0000").append(1, last);
    }
    return a;
}

void TBarcode::Code_EAN8(std::string& out) const
{
    std::string tmp;
    if (FCheckSum) {
        tmp = SetLen(7);
        tmp = DoCheckSumming(std::string_view(tmp).substr(tmp.size() - 7));  // the last 7
    } else {
        tmp = SetLen(8);
    }
    if (tmp.size() != 8)
        raise(BarcodeText::InvalidLenEan8);

    out.reserve(out.size() + 67);
    append(out, "505");
    for (int i = 0; i < 4; ++i)
        append(out, kEan.a[digit(tmp[i])].view());
    append(out, "05050");
    for (int i = 4; i < 8; ++i)
        append(out, kEan.c[digit(tmp[i])].view());
    append(out, "505");
}

void TBarcode::Code_EAN13(std::string& out) const
{
    const std::string tmp = FCheckSum ? DoCheckSumming(SetLen(12)) : SetLen(13);
    if (tmp.size() != 13)
        raise(BarcodeText::InvalidLenEan13);

    const char* parity = kEan13Parity[digit(tmp[0])];
    out.reserve(out.size() + 59);
    append(out, "505");
    for (int i = 0; i < 6; ++i) {
        const int d = digit(tmp[1 + i]);
        append(out, parity[i] == 'A' ? kEan.a[d].view() : kEan.b[d].view());
    }
    append(out, "05050");
    for (int i = 7; i < 13; ++i)
        append(out, kEan.c[digit(tmp[i])].view());
    append(out, "505");
}

void TBarcode::Code_UPC_A(std::string& out)
{
    FText = SetLen(12);
    // The modulo-10 digit whatever CheckSumMethod is: csmNone would cut Text short.
    if (FCheckSum)
        FText = CheckSumModulo10(std::string_view(FText).substr(0, 11));

    out.reserve(out.size() + 59);
    append(out, "505");
    for (int i = 0; i < 6; ++i)
        append(out, kEan.a[digit(FText[i])].view());
    append(out, "05050");
    for (int i = 6; i < 12; ++i)
        append(out, kEan.c[digit(FText[i])].view());
    append(out, "505");
}

void TBarcode::Code_UPC_E(std::string& out, bool numberSystem1)
{
    FText = SetLen(7);
    // The check digit is that of the number expanded to UPC-A with its number
    // system (0 for UPC-E0, 1 for UPC-E1), computed whatever CheckSumMethod is
    // (csmNone gives no digit to pick a parity row).
    const std::string six = FText.substr(0, 6);
    const char c = CheckSumModulo10(UpcEToUpcA(numberSystem1 ? '1' : '0', six)).back();
    if (FCheckSum)
        FText = six + c;

    const char* parity = kUpcEParity[c - '0'];
    out.reserve(out.size() + 33);
    append(out, "505");
    for (int i = 0; i < 6; ++i) {
        const int d = digit(six[i]);
        const bool even = parity[i] == 'E';
        // UPC-E0: "E" in set B, "o" in set A; UPC-E1 the opposite.
        append(out, even != numberSystem1 ? kEan.b[d].view() : kEan.a[d].view());
    }
    append(out, "050505");
}

void TBarcode::Code_UPC_E0(std::string& out)
{
    Code_UPC_E(out, false);
}

void TBarcode::Code_UPC_E1(std::string& out)
{
    Code_UPC_E(out, true);
}

void TBarcode::Code_Supp5(std::string& out)
{
    FText = SetLen(5);
    const std::string five = FText.substr(0, 5);
    const char c = CheckSumSupp5(five + '0').back();
    if (FCheckSum)
        FText = five + c;

    const char* parity = kUpcEParity[c - '0'];
    out.reserve(out.size() + 47);
    append(out, "506");
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            append(out, "05");
        const int d = digit(five[i]);
        append(out, parity[i + 1] == 'E' ? kEan.b[d].view() : kEan.a[d].view());
    }
}

void TBarcode::Code_Supp2(std::string& out)
{
    FText = SetLen(2);
    // The parity of the two digits encoded (their value mod 4),
    // not of the whole text. Checksum has no effect here (see barcode.h).
    const int d1 = digit(FText[0]);
    const int d2 = digit(FText[1]);
    static constexpr const char* kParity[4] = {"oo", "oE", "Eo", "EE"};
    const char* parity = kParity[(d1 * 10 + d2) % 4];

    out.reserve(out.size() + 20);
    append(out, "506");
    append(out, parity[0] == 'E' ? kEan.b[d1].view() : kEan.a[d1].view());
    append(out, "05");
    append(out, parity[1] == 'E' ? kEan.b[d2].view() : kEan.a[d2].view());
}
