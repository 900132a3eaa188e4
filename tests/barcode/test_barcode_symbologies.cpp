// The 23 encoders on vectors worked out by hand from the code tables: the edge
// cases, the write-backs into Text, the errors, and every place where the
// encoder deliberately differs from the published standard
// (each says what the standard would do). The standard cases are also compared
// with zint (test_barcode_zint) and read back by decoders (test_barcode_readers).

#include "barcode/encoder/barcode.h"

#include <QtTest>

namespace {

struct Encoded {
    std::string data;
    std::string text;  // Text after the encoding
    QString error;
};

Encoded encode(TBarcodeType typ, const std::string& text, bool checksum = false,
               TCheckSumMethod method = csmModulo10)
{
    TBarcode b;
    b.SetTyp(typ);
    b.SetChecksum(checksum);
    b.SetCheckSumMethod(method);
    b.SetText(text);
    Encoded e;
    try {
        e.data = b.MakeData();
    } catch (const EBarcodeError& x) {
        e.error = QString::fromUtf8(x.what());
    }
    e.text = b.Text();
    return e;
}

std::string data(TBarcodeType typ, const std::string& text, bool checksum = false)
{
    return encode(typ, text, checksum).data;
}

// Module counts to element codes (ConvertModuleCounts), for hand vectors.
std::string counts(const std::string& c)
{
    return ConvertModuleCounts(c);
}

// Code 39 patterns of the encoder's table, with the gap "0" where a character follows.
const std::string kStar = "515060605";
const std::string kA39 = "605051506";
const std::string kB39 = "506051506";

// EAN sets of the encoder: A (L), B (G), C (R), by digit.
const char* kSetA[10] = {"2605", "1615", "1516", "0805", "0526", "0625", "0508", "0706", "0607", "2506"};
const char* kSetB[10] = {"0517", "0616", "1606", "0535", "1705", "0715", "3505", "1525", "2515", "1507"};
const char* kSetC[10] = {"7150", "6160", "6061", "5350", "5071", "5170", "5053", "5251", "5152", "7051"};

// The MSI check digit read back from an MSI element string (the 8 codes before "515").
int msiCheckOf(const std::string& d)
{
    const std::string last = d.substr(d.size() - 3 - 8, 8);
    int v = 0;
    for (int bit = 0; bit < 4; ++bit)
        v = v * 2 + (last.substr(bit * 2, 2) == "60" ? 1 : 0);
    return v;
}

// The MSI arithmetic with one number N, literally, where it does not overflow.
int msiPartCheck(const std::string& t)
{
    long long number = 0;
    int even = 0;
    const std::size_t n = t.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t position = n - i;
        if (position % 2 == 1)
            number = number * 10 + (t[i] - '0');
        else
            even += t[i] - '0';
    }
    const int sum = DigitSum(2 * number) + even;
    return (10 - sum % 10) % 10;
}

// Luhn's check digit, computed independently: every second digit from the right doubled.
int luhnCheck(const std::string& t)
{
    int sum = 0;
    bool dbl = true;
    for (std::size_t i = t.size(); i-- > 0;) {
        int d = t[i] - '0';
        if (dbl) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
        dbl = !dbl;
    }
    return (10 - sum % 10) % 10;
}

} // namespace

class TestBarcodeSymbologies : public QObject {
    Q_OBJECT

private slots:
    void interleaved2of5();
    void industrial2of5();
    void matrix2of5();
    void code39();
    void code39Checksum();
    void code39Extended();
    void code128();
    void code128C();
    void code128WrongType();
    void ean128();
    void ean128CChecksumIsStable();
    void code93();
    void code93Extended();
    void msi();
    void msiLongTexts();
    void postNet();
    void codabar();
    void ean8();
    void ean13();
    void upcA();
    void upcE();
    void supp5();
    void supp2();
    void anyTextEncodesOrFailsCleanly();
};

