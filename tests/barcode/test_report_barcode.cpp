// The barcode elements of report bands, printed to PDF and looked at as
// printed: the symbol fitted to its box in millimetres and read back by
// zbarimg, the print events, the field lookup of the data-set element, a text
// that cannot be encoded, and the design keys; on the sample sheets and the
// card sheet, the printed texts clear of the bars at every text option.

#include "barcode/ui/barcode_windows.h"
#include "barcode/ui/card_sheets.h"
#include "barcode/ui/report_barcode.h"
#include "platform/report/design.h"
#include "platform/report/report.h"
#include "tests/barcode/barcode_test_tools.h"
#include "tests/platform/report/pdf_pages.h"

#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

using namespace bctest;

namespace {

// EAN-13 texts with their check digit.
std::string ean(const std::string& twelve) { return CheckSumModulo10(twelve); }

// A 100 x 100 mm page, 10 mm margins, one detail band 30 mm high.
struct OneBand {
    Report r;
    ReportBand* detail;
    OneBand()
    {
        r.page.size = QSizeF(100, 100);
        r.page.margins = QMarginsF(10, 10, 10, 10);
        detail = &r.addBand(BandKind::Detail, 30);
    }
    template <class T>
    T* add(double left, double top, double width, double height)
    {
        auto* e = detail->add(std::make_unique<T>(QStringLiteral("ReportBarcode1")));
        e->Size = {left, top, width, height};
        return e;
    }
};

QStringList readPage(const PdfPages& pdf, int page)
{
    static QTemporaryDir dir;
    const QString file = dir.filePath(QString("page-%1.png").arg(page));
    pdf.pages[page].save(file);
    return zbarSymbols(file);
}

bool near(double a, double b, double slack = 0.3) { return qAbs(a - b) <= slack; }

QString box(const QRectF& r)
{
    return QString("[%1, %2, %3, %4]").arg(r.left(), 0, 'f', 2).arg(r.top(), 0, 'f', 2)
        .arg(r.right(), 0, 'f', 2).arg(r.bottom(), 0, 'f', 2);
}

// The bars printed in a region (mm) of a page: the box of the dark runs down
// each pixel column that are taller than a line of text, and whether all of
// them start at the same height (a text painted over bars cuts their tops).
struct Bars {
    QRectF box;
    bool evenTops = true;
};

Bars barsIn(const QImage& page, int dpi, const QRectF& mm)
{
    const double px = dpi / 25.4;
    const QRect r = QRectF(mm.topLeft() * px, mm.size() * px).toRect() & page.rect();
    const int tallest = qRound(3.0 * px);  // a 5-point line is about 2 mm
    Bars bars;
    QList<int> tops;
    for (int x = r.left(); x <= r.right(); ++x) {
        int start = -1;
        for (int y = r.top(); y <= r.bottom() + 1; ++y) {
            const bool dark = y <= r.bottom() && qGray(page.pixel(x, y)) < 128;
            if (dark && start < 0)
                start = y;
            if (!dark && start >= 0) {
                if (y - start > tallest) {
                    bars.box |= QRectF(x / px, start / px, 1 / px, (y - start) / px);
                    tops << start;
                }
                start = -1;
            }
        }
    }
    if (!tops.isEmpty())
        bars.evenTops = *std::max_element(tops.begin(), tops.end()) - *std::min_element(tops.begin(), tops.end()) <= 1;
    return bars;
}

// Every barcode element of a printed band: the bars must stand upright and
// whole, and each word printed around them (the code below, the type name
// above) must lie clear of their box; the code must print within the
// element's box. bandTop: the band's top on the page (mm).
void checkTextsClearOfBars(const PdfPages& pdf, ReportBand& band, double bandTop, const QString& sheet)
{
    const QImage& page = pdf.pages[0];
    const auto words = pdf.words(0);
    const int dpi = qRound(page.width() / (pdf.paperMm(0).width() / 25.4));
    int checked = 0;
    for (const auto& e : band.elements()) {
        auto* b = dynamic_cast<TReportCustomBarcode*>(e.get());
        if (!b)
            continue;
        const QString name = sheet + " " + b->name() + " <" + QString::fromStdString(b->Barcode().Text()) + ">";
        const QRectF at(10 + b->Size.Left, bandTop + b->Size.Top, b->Size.Width, b->Size.Height);
        QVERIFY2(b->PrintError.isEmpty(), qPrintable(name + ": " + b->PrintError));
        const Bars bars = barsIn(page, dpi, at.adjusted(-1, -1, 1, 1));
        QVERIFY2(!bars.box.isEmpty() && bars.evenTops, qPrintable(name + " bars " + box(bars.box)));
        QVERIFY2(near(bars.box.top(), at.top()), qPrintable(name + " bars " + box(bars.box)));
        const bool code = b->ShowText() == bcoCode || b->ShowText() == bcoBoth;
        const bool typ = b->ShowText() == bcoTyp || b->ShowText() == bcoBoth;
        bool codeSeen = false, typSeen = false;
        const QRectF around = at.adjusted(-1, -5, 1, 3);
        for (const auto& w : words) {
            if (!around.contains(w.box.center()))
                continue;
            QVERIFY2(!w.box.intersects(bars.box),
                     qPrintable(name + ": \"" + w.text + "\" " + box(w.box) + " on bars " + box(bars.box)));
            if (w.text == QString::fromStdString(b->Barcode().Text())) {
                codeSeen = true;
                QVERIFY2(w.box.bottom() <= at.bottom() + 0.3, qPrintable(name + " code " + box(w.box)));
            }
            typSeen |= w.box.bottom() <= at.top();
        }
        QVERIFY2(codeSeen == code && typSeen == typ, qPrintable(name + " texts"));
        if (!code)  // the bars keep the whole box
            QVERIFY2(near(bars.box.bottom(), at.bottom()), qPrintable(name + " bars " + box(bars.box)));
        ++checked;
    }
    QVERIFY(checked > 0);
}

} // namespace

