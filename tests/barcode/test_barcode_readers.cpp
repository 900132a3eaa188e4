// The encoders' symbols read back by two independent decoders: zbarimg (Debian
// zbar-tools) and ZXingReader (zxing-cpp-tools). Each case is encoded here, drawn
// into a PNG from its element string (one pixel per width unit, a quiet zone added
// by the test) and decoded; the decoded text must be the one the standard gives.
// Covered: every symbology that the decoders read (EAN-8, EAN-13, UPC-A, UPC-E0,
// UPC-E1, the add-ons beside an EAN-13, Code 39 and its full-ASCII form, Code 93
// and its extended form, Code 128 A, B, C, EAN-128 A, B, C, interleaved 2 of 5,
// Codabar). Two-of-five industrial and matrix, MSI and PostNet have no reader
// here; test_barcode_zint covers them.
// The module-count symbologies are drawn with Ratio 2.25 and Modul up to 3 as
// well: widths from the general Ratio rule would then not be whole modules.
// A missing decoder fails the test: CI installs both.

#include "tests/barcode/barcode_test_tools.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace bctest;

namespace {

struct Decoded {
    QString type;        // zbar's symbol type or ZXing's format
    QByteArray data;
    QString extra;       // zbar's modifiers, ZXing's identifier
    QByteArray addOn;    // ZXing's add-on
};

struct ReaderCase {
    TBarcodeType typ = bcCodeEAN13;
    std::string text;
    bool checksum = false;
    int modul = 1;
    double ratio = 2.0;
    // An add-on drawn right of the main symbol, 9 modules apart.
    bool withAddOn = false;
    TBarcodeType addOnTyp = bcCodeUPC_Supp5;
    std::string addOnText;

    // What the decoders must read.
    QString zbarType;
    QByteArray zbarData;
    QString zxingFormat;
    QByteArray zxingData;
    QString zxingIdentifier;  // empty: not checked
    bool fullAscii39 = false; // decode the raw Code 39 text with the standard's full-ASCII table
    bool gs1 = false;         // zbar must flag GS1 (FNC1 after the start)
};

QMap<QString, QList<Decoded>> parseZbar(const QByteArray& xml)
{
    QMap<QString, QList<Decoded>> out;
    QXmlStreamReader r(xml);
    QString source;
    Decoded current;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (r.name() == QLatin1String("source")) {
                source = QFileInfo(r.attributes().value(QLatin1String("href")).toString()).fileName();
                out[source];
            } else if (r.name() == QLatin1String("symbol")) {
                current = Decoded();
                current.type = r.attributes().value(QLatin1String("type")).toString();
                current.extra = r.attributes().value(QLatin1String("modifiers")).toString();
            } else if (r.name() == QLatin1String("data")) {
                const bool base64 = r.attributes().value(QLatin1String("format")) == QLatin1String("base64");
                const QString text = r.readElementText();
                current.data = base64 ? QByteArray::fromBase64(text.toLatin1()) : text.toUtf8();
                out[source].append(current);
            }
        }
    }
    return out;
}

QMap<QString, QList<Decoded>> parseZxing(const QByteArray& text)
{
    QMap<QString, QList<Decoded>> out;
    QString file;
    Decoded* current = nullptr;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("File")) {
            file = QFileInfo(value).fileName();
            out[file];
            current = nullptr;
        } else if (key == QLatin1String("Text")) {
            out[file].append(Decoded());
            current = &out[file].last();
        } else if (current && key == QLatin1String("Bytes")) {
            current->data = QByteArray::fromHex(value.toLatin1().replace(' ', ""));
        } else if (current && key == QLatin1String("Format")) {
            current->type = value;
        } else if (current && key == QLatin1String("Identifier")) {
            current->extra = value;
        } else if (current && key == QLatin1String("Add-On")) {
            current->addOn = value.toLatin1();
        }
    }
    return out;
}

// EAN-13 and UPC-A are one family: a UPC-A reading "d" is the EAN-13 "0d".
Decoded normalised(Decoded d)
{
    if (d.type == QLatin1String("UPC-A")) {
        d.type = QStringLiteral("EAN-13");
        d.data.prepend('0');
    }
    return d;
}