void TestBarcodeSymbologies::interleaved2of5()
{
    // 1 = 10001 (bars), 2 = 01001 (spaces); 3 = 11000, 4 = 00101.
    QCOMPARE(data(bcCode_2_5_interleaved, "12"), std::string("5050" "6051505061" "605"));
    const Encoded odd = encode(bcCode_2_5_interleaved, "12345");
    // The pairs 12 and 34 only; the standard would zero-fill "012345" instead.
    QCOMPARE(odd.data, std::string("5050" "6051505061" "6060515051" "605"));
    QCOMPARE(odd.text, std::string("12345"));
    QCOMPARE(data(bcCode_2_5_interleaved, "1"), std::string("5050605"));
}

void TestBarcodeSymbologies::industrial2of5()
{
    QCOMPARE(data(bcCode_2_5_industrial, "1"), std::string("606050" "6050505060" "605060"));
    QCOMPARE(data(bcCode_2_5_industrial, ""), std::string("606050605060"));
}

void TestBarcodeSymbologies::matrix2of5()
{
    // 1 = 10001: bars at flags 1, 3, 5 ("6", "5", "6"), spaces "0", "0", then the gap "0".
    QCOMPARE(data(bcCode_2_5_matrix, "1"), std::string("705050" "605060" "70505"));
}

void TestBarcodeSymbologies::code39()
{
    // Lower case is not in the table and is skipped: "ab" is start and stop only.
    // (The standard has no lower case; zint upper-cases it.)
    QCOMPARE(data(bcCode39, "ab"), kStar + "0" + kStar);
    QCOMPARE(data(bcCode39, "aBc"), data(bcCode39, "B"));
    QCOMPARE(data(bcCode39, "A"), kStar + "0" + kA39 + "0" + kStar);
    // "*" is encoded inside the data (the standard reserves it for start and stop).
    QCOMPARE(data(bcCode39, "A*B"), kStar + "0" + kA39 + "0" + kStar + "0" + kB39 + "0" + kStar);
    // Bytes outside the table (UTF-8 Persian, controls) are skipped too.
    QCOMPARE(data(bcCode39, "\xDB\xB1" "A\x01"), data(bcCode39, "A"));
    QCOMPARE(encode(bcCode39, " A ").text, std::string(" A "));
}

void TestBarcodeSymbologies::code39Checksum()
{
    // "A" has value 10: the check character is the row of value 10, "A" itself.
    QCOMPARE(data(bcCode39, "A", true), kStar + "0" + kA39 + "0" + kA39 + "0" + kStar);
    // A 10 + * 0 + B 11 = 21: "L" (001000011).
    QCOMPARE(data(bcCode39, "A*B", true),
             kStar + "0" + kA39 + "0" + kStar + "0" + kB39 + "0" + "506050516" "0" + kStar);
    // Skipped characters do not count: "aA" has the check of "A".
    QCOMPARE(data(bcCode39, "aA", true), data(bcCode39, "A", true));
    // Sum 0 mod 43 takes the first row of value 0, "0", not "*".
    QCOMPARE(data(bcCode39, "%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%", true),  // 43 x 42
             data(bcCode39, "%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%%0"));
    QCOMPARE(encode(bcCode39, "A", true).text, std::string("A"));
}

void TestBarcodeSymbologies::code39Extended()
{
    // "a" is "+A": "+" = 010001010.
    const Encoded a = encode(bcCode39Extended, "a");
    QCOMPARE(a.data, kStar + "0" + "515051515" "0" + kA39 + "0" + kStar);
    QCOMPARE(a.text, std::string("a"));  // restored
    // "-" is written "/M" ("/" 010100010, "M" 101000010); the standard and zint keep
    // "-" itself. Decoders read both as "-" (test_barcode_readers).
    QCOMPARE(data(bcCode39Extended, "-"), kStar + "0" + "515150515" "0" "606050515" "0" + kStar);
    QCOMPARE(data(bcCode39Extended, "-."), data(bcCode39, "/M/N"));
    QCOMPARE(data(bcCode39Extended, std::string(1, '\0')), data(bcCode39, "%U"));
    QCOMPARE(data(bcCode39Extended, "\x7F"), data(bcCode39, "%T"));
    QCOMPARE(data(bcCode39Extended, "@`:"), data(bcCode39, "%V%W/Z"));
    QCOMPARE(data(bcCode39Extended, "AZ09 "), data(bcCode39, "AZ09 "));
    QCOMPARE(data(bcCode39Extended, "*$%/+"), data(bcCode39, "/J/D/E/O/K"));
    // Codes 128 and above are dropped.
    QCOMPARE(data(bcCode39Extended, "\xC3\xA9" "a"), data(bcCode39Extended, "a"));
    // The check character is over the substituted text: "+" 41 + "A" 10 = 51 -> 8 ("8").
    QCOMPARE(data(bcCode39Extended, "a", true),
             kStar + "0" + "515051515" "0" + kA39 + "0" + "605150605" "0" + kStar);
    QCOMPARE(encode(bcCode39Extended, "a", true).text, std::string("a"));
}

