// TBarcode's model: properties, change notification, Assign, element
// widths, MakeData, widths, check digits. The encoders are in symbologies.cpp.

#include "barcode/encoder/barcode.h"
#include "barcode/encoder/barcode_texts.h"

#include <climits>
#include <cmath>

namespace {

struct TypeInfo {
    std::string_view name;      // GetTypText
    std::string_view enumName;
    bool numeric;               // Text must be all digits
};

constexpr TypeInfo kTypes[TBarcodeTypeCount] = {
    {"2_5_interleaved", "bcCode_2_5_interleaved", true},
    {"2_5_industrial", "bcCode_2_5_industrial", true},
    {"2_5_matrix", "bcCode_2_5_matrix", true},
    {"Code39", "bcCode39", false},
    {"Code39 Extended", "bcCode39Extended", false},
    {"Code128A", "bcCode128A", false},
    {"Code128B", "bcCode128B", false},
    {"Code128C", "bcCode128C", true},
    {"Code93", "bcCode93", false},
    {"Code93 Extended", "bcCode93Extended", false},
    {"MSI", "bcCodeMSI", true},
    {"PostNet", "bcCodePostNet", true},
    {"Codebar", "bcCodeCodabar", false},
    {"EAN8", "bcCodeEAN8", true},
    {"EAN13", "bcCodeEAN13", true},
    {"UPC_A", "bcCodeUPC_A", true},
    {"UPC_E0", "bcCodeUPC_E0", true},
    {"UPC_E1", "bcCodeUPC_E1", true},
    {"UPC Supp2", "bcCodeUPC_Supp2", true},
    {"UPC Supp5", "bcCodeUPC_Supp5", true},
    {"EAN128A", "bcCodeEAN128A", false},
    {"EAN128B", "bcCodeEAN128B", false},
    {"EAN128C", "bcCodeEAN128C", true},
};

bool validType(TBarcodeType typ) { return typ >= 0 && typ < TBarcodeTypeCount; }

// The string-to-integer conversion of one character.
int digitValue(char c)
{
    if (c < '0' || c > '9')
        throw EConvertError(BarcodeText::format(BarcodeText::NotAnInteger, std::string_view(&c, 1)));
    return c - '0';
}

// Rounds to the nearest integer, halves to even, independent of the FPU rounding
// mode. Saturates far outside any useful width so that nothing overflows:
// not-a-number gives 0.
int roundHalfEven(double x)
{
    constexpr double limit = 1 << 24;
    if (std::isnan(x))
        return 0;
    if (x > limit)
        return static_cast<int>(limit);
    if (x < -limit)
        return -static_cast<int>(limit);
    const double f = std::floor(x);
    const double d = x - f;
    long long r = static_cast<long long>(f);
    if (d > 0.5 || (d == 0.5 && (r & 1) != 0))
        ++r;
    return static_cast<int>(r);
}

// The module-count symbologies: their widths are 1, 2, 3 and 4 modules.
bool isModuleCountType(TBarcodeType typ)
{
    switch (typ) {
    case bcCode128A: case bcCode128B: case bcCode128C:
    case bcCode93: case bcCode93Extended:
    case bcCodeEAN8: case bcCodeEAN13: case bcCodeUPC_A: case bcCodeUPC_E0: case bcCodeUPC_E1:
    case bcCodeUPC_Supp2: case bcCodeUPC_Supp5:
    case bcCodeEAN128A: case bcCodeEAN128B: case bcCodeEAN128C:
        return true;
    default:
        return false;
    }
}

// Trim: characters up to the blank removed at both ends.
void trimInPlace(std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    if (b != 0 || e != s.size())
        s = s.substr(b, e - b);
}

} // namespace

// ---- free functions ---------------------------------------------------------

std::string_view BarcodeTypeName(TBarcodeType typ)
{
    return validType(typ) ? kTypes[typ].name : std::string_view();
}

std::string_view BarcodeTypeEnumName(TBarcodeType typ)
{
    return validType(typ) ? kTypes[typ].enumName : std::string_view();
}

bool IsNumericBarcodeType(TBarcodeType typ)
{
    return validType(typ) && kTypes[typ].numeric;
}