QString show(const QList<Decoded>& list)
{
    QStringList parts;
    for (const Decoded& d : list)
        parts << QStringLiteral("%1 <%2> %3 %4").arg(d.type, QString::fromLatin1(d.data.toPercentEncoding(" ")), d.extra,
                                                   QString::fromLatin1(d.addOn));
    return parts.isEmpty() ? QStringLiteral("nothing") : parts.join(QStringLiteral("; "));
}

std::string toStd(const QByteArray& b) { return b.toStdString(); }

} // namespace

class TestBarcodeReaders : public QObject {
    Q_OBJECT

    QString m_zbar;
    QString m_zxing;
    QTemporaryDir m_dir;
    int m_image = 0;

    void read(const QString& name, const std::vector<ReaderCase>& cases, const QStringList& zbarFlags = {});

private slots:
    void initTestCase();
    void ean13();
    void ean8();
    void upcA();
    void upcE0();
    void upcE1();
    void addOns();
    void code39();
    void code39FullAscii();
    void code93();
    void code93Extended();
    void code128();
    void ean128();
    void interleaved2of5();
    void codabar();
};

void TestBarcodeReaders::initTestCase()
{
    m_zbar = toolPath(QStringLiteral("zbarimg"));
    m_zxing = toolPath(QStringLiteral("ZXingReader"));
    if (m_zbar.isEmpty())
        QFAIL("zbarimg is not installed (Debian package zbar-tools, scripts/setup.sh)");
    if (m_zxing.isEmpty())
        QFAIL("ZXingReader is not installed (Debian package zxing-cpp-tools, scripts/setup.sh)");
    QVERIFY(m_dir.isValid());
}

void TestBarcodeReaders::read(const QString& name, const std::vector<ReaderCase>& cases,
                              const QStringList& zbarFlags)
{
    QStringList files;
    for (const ReaderCase& c : cases) {
        TBarcode b;
        b.SetTyp(c.typ);
        b.SetModul(c.modul);
        b.SetRatio(c.ratio);
        b.SetChecksum(c.checksum);
        b.SetText(c.text);
        std::string pattern = encodeModules(b);
        if (c.withAddOn) {
            TBarcode a;
            a.SetTyp(c.addOnTyp);
            a.SetModul(c.modul);
            a.SetText(c.addOnText);
            pattern += std::string(static_cast<std::size_t>(9 * c.modul), '0') + encodeModules(a);
        }
        const QString file = QStringLiteral("%1-%2.png").arg(name).arg(++m_image);
        // Two pixels per width unit: one-pixel modules sit at the readers' limit.
        QVERIFY(writePng(m_dir.filePath(file), pattern, 12 * c.modul, 60, 2));
        files << m_dir.filePath(file);
    }

    QStringList zbarArgs{QStringLiteral("--nodbus"), QStringLiteral("-q"), QStringLiteral("--xml")};
    zbarArgs << zbarFlags << files;
    const ToolRun zbar = runTool(m_zbar, zbarArgs);
    QVERIFY2(zbar.started && zbar.finished, "zbarimg did not run");
    const auto zbarRead = parseZbar(zbar.out);

    QStringList zxingArgs{QStringLiteral("-ispure")};
    zxingArgs << files;
    const ToolRun zxing = runTool(m_zxing, zxingArgs);
    QVERIFY2(zxing.started && zxing.finished, "ZXingReader did not run");
    const auto zxingRead = parseZxing(zxing.out);

    int failures = 0;
    QString report;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const ReaderCase& c = cases[i];
        const QString file = QFileInfo(files[static_cast<qsizetype>(i)]).fileName();
        const QString label = QStringLiteral("%1 <%2> Modul %3 Ratio %4")
                                  .arg(file, QString::fromStdString(c.text)).arg(c.modul).arg(c.ratio);

        if (!c.zbarType.isEmpty()) {
            bool found = false;
            for (Decoded d : zbarRead.value(file)) {
                d = normalised(d);
                if (c.fullAscii39)
                    d.data = QByteArray::fromStdString(code39FullAsciiDecode(toStd(d.data)));
                if (d.type == c.zbarType && d.data == c.zbarData &&
                    (!c.gs1 || d.extra.contains(QLatin1String("GS1"))))
                    found = true;
            }
            if (!found && ++failures <= 5)
                report += QStringLiteral("\n%1: zbar wants %2 <%3>, read %4")
                              .arg(label, c.zbarType, QString::fromLatin1(c.zbarData), show(zbarRead.value(file)));
        }
        if (!c.zxingFormat.isEmpty()) {
            bool found = false;
            for (Decoded d : zxingRead.value(file)) {
                d = normalised(d);
                if (c.fullAscii39)
                    d.data = QByteArray::fromStdString(code39FullAsciiDecode(toStd(d.data)));
                if (c.withAddOn) {
                    // ZXing appends the add-on to the text after a blank.
                    if (d.type == c.zxingFormat && d.addOn == c.zxingData)
                        found = true;
                } else if (d.type == c.zxingFormat && d.data == c.zxingData &&
                           (c.zxingIdentifier.isEmpty() || d.extra == c.zxingIdentifier)) {
                    found = true;
                }
            }
            if (!found && ++failures <= 5)
                report += QStringLiteral("\n%1: ZXing wants %2 <%3> %4, read %5")
                              .arg(label, c.zxingFormat, QString::fromLatin1(c.zxingData), c.zxingIdentifier,
                                   show(zxingRead.value(file)));
        }
    }
    QVERIFY2(failures == 0, qPrintable(QStringLiteral("%1 readings failed:%2").arg(failures).arg(report)));
}

