// The encoders against zint (Debian package zint): for every symbology where the
// encoder follows a published standard, a few hundred generated inputs are encoded
// here and by `zint --batch --dump`, and the module patterns must be equal.
// Where the encoder deliberately differs from the standard, the inputs stay inside
// the part they share (see test_barcode_symbologies for the differences):
//  - Code 39 and Code 93 extended: "-" and "." are left out (the encoder writes "/M",
//    "/N" and "{M", "{N"; the standard and zint keep them as themselves);
//  - Code 128 C: odd texts are compared with zint's text zero-filled on the left;
//  - PostNet: zint adds the standard check digit, which is cut out of its pattern;
//  - UPC-E: texts in the standard's form only (zint refuses the others);
//  - EAN-128: zint's GS1-128 of one AI ("[90]", "[99]") with the data in one code set.
// A missing zint fails the test: CI installs it.

#include "tests/barcode/barcode_test_tools.h"

#include <QtTest>

using namespace bctest;

namespace {

struct Case {
    std::string text;       // TBarcode's Text
    std::string zintInput;  // what zint is given
    std::string storedText; // Text after encoding, when the encoder writes it back; empty: unchanged
};

struct Setup {
    TBarcodeType typ = bcCodeEAN13;
    double ratio = 2.0;
    int modul = 1;
    bool checksum = false;
};

} // namespace

class TestBarcodeZint : public QObject {
    Q_OBJECT

    QString m_zint;

    // Encodes every case, runs zint once over all of them, compares the patterns.
    void compare(const Setup& setup, const std::vector<Case>& cases, const QString& symbology,
                 const QStringList& extraArgs = {}, bool escape = true, int minCases = 100);

private slots:
    void initTestCase();
    void interleaved2of5();
    void industrial2of5();
    void matrix2of5();
    void code39();
    void code39Checksum();
    void code39Extended();
    void code128B();
    void code128C();
    void code93();
    void code93Extended();
    void msi();
    void postNet();
    void codabar();
    void ean8();
    void ean13();
    void upcA();
    void upcE0();
    void upcE1();
    void supp2();
    void supp5();
    void ean128B();
    void ean128C();
    void ean128CChecksum();
};

void TestBarcodeZint::initTestCase()
{
    m_zint = toolPath(QStringLiteral("zint"));
    if (m_zint.isEmpty())
        QFAIL("zint is not installed (Debian package zint, scripts/setup.sh): the comparison cannot run");
}

void TestBarcodeZint::compare(const Setup& setup, const std::vector<Case>& cases,
                              const QString& symbology, const QStringList& extraArgs, bool escape,
                              int minCases)
{
    QVERIFY2(static_cast<int>(cases.size()) >= minCases, "too few generated inputs");
    std::vector<std::string> inputs;
    for (const Case& c : cases)
        inputs.push_back(c.zintInput);
    QString error;
    const auto rows = zintRows(m_zint, symbology, inputs, extraArgs, escape, 1, &error);
    QVERIFY2(!rows.empty(), qPrintable(error));

    int mismatches = 0;
    QString report;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        TBarcode b;
        b.SetTyp(setup.typ);
        b.SetModul(setup.modul);
        b.SetRatio(setup.ratio);
        b.SetChecksum(setup.checksum);
        b.SetText(cases[i].text);
        std::string ours;
        try {
            ours = trimTrailingSpaces(encodeModules(b));
        } catch (const std::exception& e) {
            ours = std::string("error: ") + e.what();
        }
        const std::string theirs = trimTrailingSpaces(rows[i][0]);
        const std::string stored = cases[i].storedText.empty() ? cases[i].text : cases[i].storedText;
        if (ours != theirs || b.Text() != stored) {
            if (++mismatches <= 3)
                report += QStringLiteral("\ntext <%1> (stored <%2>, expected <%3>)\n ours %4\n zint %5")
                              .arg(QString::fromStdString(cases[i].text), QString::fromStdString(b.Text()),
                                   QString::fromStdString(stored), QString::fromStdString(ours),
                                   QString::fromStdString(theirs));
        }
    }
    QVERIFY2(mismatches == 0,
             qPrintable(QStringLiteral("%1 of %2 differ from zint %3:%4")
                            .arg(mismatches).arg(cases.size()).arg(symbology, report)));
}