void TestBarcodeSymbologies::code128()
{
    // B: "A" 33, "b" 66; 104 + 33 + 2 x 66 = 269 mod 103 = 63.
    QCOMPARE(data(bcCode128B, "Ab"),
             counts("211214" "111323" "121421" "111224" "2331112"));
    // A (a single set): "b" is in no row of column A and is encoded as the blank;
    // 103 + 33 + 0 = 136 mod 103 = 33. The standard switches to set B for "b".
    QCOMPARE(data(bcCode128A, "Ab"),
             counts("211412" "111323" "212222" "111323" "2331112"));
    // A: the control characters are not in the encoder's column A (the standard's set A
    // holds them, SOH at 65): blank. 103 + 0 = 103 mod 103 = 0.
    QCOMPARE(data(bcCode128A, "\x01"), counts("211412" "212222" "212222" "2331112"));
    // B: DEL and bytes above 127 are encoded as the blank.
    QCOMPARE(data(bcCode128B, "\x7F"), data(bcCode128B, " "));
    QCOMPARE(data(bcCode128B, "\xDB\xB1"), data(bcCode128B, "  "));
    // B never switches to set C for digits (a single set; the standard's encoders
    // shorten digit runs in set C): "00" is two values 16; 104 + 16 + 32 = 152 -> 49.
    QCOMPARE(data(bcCode128B, "00"), counts("211214" "123122" "123122" "211331" "2331112"));
    QCOMPARE(encode(bcCode128B, "Ab").text, std::string("Ab"));
}

void TestBarcodeSymbologies::code128C()
{
    // "123" is stored as "0123" and encoded as the pairs 01 and 23:
    // 105 + 1 + 2 x 23 = 152 mod 103 = 49.
    const Encoded e = encode(bcCode128C, "123");
    QCOMPARE(e.text, std::string("0123"));
    QCOMPARE(e.data, counts("211232" "222122" "312131" "211331" "2331112"));
    // Stored once: the next encoding finds an even text and changes nothing.
    TBarcode b;
    b.SetTyp(bcCode128C);
    b.SetText("123");
    const std::string first = b.MakeData();
    QCOMPARE(b.MakeData(), first);
    QCOMPARE(b.Text(), std::string("0123"));
    // An empty text: start, check (105 mod 103 = 2), stop.
    QCOMPARE(data(bcCode128C, ""), counts("211232" "222221" "2331112"));
    QCOMPARE(encode(bcCode128C, "12a").error, QStringLiteral("Barcode must be numeric"));
}

namespace {
class Code128Probe : public TBarcode {
public:
    void run()
    {
        std::string out;
        Code_128(out);
    }
};
} // namespace

void TestBarcodeSymbologies::code128WrongType()
{
    Code128Probe p;
    p.SetTyp(bcCode39);
    p.SetText("A");
    try {
        p.run();
        QFAIL("no error");
    } catch (const EBarcodeError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("TBarcode: wrong BarcodeType in Code_128"));
    }
}