namespace {

// Moduls and Ratios the cases cycle through. For the module-count symbologies the
// Ratio changes nothing, for the others it is the wide-to-narrow ratio.
const int kModuls[] = {1, 2, 3};
const double kRatios[] = {2.0, 2.25, 2.5, 3.0};

ReaderCase base(TBarcodeType typ, int i)
{
    ReaderCase c;
    c.typ = typ;
    c.modul = kModuls[i % 3];
    c.ratio = kRatios[(i / 3) % 4];
    return c;
}

QByteArray q(const std::string& s) { return QByteArray::fromStdString(s); }

// What zbar calls a symbology and what ZXing calls it.
struct Names {
    QString zbar;
    QString zxing;
};

// count cases of the symbologies in types, taken in turn, with Modul and Ratio
// cycling; fill(rng, c, i) gives case i its text (and what else it needs) from
// the generator seeded with seed, and returns the text both decoders must read.
template <typename Fill>
std::vector<ReaderCase> generate(std::initializer_list<TBarcodeType> types, std::uint64_t seed, int count,
                                 const Names& names, Fill fill)
{
    Rng rng(seed);
    std::vector<ReaderCase> cases;
    for (int i = 0; i < count; ++i) {
        ReaderCase c = base(types.begin()[static_cast<std::size_t>(i) % types.size()], i);
        c.zbarType = names.zbar;
        c.zxingFormat = names.zxing;
        const std::string expected = fill(rng, c, i);
        c.zbarData = c.zxingData = q(expected);
        cases.push_back(c);
    }
    return cases;
}

// Set C holds digit pairs: an odd count of digits is stored with a leading "0".
std::string evenDigits(const std::string& digits) { return digits.size() % 2 != 0 ? "0" + digits : digits; }

// Printable ASCII, and the characters of it that Code 128's set A holds.
const std::string kPrintable = asciiRange(' ', '~');
const std::string kCode128SetA = asciiRange(' ', '_');

} // namespace

void TestBarcodeReaders::ean13()
{
    const auto cases = generate({bcCodeEAN13}, 101, 30, {"EAN-13", "EAN-13"}, [](Rng& rng, ReaderCase& c, int) {
        c.text = rng.digits(12);
        c.checksum = true;
        return CheckSumModulo10(c.text);
    });
    read(QStringLiteral("ean13"), cases);
}

void TestBarcodeReaders::ean8()
{
    const auto cases = generate({bcCodeEAN8}, 102, 30, {"EAN-8", "EAN-8"}, [](Rng& rng, ReaderCase& c, int) {
        c.text = rng.digits(7);
        c.checksum = true;
        return CheckSumModulo10(c.text);
    });
    read(QStringLiteral("ean8"), cases);
}