class TestReportBarcode : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fittedToItsBox();
    void emptyTextPrintsNothing();
    void dataSetFieldPerRow();
    void fieldLookup();
    void unencodableTextLeavesAMessage();
    void designKeys();
    void textsClearOfBars();
};

void TestReportBarcode::initTestCase()
{
    registerBarcodeElements();
    if (toolPath(QStringLiteral("zbarimg")).isEmpty())
        QFAIL("zbarimg is not installed (Debian package zbar-tools, scripts/setup.sh)");
}

void TestReportBarcode::fittedToItsBox()
{
    OneBand b;
    auto* e = b.add<TReportBarcode>(20, 5, 25.4, 13.2);
    e->SetText(QString::fromStdString(ean("400638133393")));
    int before = 0, after = 0;
    TBarcode seen;
    e->BeforePrint = [&](TReportCustomBarcode&) { ++before; };
    e->AfterPrint = [&](TReportCustomBarcode& s) {
        ++after;
        seen.Assign(s.Barcode());
    };
    PdfPages pdf(b.r, 300);
    QCOMPARE(pdf.pages.size(), 1);
    QCOMPARE(before, 1);
    QCOMPARE(after, 1);

    // On the 1200-dpi PDF device: origin and height from the box, and Modul
    // rescaled so that 95 modules come nearest the box's 1200 pixels: 12.
    const double px = 1200 / 25.4;
    QCOMPARE(seen.Left(), qRound(30 * px));
    QCOMPARE(seen.Top(), qRound(15 * px));
    QCOMPARE(seen.Height(), qRound(28.2 * px) - qRound(15 * px));
    QCOMPARE(seen.Modul(), 12);

    const QRectF ink = pdf.ink(0, QRectF(25, 10, 40, 25));
    const QString where = QString("ink [%1, %2, %3, %4]").arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom());
    QVERIFY2(near(ink.left(), 30) && near(ink.top(), 15) && near(ink.bottom(), 28.2)
                 && near(ink.width(), 95 * 12 / px),
             qPrintable(where));
    QCOMPARE(readPage(pdf, 0), QStringList{"EAN-13:4006381333931"});
}

void TestReportBarcode::emptyTextPrintsNothing()
{
    OneBand b;
    auto* e = b.add<TReportBarcode>(20, 5, 25.4, 13.2);
    int before = 0, after = 0;
    e->BeforePrint = [&](TReportCustomBarcode&) { ++before; };
    e->AfterPrint = [&](TReportCustomBarcode&) { ++after; };
    PdfPages pdf(b.r);
    QCOMPARE(before, 1);
    QCOMPARE(after, 1);
    QVERIFY(pdf.ink(0, QRectF(0, 0, 100, 100)).isEmpty());
}