void TestBarcodeSymbologies::ean128()
{
    // FNC1 (102, weight 1) follows the start; the data weights start at 2.
    // A "AB": 103 + 102 + 2 x 33 + 3 x 34 = 373 mod 103 = 64.
    QCOMPARE(data(bcCodeEAN128A, "AB"),
             counts("211412" "411131" "111323" "131123" "111422" "2331112"));
    // B "1" with Checksum: the data is "17"; 104 + 102 + 2 x 17 + 3 x 23 = 309 mod 103 = 0.
    const Encoded b = encode(bcCodeEAN128B, "1", true);
    QCOMPARE(b.data, counts("211214" "411131" "123221" "312131" "212222" "2331112"));
    QCOMPARE(b.text, std::string("1"));
    // Checksum over letters: the conversion error.
    const Encoded bad = encode(bcCodeEAN128B, "AB", true);
    QCOMPARE(bad.error, QStringLiteral("'B' is not a valid integer value"));
    QCOMPARE(bad.text, std::string("AB"));
    // Checksum with csmNone: the data is Text.
    QCOMPARE(encode(bcCodeEAN128B, "AB", true, csmNone).data, data(bcCodeEAN128B, "AB"));
    // Code 128 (not EAN-128) ignores Checksum: the modulo-103 check is always there.
    QCOMPARE(data(bcCode128B, "AB", true), data(bcCode128B, "AB"));
    // C without Checksum stores the padding like Code 128 C.
    const Encoded c = encode(bcCodeEAN128C, "123");
    QCOMPARE(c.text, std::string("0123"));
    // 105 + 102 + 2 x 1 + 3 x 23 = 278 mod 103 = 72.
    QCOMPARE(c.data, counts("211232" "411131" "222122" "312131" "122411" "2331112"));
}

void TestBarcodeSymbologies::ean128CChecksumIsStable()
{
    // "12" with Checksum: data "123" (check 3), padded "0123" for the encoding only;
    // 105 + 102 + 2 x 1 + 3 x 23 = 278 mod 103 = 72.
    TBarcode b;
    b.SetTyp(bcCodeEAN128C);
    b.SetChecksum(true);
    b.SetText("12");
    const std::string first = b.MakeData();
    QCOMPARE(first, counts("211232" "411131" "222122" "312131" "122411" "2331112"));
    QCOMPARE(b.Text(), std::string("12"));
    QCOMPARE(b.MakeData(), first);  // drawn twice: the same bars
    QCOMPARE(b.Text(), std::string("12"));
    // An odd text whose data is even needs no padding.
    b.SetText("123");
    const std::string odd = b.MakeData();
    QCOMPARE(b.Text(), std::string("123"));
    QCOMPARE(b.MakeData(), odd);
}

void TestBarcodeSymbologies::code93()
{
    // "a" is not in the table.
    QCOMPARE(encode(bcCode93, "a").error, QStringLiteral("TBarcode:Code93 bad Data <a>"));
    QCOMPARE(encode(bcCode93, "AB\x01").error, QStringLiteral("TBarcode:Code93 bad Data <AB\x01>"));
    // The standard's example "TEST93": C = 41 ("+"), K = 6.
    QCOMPARE(data(bcCode93, "TEST93"),
             counts("111141" "211221" "221211" "211122" "211221" "141111" "111411"
                    "113121" "121311" "1111411"));
    // The shift characters are rows of the table: "[" encodes ($).
    QCOMPARE(encode(bcCode93, "[").error, QString());
    QCOMPARE(data(bcCode93, ""), counts("111141" "131112" "131112" "1111411"));
}