void TestBarcodeReaders::upcA()
{
    const auto cases = generate({bcCodeUPC_A}, 103, 30, {"EAN-13", "EAN-13"}, [](Rng& rng, ReaderCase& c, int) {
        c.text = rng.digits(11) + "0";  // the 12th digit is replaced by the check digit
        c.checksum = true;
        return "0" + CheckSumModulo10(c.text.substr(0, 11));
    });
    read(QStringLiteral("upca"), cases);
}

namespace {

// UPC-E cases of six random digits in the standard's form, Text stored with its
// check digit: every symbol must read as the number system, the six digits and
// the standard check digit (that of the number expanded to UPC-A).
std::vector<ReaderCase> upcECases(TBarcodeType typ, char ns, std::uint64_t seed, bool zbar)
{
    Rng rng(seed);
    std::vector<ReaderCase> cases;
    while (cases.size() < 250) {
        const std::string six = rng.digits(6);
        if (!upcEStandardForm(six))
            continue;
        ReaderCase c = base(typ, static_cast<int>(cases.size()));
        c.text = six + "0";
        c.checksum = true;
        const QByteArray expected = q(std::string(1, ns) + six + upcEStandardCheck(ns, six));
        if (zbar) {
            c.zbarType = QStringLiteral("UPC-E");
            c.zbarData = expected;
        }
        c.zxingFormat = QStringLiteral("UPC-E");
        c.zxingData = expected;
        cases.push_back(c);
    }
    return cases;
}

} // namespace

void TestBarcodeReaders::upcE0()
{
    read(QStringLiteral("upce0"), upcECases(bcCodeUPC_E0, '0', 104, true), {QStringLiteral("-Supce.enable")});
}

void TestBarcodeReaders::upcE1()
{
    // zbar reads no number-system-1 symbol at all (none of these); ZXing reads both.
    read(QStringLiteral("upce1"), upcECases(bcCodeUPC_E1, '1', 105, false));
}

void TestBarcodeReaders::addOns()
{
    // The add-ons are read beside a main symbol: an EAN-13 and, 9 modules to its right,
    // the two- or five-digit add-on; ZXing reports the pair under the main symbol's name.
    auto cases = generate({bcCodeEAN13}, 106, 40, {QString(), "EAN-13"}, [](Rng& rng, ReaderCase& c, int i) {
        c.text = rng.digits(12);
        c.checksum = true;
        c.withAddOn = true;
        const bool five = i % 2 == 0;
        c.addOnTyp = five ? bcCodeUPC_Supp5 : bcCodeUPC_Supp2;
        c.addOnText = rng.digits(five ? rng.between(1, 5) : 2);
        c.zbarType = five ? QStringLiteral("EAN-5") : QStringLiteral("EAN-2");
        return std::string((five ? 5 : 2) - c.addOnText.size(), '0') + c.addOnText;
    });
    // A long two-digit add-on text: the first two digits, with their own parity.
    ReaderCase c = base(bcCodeEAN13, 0);
    c.text = "400638133393";
    c.checksum = true;
    c.withAddOn = true;
    c.addOnTyp = bcCodeUPC_Supp2;
    c.addOnText = "123";  // a parity of 123 mod 4 would not read as 12
    c.zbarType = QStringLiteral("EAN-2");
    c.zxingFormat = QStringLiteral("EAN-13");
    c.zbarData = c.zxingData = "12";
    cases.push_back(c);
    read(QStringLiteral("addon"), cases, {QStringLiteral("-Sean2.enable"), QStringLiteral("-Sean5.enable")});
}

void TestBarcodeReaders::code39()
{
    // Readers return the check character as data; it must be the standard's.
    const auto cases = generate({bcCode39}, 107, 40, {"CODE-39", "Code39"}, [](Rng& rng, ReaderCase& c, int i) {
        c.text = rng.from("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.$/+%", rng.between(1, 20));
        c.checksum = i % 2 == 1;
        if (!c.checksum)
            return c.text;
        int sum = 0;
        for (char ch : c.text)
            sum += static_cast<int>(kCode39Chars.find(ch));
        return c.text + kCode39Chars[static_cast<std::size_t>(sum % 43)];
    });
    read(QStringLiteral("code39"), cases);
}