void TestReportBarcode::dataSetFieldPerRow()
{
    OneBand b;
    auto* e = b.add<TReportDBBarcode>(20, 5, 25.4, 13.2);
    e->DataField = QStringLiteral("code");
    const QStringList codes = {QString::fromStdString(ean("978020137962")),
                               QString::fromStdString(ean("501234567890")),
                               QString::fromStdString(ean("400638133393"))};
    QStandardItemModel rows(0, 2);
    rows.setHorizontalHeaderLabels({"id", "CODE"});
    for (const QString& c : codes)
        rows.appendRow({new QStandardItem("x"), new QStandardItem(c)});
    b.r.setModel(&rows);
    QStringList printed;
    e->AfterPrint = [&](TReportCustomBarcode& s) { printed << QString::fromStdString(s.Barcode().Text()); };

    PdfPages pdf(b.r, 300);
    QCOMPARE(printed, codes);
    QCOMPARE(pdf.pages.size(), 2);      // rows at 10, 40; the third needs a new page
    QStringList read = readPage(pdf, 0) + readPage(pdf, 1);
    read.sort();
    QStringList expected;
    for (const QString& c : codes)
        expected << "EAN-13:" + c;
    expected.sort();
    QCOMPARE(read, expected);
}

void TestReportBarcode::fieldLookup()
{
    // A field the data set does not have: the text the element had prints on
    // every row. After the run an empty DataField takes the element's name.
    OneBand b;
    auto* missing = b.add<TReportDBBarcode>(5, 5, 25.4, 10);
    missing->DataField = QStringLiteral("nosuch");
    missing->Barcode().SetText("4006381333931");
    auto* unnamed = b.add<TReportDBBarcode>(40, 5, 25.4, 10);
    unnamed->setName(QStringLiteral("ReportDBBarcode7"));
    QStandardItemModel rows(0, 1);
    rows.setHorizontalHeaderLabels({"code"});
    rows.appendRow(new QStandardItem("5012345678900"));
    b.r.setModel(&rows);
    bool foundDuringRun = true;
    missing->AfterPrint = [&](TReportCustomBarcode&) { foundDuringRun = missing->fieldFound(); };

    PdfPages pdf(b.r, 300);
    QVERIFY(!foundDuringRun);
    QCOMPARE(missing->Barcode().Text(), std::string("4006381333931"));
    QCOMPARE(missing->DataField, QStringLiteral("nosuch"));
    QCOMPARE(unnamed->DataField, QStringLiteral("ReportDBBarcode7"));
    QVERIFY(unnamed->Barcode().Text().empty());
    QCOMPARE(readPage(pdf, 0), QStringList{"EAN-13:4006381333931"});

    // The next run looks the field up by that name; with no such field either,
    // its text stays empty and nothing prints in its box.
    PdfPages again(b.r, 100);
    QVERIFY(again.ink(0, QRectF(49, 14, 28, 12)).isEmpty());

    // A data set given to the element is used instead of the report's.
    ReportDataSet other;
    QStandardItemModel otherRows(0, 1);
    otherRows.setHorizontalHeaderLabels({"ReportDBBarcode7"});
    otherRows.appendRow(new QStandardItem("12345670"));
    other.setModel(&otherRows);
    unnamed->DataSet = &other;
    unnamed->SetTyp(bcCodeEAN8);
    PdfPages third(b.r, 300);
    QCOMPARE(unnamed->Barcode().Text(), std::string("12345670"));
    QVERIFY(readPage(third, 0).contains("EAN-8:12345670"));
}

void TestReportBarcode::unencodableTextLeavesAMessage()
{
    OneBand b;
    auto* e = b.add<TReportBarcode>(20, 5, 25.4, 13.2);
    e->SetText(QStringLiteral("12a"));
    int after = 0;
    e->AfterPrint = [&](TReportCustomBarcode&) { ++after; };
    PdfPages pdf(b.r);
    QCOMPARE(pdf.pages.size(), 1);
    QCOMPARE(after, 1);
    QCOMPARE(e->PrintError, QStringLiteral("Barcode must be numeric"));
    QVERIFY(pdf.ink(0, QRectF(0, 0, 100, 100)).isEmpty());
    // The next run with a good text clears it.
    e->SetText(QStringLiteral("4006381333931"));
    PdfPages again(b.r);
    QVERIFY(e->PrintError.isEmpty());
}