void TestBarcodeSymbologies::code93Extended()
{
    // "a" is "}A": "}" 46, "A" 10; C = 10 + 2 x 46 = 102 mod 47 = 8; K = 2 x 10 + 3 x 46 + 8
    // = 166 mod 47 = 25 ("P").
    const Encoded a = encode(bcCode93Extended, "a");
    QCOMPARE(a.data, counts("111141" "122211" "211113" "131211" "131121" "1111411"));
    QCOMPARE(a.text, std::string("a"));
    QCOMPARE(a.data, data(bcCode93, "}A"));
    // "-" is "{M": C = 22 + 2 x 45 = 112 mod 47 = 18 ("I"); K = 44 + 135 + 18 = 197 mod 47
    // = 9. The standard writes "-" as itself.
    QCOMPARE(data(bcCode93Extended, "-"),
             counts("111141" "311121" "111222" "112311" "141111" "1111411"));
    QCOMPARE(data(bcCode93Extended, "."), data(bcCode93, "{N"));
    // "$", "%", "+", "/" are shifted like the other punctuation; zint writes Code 93's
    // own characters of those values instead (both read as the same text).
    QCOMPARE(data(bcCode93Extended, "$%+/"), data(bcCode93, "{D{E{K{O"));
    QCOMPARE(data(bcCode93Extended, std::string(1, '\0')), data(bcCode93, "]U"));
    QCOMPARE(data(bcCode93Extended, "\x1B\x7F@`"), data(bcCode93, "]A]T]V]W"));
    QCOMPARE(data(bcCode93Extended, "AZ09 "), data(bcCode93, "AZ09 "));
    QCOMPARE(data(bcCode93Extended, "\xC3\xA9" "a"), data(bcCode93Extended, "a"));
}

void TestBarcodeSymbologies::msi()
{
    // 1234567: odd positions from the right 1, 3, 5, 7 -> 1357; 2 x 1357 = 2714, digit
    // sum 14; even positions 2 + 4 + 6 = 12; 26 -> check 4.
    const std::string expected = std::string("60") + "51515160" "51516051" "51516060" "51605151"
                                 "51605160" "51606051" "51606060" + "51605151" + "515";
    QCOMPARE(data(bcCodeMSI, "1234567"), expected);
    QCOMPARE(msiCheckOf(data(bcCodeMSI, "")), 0);
    QCOMPARE(msiCheckOf(data(bcCodeMSI, "0")), 0);
    QCOMPARE(msiCheckOf(data(bcCodeMSI, "5")), 9);  // 2 x 5 = 10, digit sum 1
}

void TestBarcodeSymbologies::msiLongTexts()
{
    // A number of the odd-position digits would overflow on long texts. Where it
    // does not (here up to 17 digits), the result equals that arithmetic's.
    std::uint64_t seed = 12345;
    auto next = [&] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((seed >> 33) % 10);
    };
    for (int i = 0; i < 2000; ++i) {
        const int len = 1 + i % 17;
        std::string t;
        for (int k = 0; k < len; ++k)
            t += static_cast<char>('0' + next());
        const int check = msiCheckOf(data(bcCodeMSI, t));
        QCOMPARE(check, msiPartCheck(t));
        QCOMPARE(check, luhnCheck(t));
    }
    // Beyond: 60 and 500 digits, against Luhn's digit-by-digit rule.
    for (int len : {60, 500}) {
        std::string t;
        for (int k = 0; k < len; ++k)
            t += static_cast<char>('0' + next());
        QCOMPARE(msiCheckOf(data(bcCodeMSI, t)), luhnCheck(t));
    }
    const std::string nines(40, '9');
    QCOMPARE(msiCheckOf(data(bcCodeMSI, nines)), luhnCheck(nines));
}

void TestBarcodeSymbologies::postNet()
{
    // No check digit: the standard (and zint) would add 5 (1 + 2 + 3 + 4 + 5 = 15).
    QCOMPARE(data(bcCodePostNet, "12345"),
             std::string("51") + "A1A1A15151" "A1A151A151" "A1A15151A1" "A151A1A151" "A151A151A1" + "5");
    QCOMPARE(data(bcCodePostNet, "0"), std::string("51" "5151A1A1A1" "5"));
    QCOMPARE(data(bcCodePostNet, ""), std::string("515"));
    QCOMPARE(encode(bcCodePostNet, " 12 ").text, std::string("12"));
}

void TestBarcodeSymbologies::codabar()
{
    const std::string a = "5061515", b = "5151506", one = "5050615", two = "5051506";
    QCOMPARE(data(bcCodeCodabar, "12"), a + "0" + one + "0" + two + "0" + b);
    // Characters not in the table are skipped.
    QCOMPARE(data(bcCodeCodabar, "1a2"), data(bcCodeCodabar, "12"));
    // "A" to "D" inside the data are encoded (the standard keeps them for start and stop).
    QCOMPARE(data(bcCodeCodabar, "A"), a + "0" + a + "0" + b);
    QCOMPARE(data(bcCodeCodabar, ""), a + "0" + b);
}