void TestBarcodeZint::interleaved2of5()
{
    // zint's wide elements are 3 modules: Ratio 3.0. Odd texts are not compared:
    // the encoder drops the last digit, the standard pads on the left.
    Rng rng(1);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(2 * rng.between(1, 20));
        cases.push_back({t, t, {}});
    }
    compare({bcCode_2_5_interleaved, 3.0}, cases, QStringLiteral("C25INTER"));
}

void TestBarcodeZint::industrial2of5()
{
    Rng rng(2);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(rng.between(1, 30));
        cases.push_back({t, t, {}});
    }
    compare({bcCode_2_5_industrial, 3.0}, cases, QStringLiteral("C25IND"));
}

void TestBarcodeZint::matrix2of5()
{
    // Ratio 3.0: narrow 1, wide 3 and the start/stop bar modules[2] = 4, as zint draws them.
    Rng rng(3);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(rng.between(1, 30));
        cases.push_back({t, t, {}});
    }
    compare({bcCode_2_5_matrix, 3.0}, cases, QStringLiteral("C25STANDARD"));
}

void TestBarcodeZint::code39()
{
    // zint's wide elements are 2 modules: Ratio 2.0. "*" is left out (zint refuses it).
    Rng rng(4);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.from(kCode39Chars, rng.between(1, 30));
        cases.push_back({t, t, {}});
    }
    compare({bcCode39, 2.0}, cases, QStringLiteral("CODE39"));
}

void TestBarcodeZint::code39Checksum()
{
    Rng rng(5);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.from(kCode39Chars, rng.between(1, 30));
        cases.push_back({t, t, {}});
    }
    Setup s{bcCode39, 2.0};
    s.checksum = true;
    compare(s, cases, QStringLiteral("CODE39"), {QStringLiteral("--vers=1")});
}

void TestBarcodeZint::code39Extended()
{
    const std::string alphabet = asciiRange(0, 127, "-.");
    Rng rng(6);
    std::vector<Case> plain, checked;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.from(alphabet, rng.between(1, 20));
        (i % 2 == 0 ? plain : checked).push_back({t, t, {}});
    }
    compare({bcCode39Extended, 2.0}, plain, QStringLiteral("EXCODE39"));
    Setup s{bcCode39Extended, 2.0};
    s.checksum = true;
    compare(s, checked, QStringLiteral("EXCODE39"), {QStringLiteral("--vers=1")});
}

void TestBarcodeZint::code128B()
{
    // zint's "Code 128 (Subset B)" never switches to set C; printable ASCII stays in B.
    const std::string alphabet = asciiRange(' ', '~');
    Rng rng(7);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.from(alphabet, rng.between(1, 30));
        cases.push_back({t, t, {}});
    }
    // Ratio plays no part in Code 128 (widths of 1..4 modules).
    compare({bcCode128B, 5.0}, cases, QStringLiteral("CODE128B"));
}

void TestBarcodeZint::code128C()
{
    // zint encodes all-digit texts of even length in set C from the start. The
    // encoder zero-fills an odd text on the left and stores it.
    Rng rng(8);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(rng.between(2, 40));
        const std::string even = t.size() % 2 ? "0" + t : t;
        cases.push_back({t, even, even});
    }
    compare({bcCode128C, 2.0}, cases, QStringLiteral("CODE128"));
}

void TestBarcodeZint::code93()
{
    Rng rng(9);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.from(kCode39Chars, rng.between(1, 40));
        cases.push_back({t, t, {}});
    }
    compare({bcCode93, 2.0}, cases, QStringLiteral("CODE93"));
}

void TestBarcodeZint::code93Extended()
{
    // Besides "-" and ".", zint writes "$", "%", "+" and "/" as Code 93's own
    // characters of those values, where the encoder's table (like the standard's
    // full-ASCII table) shifts them: "{D", "{E", "{K", "{O". Both read the same;
    // test_barcode_symbologies holds the encoder's vectors, test_barcode_readers reads them.
    const std::string alphabet = asciiRange(0, 127, "-.$%+/");
    Rng rng(10);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.from(alphabet, rng.between(1, 30));
        cases.push_back({t, t, {}});
    }
    compare({bcCode93Extended, 2.0}, cases, QStringLiteral("CODE93"));
}