std::string CheckSumModulo10(std::string_view s)
{
    int sum = 0;
    bool three = true;  // the rightmost digit weighs 3
    for (std::size_t i = s.size(); i-- > 0;) {
        sum = (sum + digitValue(s[i]) * (three ? 3 : 1)) % 10;
        three = !three;
    }
    std::string out;
    out.reserve(s.size() + 1);
    out.append(s);
    out += sum == 0 ? '0' : static_cast<char>('0' + 10 - sum);
    return out;
}

std::string CheckSumSupp5(std::string_view s)
{
    const std::string_view digits = s.empty() ? s : s.substr(0, s.size() - 1);
    int sum = 0;
    bool three = true;  // the rightmost digit weighs 3, then 9, 3, ...
    for (std::size_t i = digits.size(); i-- > 0;) {
        sum = (sum + digitValue(digits[i]) * (three ? 3 : 9)) % 10;
        three = !three;
    }
    std::string out;
    out.reserve(digits.size() + 1);
    out.append(digits);
    out += static_cast<char>('0' + sum);
    return out;
}

int DigitSum(long long n)
{
    int sum = 0;
    while (n > 0) {
        sum += static_cast<int>(n % 10);
        n /= 10;
    }
    return sum;
}

std::string ConvertModuleCounts(std::string_view counts)
{
    std::string out(counts);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(out[i] - 1 + (i % 2 == 0 ? 5 : 0));  // 1-based odd: a bar
    return out;
}

// ---- properties -------------------------------------------------------------

void TBarcode::Assign(const TPersistent* source)
{
    const auto* b = dynamic_cast<const TBarcode*>(source);
    if (b == nullptr || b == this)
        return;
    FHeight = b->FHeight;
    FText = b->FText;
    FTop = b->FTop;
    FLeft = b->FLeft;
    FModul = b->FModul;
    FRatio = b->FRatio;
    FTyp = b->FTyp;
    FCheckSum = b->FCheckSum;
    FShowText = b->FShowText;
    FAngle = b->FAngle;
    FColor = b->FColor;
    FColorBar = b->FColorBar;
    FCheckSumMethod = b->FCheckSumMethod;
    FOnChange = b->FOnChange;
}

void TBarcode::DoChange()
{
    if (FOnChange)
        FOnChange(*this);
}

void TBarcode::SetHeight(int value)
{
    if (value != FHeight) {
        FHeight = value;
        DoChange();
    }
}

void TBarcode::SetText(std::string value)
{
    if (value != FText) {
        FText = std::move(value);
        DoChange();
    }
}

void TBarcode::SetTop(int value)
{
    if (value != FTop) {
        FTop = value;
        DoChange();
    }
}

void TBarcode::SetLeft(int value)
{
    if (value != FLeft) {
        FLeft = value;
        DoChange();
    }
}

void TBarcode::SetModul(int value)
{
    if (value >= 1 && value < 50) {
        FModul = value;
        DoChange();
    }
}

void TBarcode::SetRatio(double value)
{
    if (value != FRatio) {
        FRatio = value;
        DoChange();
    }
}

void TBarcode::SetTyp(TBarcodeType value)
{
    if (value != FTyp) {
        FTyp = value;
        DoChange();
    }
}

void TBarcode::SetChecksum(bool value)
{
    if (value != FCheckSum) {
        FCheckSum = value;
        DoChange();
    }
}

void TBarcode::SetAngle(double value)
{
    if (value != FAngle) {
        FAngle = value;
        DoChange();
    }
}

void TBarcode::SetShowText(TBarcodeOption value)
{
    if (value != FShowText) {
        FShowText = value;
        DoChange();
    }
}

// ---- widths -----------------------------------------------------------------

void TBarcode::PrepareModules()
{
    double lo = 0, hi = 0;
    bool clamp = true;
    switch (FTyp) {
    case bcCode_2_5_interleaved: case bcCode_2_5_industrial: case bcCode39: case bcCode39Extended:
    case bcCodeCodabar: case bcCodeEAN8: case bcCodeEAN13: case bcCodeUPC_A:
    case bcCodeUPC_E0: case bcCodeUPC_E1: case bcCodeUPC_Supp2: case bcCodeUPC_Supp5:
        lo = 2.0;
        hi = 3.0;
        break;
    case bcCode_2_5_matrix:
        lo = 2.25;
        hi = 3.0;
        break;
    default:
        clamp = false;
    }
    if (clamp) {
        if (FRatio < lo)
            SetRatio(lo);
        if (FRatio > hi)
            SetRatio(hi);
    }

    if (isModuleCountType(FTyp)) {
        // Exactly 1, 2, 3 and 4 modules whatever Ratio is: these symbologies count
        // modules, and other multiples would not read.
        modules = {FModul, FModul * 2, FModul * 3, FModul * 4};
        return;
    }
    const int m1 = roundHalfEven(FModul * FRatio);
    modules = {FModul, m1, m1 * 3 / 2, m1 * 2};
}