void TestBarcodeSymbologies::ean8()
{
    const std::string v1234567 = std::string("505") + kSetA[1] + kSetA[2] + kSetA[3] + kSetA[4] +
                                 "05050" + kSetC[5] + kSetC[6] + kSetC[7] + kSetC[0] + "505";
    const Encoded e = encode(bcCodeEAN8, "1234567", true);
    QCOMPARE(e.data, v1234567);
    QCOMPARE(e.text, std::string("1234567"));  // EAN-8 writes nothing back
    QCOMPARE(data(bcCodeEAN8, "12345670"), v1234567);
    // With Checksum the last seven digits are kept: "9991234567" -> "1234567".
    QCOMPARE(data(bcCodeEAN8, "9991234567", true), v1234567);
    // Zero-filled to 8 (not stored).
    const Encoded one = encode(bcCodeEAN8, "1");
    QCOMPARE(one.data, data(bcCodeEAN8, "00000001"));
    QCOMPARE(one.text, std::string("1"));
    QCOMPARE(encode(bcCodeEAN8, "123456789").error, QStringLiteral("Invalid Text len (EAN8)"));
    QCOMPARE(encode(bcCodeEAN8, "1234567", true, csmNone).error, QStringLiteral("Invalid Text len (EAN8)"));
}

void TestBarcodeSymbologies::ean13()
{
    // 4 selects ABAABB for 006381; 333931 in set C.
    const std::string expected = std::string("505") + kSetA[0] + kSetB[0] + kSetA[6] + kSetA[3] +
                                 kSetB[8] + kSetB[1] + "05050" + kSetC[3] + kSetC[3] + kSetC[3] +
                                 kSetC[9] + kSetC[3] + kSetC[1] + "505";
    QCOMPARE(data(bcCodeEAN13, "4006381333931"), expected);
    const Encoded e = encode(bcCodeEAN13, "400638133393", true);
    QCOMPARE(e.data, expected);
    QCOMPARE(e.text, std::string("400638133393"));  // nothing written back
    // "123" encodes "0000000000123" (zero-filled, not stored).
    const Encoded s = encode(bcCodeEAN13, "123");
    QCOMPARE(s.data, data(bcCodeEAN13, "0000000000123"));
    QCOMPARE(s.text, std::string("123"));
    // The card sheet: serial 1 without a computed check digit, "0000000000001"; a
    // standard encoder would refuse it or make the check digit 7 ("0000000000017").
    QCOMPARE(data(bcCodeEAN13, "1"), data(bcCodeEAN13, "0000000000001"));
    QCOMPARE(encode(bcCodeEAN13, "12345678901234").error, QStringLiteral("Invalid Text len (EAN13)"));
    QCOMPARE(encode(bcCodeEAN13, "1234567890123", true).error, QStringLiteral("Invalid Text len (EAN13)"));
    QCOMPARE(encode(bcCodeEAN13, "123", true, csmNone).error, QStringLiteral("Invalid Text len (EAN13)"));
    QCOMPARE(encode(bcCodeEAN13, "12345678901234").text, std::string("12345678901234"));
}

void TestBarcodeSymbologies::upcA()
{
    QCOMPARE(encode(bcCodeUPC_A, "12345").text, std::string("000000012345"));
    QCOMPARE(encode(bcCodeUPC_A, "12345", true).text, std::string("000000012348"));
    // With csmNone a plain method would cut the text to 11 digits and read past its
    // end; the modulo-10 digit is computed whatever the method.
    QCOMPARE(encode(bcCodeUPC_A, "12345", true, csmNone).text, std::string("000000012348"));
    QCOMPARE(encode(bcCodeUPC_A, "12345", true, csmNone).data, data(bcCodeUPC_A, "000000012348"));
    // UPC-A is EAN-13 with a leading 0.
    QCOMPARE(data(bcCodeUPC_A, "036000291452"), data(bcCodeEAN13, "0036000291452"));
    // A longer text without Checksum: its first 12 digits, the text kept.
    const Encoded longer = encode(bcCodeUPC_A, "0360002914529");
    QCOMPARE(longer.data, data(bcCodeUPC_A, "036000291452"));
    QCOMPARE(longer.text, std::string("0360002914529"));
    // Stored with its check digit, the next encoding is the same.
    TBarcode b;
    b.SetTyp(bcCodeUPC_A);
    b.SetChecksum(true);
    b.SetText("03600029145");
    const std::string first = b.MakeData();
    // Zero-filled first ("003600029145"), then its first 11 digits and their check
    // digit (57 -> 3): the 11-digit text loses its last digit.
    QCOMPARE(b.Text(), std::string("003600029143"));
    QCOMPARE(b.MakeData(), first);
}