void TestBarcodeZint::msi()
{
    // zint's MSI with the modulo-10 check digit (--vers=1); bars 1 and 2 modules.
    Rng rng(11);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(rng.between(1, 40));
        cases.push_back({t, t, {}});
    }
    compare({bcCodeMSI, 2.0}, cases, QStringLiteral("MSI_PLESSEY"), {QStringLiteral("--vers=1")});
}

void TestBarcodeZint::postNet()
{
    // The encoder adds no check digit; the standard (and zint) does. zint's pattern,
    // two rows (tall part, all bars), is cut of its check digit's ten columns.
    // Ratio 1.0 (PostNet is not clamped) makes the spaces one module, as zint's.
    Rng rng(12);
    std::vector<std::string> texts;
    for (int i = 0; i < 300; ++i)
        texts.push_back(rng.digits(rng.between(1, 30)));
    QString error;
    const auto rows = zintRows(m_zint, QStringLiteral("POSTNET"), texts, {}, false, 2, &error);
    QVERIFY2(!rows.empty(), qPrintable(error));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        TBarcode b;
        b.SetTyp(bcCodePostNet);
        b.SetRatio(1.0);
        b.SetText(texts[i]);
        const std::string ours = encodeModules(b);
        const std::string& tall = rows[i][0];
        const std::string& all = rows[i][1];
        std::string theirs;
        for (std::size_t x = 0; x < all.size(); ++x)
            theirs += all[x] == '1' ? (tall[x] == '1' ? '1' : '2') : '0';
        const std::size_t checkAt = 2 + 10 * texts[i].size();
        QVERIFY(theirs.size() >= checkAt + 10);
        theirs.erase(checkAt, 10);
        QCOMPARE(QString::fromStdString(ours), QString::fromStdString(trimTrailingSpaces(theirs)));
    }
}

void TestBarcodeZint::codabar()
{
    // The encoder adds the start "A" and the stop "B" itself; zint is given them.
    Rng rng(13);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.from("0123456789-$:/.+", rng.between(1, 30));
        cases.push_back({t, "A" + t + "B", {}});
    }
    compare({bcCodeCodabar, 2.0}, cases, QStringLiteral("CODABAR"));
}

void TestBarcodeZint::ean8()
{
    Rng rng(14);
    std::vector<Case> computed, given;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(7);
        computed.push_back({t, t, {}});
        if (i < 100) {
            const std::string full = CheckSumModulo10(t);  // zint refuses a wrong check digit
            given.push_back({full, full, {}});
        }
    }
    Setup s{bcCodeEAN8, 2.0};
    s.checksum = true;
    compare(s, computed, QStringLiteral("EANX"));
    compare({bcCodeEAN8, 2.0}, given, QStringLiteral("EANX_CHK"));
}

void TestBarcodeZint::ean13()
{
    // With Checksum the encoder zero-fills to 12 digits and appends the check digit.
    Rng rng(15);
    std::vector<Case> computed, given;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(i < 250 ? 12 : rng.between(1, 11));
        const std::string twelve = std::string(12 - t.size(), '0') + t;
        computed.push_back({t, twelve, {}});
        if (i < 100) {
            const std::string full = CheckSumModulo10(twelve);
            given.push_back({full, full, {}});
        }
    }
    Setup s{bcCodeEAN13, 2.25};  // the card sheet's Ratio: widths stay 1..4 modules
    s.checksum = true;
    compare(s, computed, QStringLiteral("EANX"));
    compare({bcCodeEAN13, 2.0, 1}, given, QStringLiteral("EANX_CHK"));
}

void TestBarcodeZint::upcA()
{
    // The encoder zero-fills Text to 12 digits (stored) and replaces the 12th by the
    // check digit of the first 11 (stored).
    Rng rng(16);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(i < 200 ? 12 : rng.between(1, 11));
        const std::string twelve = std::string(12 - t.size(), '0') + t;
        const std::string eleven = twelve.substr(0, 11);
        cases.push_back({t, eleven, CheckSumModulo10(eleven)});
    }
    Setup s{bcCodeUPC_A, 2.0};
    s.checksum = true;
    compare(s, cases, QStringLiteral("UPCA"));
}

namespace {

// Six-digit UPC-E texts in the standard's form, with the standard check digit of
// number system ns (that of the UPC-A expansion) as the stored Text.
std::vector<Case> upcECases(char ns, std::uint64_t seed)
{
    Rng rng(seed);
    std::vector<Case> cases;
    while (cases.size() < 250) {
        const std::string six = rng.digits(6);
        if (!upcEStandardForm(six))
            continue;  // zint refuses what the standard writes otherwise
        cases.push_back({six, std::string(1, ns) + six, six + upcEStandardCheck(ns, six)});
    }
    return cases;
}

} // namespace