void TBarcode::OneBarProps(char code, int& width, TBarLineType& lt) const
{
    switch (code) {
    case '0': case '1': case '2': case '3':
        width = modules[code - '0'];
        lt = TBarLineType::Space;
        return;
    case '5': case '6': case '7': case '8':
        width = modules[code - '5'];
        lt = TBarLineType::Bar;
        return;
    case 'A': case 'B': case 'C': case 'D':
        width = modules[code - 'A'];
        lt = TBarLineType::ShortBar;
        return;
    default:
        raise(BarcodeText::InternalError);
    }
}

int TBarcode::DataWidth(std::string_view data) const
{
    long long total = 0;
    int w = 0;
    TBarLineType lt{};
    for (char c : data) {
        OneBarProps(c, w, lt);
        total += w;
    }
    if (total > INT_MAX)
        return INT_MAX;
    if (total < INT_MIN)
        return INT_MIN;
    return static_cast<int>(total);
}

int TBarcode::GetWidth()
{
    std::string data;
    MakeData(data);
    return DataWidth(data);
}

void TBarcode::SetWidth(int w)
{
    std::string data;
    MakeData(data);
    const int cw = DataWidth(data);
    if (cw > 0) {
        const long long m = static_cast<long long>(FModul) * w / cw;  // truncates like div
        if (m >= INT_MIN && m <= INT_MAX)
            SetModul(static_cast<int>(m));
    }
}

// ---- encoding ---------------------------------------------------------------

std::string TBarcode::SetLen(int n) const
{
    if (n <= 0 || FText.size() >= static_cast<std::size_t>(n))
        return FText;
    std::string out(static_cast<std::size_t>(n) - FText.size(), '0');
    out += FText;
    return out;
}

std::string TBarcode::DoCheckSumming(std::string_view s) const
{
    if (FCheckSumMethod == csmModulo10)
        return CheckSumModulo10(s);
    return std::string(s);
}

void TBarcode::raise(std::string_view pattern, std::string_view arg) const
{
    throw EBarcodeError(BarcodeText::format(pattern, ClassName(), arg));
}

std::string TBarcode::MakeData()
{
    std::string out;
    MakeData(out);
    return out;
}

void TBarcode::MakeData(std::string& out)
{
    out.clear();
    PrepareModules();

    if (IsNumericBarcodeType(FTyp)) {
        trimInPlace(FText);
        for (char c : FText)
            if (c < '0' || c > '9')
                raise(BarcodeText::MustBeNumeric);
    }

    switch (FTyp) {
    case bcCode_2_5_interleaved: Code_2_5_interleaved(out); break;
    case bcCode_2_5_industrial: Code_2_5_industrial(out); break;
    case bcCode_2_5_matrix: Code_2_5_matrix(out); break;
    case bcCode39: Code_39(out); break;
    case bcCode39Extended: Code_39Extended(out); break;
    case bcCode128A: case bcCode128B: case bcCode128C:
    case bcCodeEAN128A: case bcCodeEAN128B: case bcCodeEAN128C:
        Code_128(out);
        break;
    case bcCode93: Code_93(out); break;
    case bcCode93Extended: Code_93Extended(out); break;
    case bcCodeMSI: Code_MSI(out); break;
    case bcCodePostNet: Code_PostNet(out); break;
    case bcCodeCodabar: Code_Codabar(out); break;
    case bcCodeEAN8: Code_EAN8(out); break;
    case bcCodeEAN13: Code_EAN13(out); break;
    case bcCodeUPC_A: Code_UPC_A(out); break;
    case bcCodeUPC_E0: Code_UPC_E0(out); break;
    case bcCodeUPC_E1: Code_UPC_E1(out); break;
    case bcCodeUPC_Supp2: Code_Supp2(out); break;
    case bcCodeUPC_Supp5: Code_Supp5(out); break;
    default:
        raise(BarcodeText::WrongType);
    }
}