void TestBarcodeSymbologies::upcE()
{
    // "6543210": the six digits 654321 expand to the UPC-A number 06510000432
    // (number system 0), whose check digit 7 picks the parity row "EoEoEo"; with
    // number system 1 the number 16510000432 has check digit 4, row "EoEEoo",
    // which UPC-E1 encodes the other way round.
    const std::string e0 = std::string("505") + kSetB[6] + kSetA[5] + kSetB[4] + kSetA[3] +
                           kSetB[2] + kSetA[1] + "050505";
    const std::string e1 = std::string("505") + kSetA[6] + kSetB[5] + kSetA[4] + kSetA[3] +
                           kSetB[2] + kSetB[1] + "050505";
    const Encoded plain = encode(bcCodeUPC_E0, "6543210");
    QCOMPARE(plain.data, e0);
    QCOMPARE(plain.text, std::string("6543210"));  // the 7th digit is not read
    const Encoded checked = encode(bcCodeUPC_E0, "6543210", true);
    QCOMPARE(checked.data, e0);
    QCOMPARE(checked.text, std::string("6543217"));
    QCOMPARE(encode(bcCodeUPC_E1, "6543210").data, e1);
    QCOMPARE(encode(bcCodeUPC_E1, "6543210", true).text, std::string("6543214"));
    // csmNone computes the same check digit.
    const Encoded none = encode(bcCodeUPC_E0, "6543210", true, csmNone);
    QCOMPARE(none.data, e0);
    QCOMPARE(none.text, std::string("6543217"));
    // "123456" is zero-filled to "0123456" (stored): the six digits are 012345,
    // expanded 00123400005, check digit 7.
    const Encoded six = encode(bcCodeUPC_E0, "123456", true);
    QCOMPARE(six.text, std::string("0123457"));
    QCOMPARE(six.data, data(bcCodeUPC_E0, "0123450"));

    // The expansion by the last digit: 0-2 manufacturer ending in it and "00",
    // 3 ending in "00", 4 ending in "0" with a one-digit item, 5-9 the item itself.
    const struct {
        char ns;
        const char* six;
        const char* upcA;
    } expansions[] = {
        {'0', "425261", "04210000526"}, {'0', "123450", "01200000345"}, {'1', "123452", "11220000345"},
        {'0', "123453", "01230000045"}, {'1', "123454", "11234000005"}, {'0', "123455", "01234500005"},
        {'0', "999999", "09999900009"},
    };
    for (const auto& e : expansions)
        QCOMPARE(UpcEToUpcA(e.ns, e.six), std::string(e.upcA));
    // A known symbol: UPC-E 0 425261 with check digit 4.
    QCOMPARE(encode(bcCodeUPC_E0, "4252610", true).text, std::string("4252614"));
}