void TestReportBarcode::designKeys()
{
    QString error;
    auto r = ReportDesign::parse(R"({"bands": {"detail": {"height": 20, "elements": [
        {"type": "barcode", "name": "b1", "rect": [1, 2, 30, 10], "text": "ABC", "typ": "bcCode39",
         "modul": 3, "ratio": 2.5, "checksum": true, "checkSumMethod": "csmNone", "angle": 90,
         "showText": "bcoBoth", "color": "#ffff00", "colorBar": "navy", "barcodeHeight": 33},
        {"type": "dbbarcode", "name": "b2", "rect": [40, 2, 25.4, 13.2], "field": "serial2",
         "barcodeWidth": 190}
    ]}}})", ".", &error);
    QVERIFY2(r, qPrintable(error));
    auto* b1 = r->find<TReportBarcode>("b1");
    QVERIFY(b1);
    QCOMPARE(b1->Text(), QStringLiteral("ABC"));
    QCOMPARE(b1->Typ(), bcCode39);
    QCOMPARE(b1->Modul(), 3);
    QCOMPARE(b1->Ratio(), 2.5);
    QVERIFY(b1->Checksum());
    QCOMPARE(b1->CheckSumMethod(), csmNone);
    QCOMPARE(b1->Angle(), 90.0);
    QCOMPARE(b1->ShowText(), bcoBoth);
    QCOMPARE(b1->Color(), TColor(0xFFFF00));
    QCOMPARE(b1->ColorBar(), TColor(0x000080));
    QCOMPARE(b1->BarcodeHeight(), 33);
    QCOMPARE(b1->Size.Width, 30.0);
    auto* b2 = r->find<TReportDBBarcode>("b2");
    QVERIFY(b2);
    QCOMPARE(b2->DataField, QStringLiteral("serial2"));
    QCOMPARE(b2->Typ(), bcCodeEAN13);
    QCOMPARE(b2->Modul(), 2);  // fitted: 95 modules to 190 pixels

    const QList<QPair<QByteArray, QString>> faults = {
        {R"({"type": "barcode", "rect": [0, 0, 1, 1], "typ": "bcCodeEAN14"})", "no value \"bcCodeEAN14\""},
        {R"({"type": "barcode", "rect": [0, 0, 1, 1], "field": "x"})", "unknown key \"field\""},
        {R"({"type": "dbbarcode", "rect": [0, 0, 1, 1], "colorBar": "nocolour"})", "\"colorBar\" is not a colour"},
        {R"({"type": "dbbarcode", "rect": [0, 0, 1, 1], "modul": "3"})", "\"modul\" must be a number"},
        {R"({"type": "barcode", "rect": [0, 0, 1, 1], "showText": "yes"})", "\"showText\" has no value"},
    };
    for (const auto& [element, message] : faults) {
        error.clear();
        QVERIFY(!ReportDesign::parse(R"({"bands": {"detail": {"height": 20, "elements": [)" + element + "]}}}",
                                     ".", &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }
}

void TestReportBarcode::textsClearOfBars()
{
    // The two sample sheets: every symbology at every text option (the
    // column header is 10 mm high).
    TbarcodeTypes sheet1;
    TbarcodeTypes2 sheet2;
    for (Report* r : {&sheet1.report(), &sheet2.report()}) {
        PdfPages pdf(*r, 200);
        QCOMPARE(pdf.pages.size(), 1);
        // The codes and type names in the sheet's body family, its titles in their own.
        QCOMPARE(pdf.fonts(), (QStringList{"Nazli", "Titr-Bold"}));
        checkTextsClearOfBars(pdf, *r->band(BandKind::Detail), 20, r == &sheet1.report() ? "sheet 1" : "sheet 2");
        if (QTest::currentTestFailed())
            return;
    }

    // The card sheet with 10-digit serials: its two barcodes take the four
    // text options in two runs.
    Tcart_print cards;
    cards.setRows({{1234567890, 1234567891}});
    cards.ReportDBBarcode1->DataField = QStringLiteral("serial1");
    cards.ReportDBBarcode2->DataField = QStringLiteral("serial2");
    for (const auto& [right, left] : {std::pair{bcoCode, bcoBoth}, std::pair{bcoTyp, bcoNone}}) {
        cards.ReportDBBarcode1->SetShowText(right);
        cards.ReportDBBarcode2->SetShowText(left);
        PdfPages pdf(cards.report(), 200);
        QVERIFY(!pdf.fonts().join(' ').contains("DejaVu"));
        checkTextsClearOfBars(pdf, *cards.report().band(BandKind::Detail), 10, QString("cards %1").arg(int(right)));
        if (QTest::currentTestFailed())
            return;
    }
}

QTEST_MAIN(TestReportBarcode)
#include "test_report_barcode.moc"