void TestBarcodeZint::upcE0()
{
    // Text is the six digits and their check digit, which Checksum stores
    // again; zint is given the number system "0" and the six digits.
    std::vector<Case> cases = upcECases('0', 17);
    for (Case& c : cases)
        c.text = c.storedText;  // seven digits: kept as they are
    Setup s{bcCodeUPC_E0, 2.0};
    s.checksum = true;
    compare(s, cases, QStringLiteral("UPCE"));
}

void TestBarcodeZint::upcE1()
{
    // UPC-E1 is the number-system-1 parity (zint: the text starts with "1").
    std::vector<Case> cases = upcECases('1', 18);
    for (Case& c : cases)
        c.text = c.storedText;
    Setup s{bcCodeUPC_E1, 2.0};
    s.checksum = true;
    compare(s, cases, QStringLiteral("UPCE"));
}

void TestBarcodeZint::supp2()
{
    // zint's EAN-2 alone (EANX of two digits). Longer texts: the encoder
    // encodes the first two digits with their own parity.
    Rng rng(19);
    std::vector<Case> cases;
    for (int v = 0; v < 100; ++v) {
        const std::string t = std::to_string(v / 10) + std::to_string(v % 10);
        cases.push_back({t, t, {}});
    }
    for (int i = 0; i < 100; ++i) {
        const std::string t = rng.digits(rng.between(3, 25));
        cases.push_back({t, t.substr(0, 2), {}});
    }
    for (int v = 0; v < 10; ++v) {
        const std::string t = std::to_string(v);
        cases.push_back({t, "0" + t, "0" + t});
    }
    compare({bcCodeUPC_Supp2, 2.0}, cases, QStringLiteral("EANX"));
}

void TestBarcodeZint::supp5()
{
    Rng rng(20);
    std::vector<Case> plain, checked;
    for (int i = 0; i < 300; ++i) {
        const std::string t = rng.digits(i < 200 ? 5 : rng.between(1, 4));
        const std::string five = std::string(5 - t.size(), '0') + t;
        if (i % 2 == 0)
            plain.push_back({t, five, five});
        else
            checked.push_back({t, five, CheckSumSupp5(five + "0")});
    }
    compare({bcCodeUPC_Supp5, 2.0}, plain, QStringLiteral("EANX"));
    Setup s{bcCodeUPC_Supp5, 2.0};
    s.checksum = true;
    compare(s, checked, QStringLiteral("EANX"));
}

void TestBarcodeZint::ean128B()
{
    // GS1-128 of AI 90 followed by no digits: zint keeps the whole symbol in set B.
    const std::string alphabet = asciiRange(' ', '~', "0123456789[]()\\");
    Rng rng(21);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string rest = rng.from(alphabet, rng.between(1, 25));
        cases.push_back({"90" + rest, "[90]" + rest, {}});
    }
    compare({bcCodeEAN128B, 2.0}, cases, QStringLiteral("GS1_128"),
            {QStringLiteral("--gs1nocheck")}, false);
}

void TestBarcodeZint::ean128C()
{
    Rng rng(22);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string rest = rng.digits(2 * rng.between(1, 20));
        cases.push_back({"99" + rest, "[99]" + rest, {}});
    }
    compare({bcCodeEAN128C, 2.0}, cases, QStringLiteral("GS1_128"),
            {QStringLiteral("--gs1nocheck")}, false);
}

void TestBarcodeZint::ean128CChecksum()
{
    // With Checksum the data is Text and its modulo-10 digit; Text is not changed.
    Rng rng(23);
    std::vector<Case> cases;
    for (int i = 0; i < 300; ++i) {
        const std::string text = "99" + rng.digits(2 * rng.between(0, 19) + 1);
        const std::string data = CheckSumModulo10(text);
        cases.push_back({text, "[99]" + data.substr(2), {}});
    }
    Setup s{bcCodeEAN128C, 2.0};
    s.checksum = true;
    compare(s, cases, QStringLiteral("GS1_128"), {QStringLiteral("--gs1nocheck")}, false);
}

QTEST_GUILESS_MAIN(TestBarcodeZint)
#include "test_barcode_zint.moc"