void TestBarcodeSymbologies::supp5()
{
    // 12345: check 3 x (1 + 3 + 5) + 9 x (2 + 4) = 81 -> 1; row 1 "EEoEoo", letters 2
    // to 6 "EoEoo": B, A, B, A, A.
    const std::string expected = std::string("506") + kSetB[1] + "05" + kSetA[2] + "05" + kSetB[3] +
                                 "05" + kSetA[4] + "05" + kSetA[5];
    const Encoded e = encode(bcCodeUPC_Supp5, "12345");
    QCOMPARE(e.data, expected);
    QCOMPARE(e.text, std::string("12345"));
    TBarcode b;
    b.SetTyp(bcCodeUPC_Supp5);
    b.SetChecksum(true);
    b.SetText("12345");
    QCOMPARE(b.MakeData(), expected);
    QCOMPARE(b.Text(), std::string("123451"));  // the check digit stored, not encoded
    QCOMPARE(b.MakeData(), expected);
    QCOMPARE(b.Text(), std::string("123451"));
    QCOMPARE(encode(bcCodeUPC_Supp5, "1").text, std::string("00001"));
}

void TestBarcodeSymbologies::supp2()
{
    // 12 mod 4 = 0: "oo", both in set A.
    QCOMPARE(data(bcCodeUPC_Supp2, "12"), std::string("506") + kSetA[1] + "05" + kSetA[2]);
    // "7" is stored as "07"; 7 mod 4 = 3: "EE".
    const Encoded seven = encode(bcCodeUPC_Supp2, "7");
    QCOMPARE(seven.text, std::string("07"));
    QCOMPARE(seven.data, std::string("506") + kSetB[0] + "05" + kSetB[7]);
    // The parity of the two digits encoded, not of 123 mod 4 = 3
    // ("EE") for the digits 1 and 2, whose own parity is 12 mod 4 = 0 ("oo").
    QCOMPARE(data(bcCodeUPC_Supp2, "123"), data(bcCodeUPC_Supp2, "12"));
    // ... and does not overflow on a long text.
    QCOMPARE(data(bcCodeUPC_Supp2, std::string(40, '9')),
             std::string("506") + kSetB[9] + "05" + kSetB[9]);
    // 10 mod 4 = 2: "Eo"; 13 mod 4 = 1: "oE".
    QCOMPARE(data(bcCodeUPC_Supp2, "10"), std::string("506") + kSetB[1] + "05" + kSetA[0]);
    QCOMPARE(data(bcCodeUPC_Supp2, "13"), std::string("506") + kSetA[1] + "05" + kSetB[3]);
    // Checksum has no effect (a stored check digit would make Text grow and the
    // parity drift from one encoding to the next).
    TBarcode b;
    b.SetTyp(bcCodeUPC_Supp2);
    b.SetChecksum(true);
    b.SetText("12");
    const std::string first = b.MakeData();
    QCOMPARE(b.MakeData(), first);
    QCOMPARE(b.Text(), std::string("12"));
    QCOMPARE(first, data(bcCodeUPC_Supp2, "12"));
}

void TestBarcodeSymbologies::anyTextEncodesOrFailsCleanly()
{
    // Arbitrary bytes, settings and symbologies: an element string of the alphabet,
    // or one of the encoder's errors; nothing else (run under the sanitizers too).
    std::uint64_t seed = 99;
    auto next = [&](int n) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((seed >> 33) % static_cast<std::uint64_t>(n));
    };
    const std::string alphabet = "01235678ABCD";
    int encoded = 0;
    for (int i = 0; i < 20000; ++i) {
        TBarcode b;
        b.SetTyp(static_cast<TBarcodeType>(next(24)));
        b.SetModul(1 + next(49));
        b.SetRatio(next(40) / 8.0);
        b.SetChecksum(next(2) == 1);
        b.SetCheckSumMethod(next(2) ? csmModulo10 : csmNone);
        std::string text;
        const int len = next(40);
        const bool digits = next(2) == 1;
        for (int k = 0; k < len; ++k)
            text += digits ? static_cast<char>('0' + next(10)) : static_cast<char>(next(256));
        b.SetText(text);
        try {
            const std::string d = b.MakeData();
            QVERIFY(!d.empty());
            QVERIFY(d.find_first_not_of(alphabet) == std::string::npos);
            QVERIFY(b.DataWidth(d) > 0);
            ++encoded;
        } catch (const EBarcodeError&) {
        }
    }
    QVERIFY(encoded > 5000);
}

QTEST_APPLESS_MAIN(TestBarcodeSymbologies)
#include "test_barcode_symbologies.moc"