void TestBarcodeReaders::code39FullAscii()
{
    // Read raw and decoded with the standard's full-ASCII table here. "-" and "."
    // (written "/M", "/N" by the encoder) decode to themselves.
    const auto cases = generate({bcCode39Extended}, 108, 40, {"CODE-39", "Code39"}, [](Rng& rng, ReaderCase& c, int i) {
        c.text = i == 0 ? std::string("a-b.c") : rng.from(kPrintable, rng.between(1, 12));
        c.fullAscii39 = true;
        return c.text;
    });
    read(QStringLiteral("code39x"), cases);
}

void TestBarcodeReaders::code93()
{
    const auto cases = generate({bcCode93}, 109, 30, {"CODE-93", "Code93"}, [](Rng& rng, ReaderCase& c, int) {
        c.text = rng.from(kCode39Chars, rng.between(1, 25));
        return c.text;
    });
    read(QStringLiteral("code93"), cases);
}

void TestBarcodeReaders::code93Extended()
{
    // Both readers decode Code 93's full ASCII themselves, the encoder's "{M", "{N" for
    // "-", "." and its shifted "$", "%", "+", "/" included.
    const auto cases = generate({bcCode93Extended}, 110, 40, {"CODE-93", "Code93"}, [](Rng& rng, ReaderCase& c, int i) {
        c.text = i == 0 ? std::string("a-b.c$%+/") : rng.from(kPrintable, rng.between(1, 15));
        return c.text;
    });
    read(QStringLiteral("code93x"), cases);
}

void TestBarcodeReaders::code128()
{
    // Sets A, B and C in turn.
    const auto fill = [](Rng& rng, ReaderCase& c, int) {
        c.zxingIdentifier = QStringLiteral("]C0");
        if (c.typ == bcCode128C) {
            c.text = rng.digits(rng.between(1, 30));
            return evenDigits(c.text);
        }
        c.text = rng.from(c.typ == bcCode128A ? kCode128SetA : kPrintable, rng.between(1, 20));
        return c.text;
    };
    const auto cases = generate({bcCode128A, bcCode128B, bcCode128C}, 111, 60, {"CODE-128", "Code128"}, fill);
    read(QStringLiteral("code128"), cases);
}

void TestBarcodeReaders::ean128()
{
    // FNC1 after the start: zbar flags GS1, ZXing's symbology identifier is ]C1.
    const auto fill = [](Rng& rng, ReaderCase& c, int i) {
        c.gs1 = true;
        c.zxingIdentifier = QStringLiteral("]C1");
        if (c.typ == bcCodeEAN128C) {
            c.text = rng.digits(rng.between(2, 30));
            c.checksum = i % 2 == 1;
            return evenDigits(c.checksum ? CheckSumModulo10(c.text) : c.text);
        }
        c.text = "90" + rng.from(c.typ == bcCodeEAN128A ? kCode128SetA : kPrintable, rng.between(1, 15));
        return c.text;
    };
    const auto cases = generate({bcCodeEAN128A, bcCodeEAN128B, bcCodeEAN128C}, 112, 60, {"CODE-128", "Code128"}, fill);
    read(QStringLiteral("ean128"), cases);
}

void TestBarcodeReaders::interleaved2of5()
{
    // The readers want six digits or more.
    const auto cases = generate({bcCode_2_5_interleaved}, 113, 30, {"I2/5", "ITF"}, [](Rng& rng, ReaderCase& c, int) {
        c.text = rng.digits(2 * rng.between(3, 12));
        return c.text;
    });
    read(QStringLiteral("itf"), cases);
}

void TestBarcodeReaders::codabar()
{
    // zbar returns the start "A" and stop "B" that the encoder adds; ZXing drops them.
    // Both refuse a single data character: the texts have two or more.
    auto cases = generate({bcCodeCodabar}, 114, 30, {"Codabar", "Codabar"}, [](Rng& rng, ReaderCase& c, int) {
        c.text = rng.from("0123456789-$:/.+", rng.between(2, 20));
        return c.text;
    });
    for (ReaderCase& c : cases)
        c.zbarData = q("A" + c.text + "B");
    read(QStringLiteral("codabar"), cases);
}

QTEST_GUILESS_MAIN(TestBarcodeReaders)
#include "test_barcode_readers.moc"
