// The report engine on its own: where bands print, page breaks, right-to-left
// captions, element positions in millimetres, the printable element, the data
// set and the preview. Pages are looked at as printed (PDF through pdftoppm).

#include "pdf_pages.h"
#include "platform/image/jpeg.h"
#include "platform/report/elements.h"
#include "platform/report/report.h"
#include "platform/ui/texts.h"
#include "tests/support/msg_recorder.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStandardItemModel>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using Runs = QList<QPair<double, double>>;

// 1 px at 100 dpi is 0.254 mm; edges may fall on either pixel.
constexpr double Slack = 0.6;

bool near(double a, double b, double slack = Slack) { return qAbs(a - b) <= slack; }

QString show(const Runs& runs)
{
    QStringList out;
    for (const auto& r : runs)
        out << QString("[%1, %2]").arg(r.first, 0, 'f', 1).arg(r.second, 0, 'f', 1);
    return out.join(' ');
}

bool sameRuns(const Runs& actual, const Runs& expected)
{
    if (actual.size() != expected.size())
        return false;
    for (int i = 0; i < actual.size(); ++i)
        if (!near(actual[i].first, expected[i].first) || !near(actual[i].second, expected[i].second))
            return false;
    return true;
}

#define COMPARE_RUNS(actual, expected)                                                         \
    QVERIFY2(sameRuns(actual, expected),                                                       \
             qPrintable("found " + show(actual) + ", expected " + show(expected)))

#define COMPARE_BOX(actual, l, t, r, b)                                                        \
    QVERIFY2(near((actual).left(), l) && near((actual).top(), t) && near((actual).right(), r)  \
                 && near((actual).bottom(), b),                                                \
             qPrintable(QString("found [%1, %2, %3, %4]").arg((actual).left()).arg((actual).top()) \
                            .arg((actual).right()).arg((actual).bottom())))

ReportShape* box(ReportBand& band, double left, double top, double width, double height)
{
    auto* s = band.add(std::make_unique<ReportShape>());
    s->Size = {left, top, width, height};
    s->fill = Qt::black;
    s->penWidth = 0;
    return s;
}

QStandardItemModel* rowsOf(const QStringList& fields, const QList<QStringList>& rows, QObject* parent)
{
    auto* m = new QStandardItemModel(0, int(fields.size()), parent);
    m->setHorizontalHeaderLabels(fields);
    for (const QStringList& row : rows) {
        QList<QStandardItem*> items;
        for (const QString& v : row)
            items << new QStandardItem(v);
        m->appendRow(items);
    }
    return m;
}

// A 100 x 100 mm page with 10 mm margins; the page header, title, column
// header, summary and footer each print a small black box in a column of
// their own, so that a look down that column tells where they printed.
struct Banded {
    Report r;
    ReportShape* bar = nullptr;
    explicit Banded(double detailHeight = 20)
    {
        r.page.size = QSizeF(100, 100);
        r.page.margins = QMarginsF(10, 10, 10, 10);
        box(r.addBand(BandKind::PageHeader, 10), 0, 2, 10, 6);   // x 10..20
        box(r.addBand(BandKind::Title, 5), 15, 1, 10, 3);        // x 25..35
        box(r.addBand(BandKind::ColumnHeader, 5), 30, 1, 10, 3); // x 40..50
        // The detail bar starts at x 55; its width (mm) is the row's "w".
        ReportBand& detail = r.addBand(BandKind::Detail, detailHeight);
        bar = box(detail, 45, 5, 5, 10);
        detail.BeforePrint = [this](ReportBand&, bool&) {
            if (r.dataSet()->isActive())
                bar->Size.Width = r.dataSet()->value("w").toDouble();
        };
        box(r.addBand(BandKind::Summary, 10), 0, 2, 10, 6);      // x 10..20
        box(r.addBand(BandKind::PageFooter, 8), 15, 2, 10, 4);   // x 25..35, from y 82
    }
};

// The share of the ink of a page region in one rendering that the other
// has not within a pixel: where two renderings of the same line differ by
// more than their edges' rounding.
double unmatchedInk(const QImage& a, const QImage& b, const QRect& region)
{
    auto dark = [](const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; };
    int ink = 0, unmatched = 0;
    for (const auto& [one, other] : {std::pair{&a, &b}, std::pair{&b, &a}})
        for (int y = region.top() + 1; y < region.bottom(); ++y)
            for (int x = region.left() + 1; x < region.right(); ++x) {
                if (!dark(*one, x, y))
                    continue;
                ++ink;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx)
                        near = dark(*other, x + dx, y + dy);
                unmatched += !near;
            }
    return ink ? double(unmatched) / ink : 1;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void detailRepeatsPerRowAndPagesBreak()
    {
        Banded b;
        QList<QStringList> rows;
        for (int i = 1; i <= 7; ++i)
            rows << QStringList{QString::number(5 * i)};
        b.r.setModel(rowsOf({"w"}, rows, this));
        PdfPages pdf(b.r);
        QCOMPARE(pdf.pages.size(), 4);
        QCOMPARE(b.r.pageCount(), 4);

        // Page 1: header 10..20, title 20..25, column header 25..30, rows at
        // 30 and 50; a third row would end at 90, below the footer's 82.
        // Later pages: header, column header 20..25, two rows at 25 and 45.
        const QList<Runs> bars = {{{35, 45}, {55, 65}}, {{30, 40}, {50, 60}},
                                  {{30, 40}, {50, 60}}, {{30, 40}}};
        int row = 1;
        for (int page = 0; page < 4; ++page) {
            COMPARE_RUNS(pdf.runsDown(page, 56), bars[page]);
            for (const auto& bar : bars[page]) {
                const QRectF ink = pdf.ink(page, QRectF(54, bar.first + 1, 45, 1));
                QVERIFY2(near(ink.left(), 55) && near(ink.width(), 5.0 * row++),
                         qPrintable(QString("row %1 width %2").arg(row - 1).arg(ink.width())));
            }
            // Page header and column header on every page, the title on the first only.
            const double columns = page == 0 ? 26 : 21;
            COMPARE_RUNS(pdf.runsDown(page, 45), (Runs{{columns, columns + 3}}));
            // Column x 30: the title (first page) and the footer at 82 + 2 (every page).
            const Runs titleAndFooter = page == 0 ? Runs{{21, 24}, {84, 88}} : Runs{{84, 88}};
            COMPARE_RUNS(pdf.runsDown(page, 30), titleAndFooter);
            // Column x 15: the header, and the summary once, after the last row (45..55).
            const Runs headerAndSummary = page == 3 ? Runs{{12, 18}, {47, 53}} : Runs{{12, 18}};
            COMPARE_RUNS(pdf.runsDown(page, 15), headerAndSummary);
        }
    }

    void detailOnceWithoutDataSetNeverWithEmptyOne()
    {
        Banded once;
        PdfPages one(once.r);
        QCOMPARE(one.pages.size(), 1);
        COMPARE_RUNS(one.runsDown(0, 56), (Runs{{35, 45}}));

        // A bound data set without rows: no detail, but the page still has
        // its header, footer and summary.
        Banded never;
        never.r.setModel(rowsOf({"w"}, {}, this));
        PdfPages none(never.r);
        QCOMPARE(none.pages.size(), 1);
        QVERIFY(none.runsDown(0, 56).isEmpty());
        COMPARE_RUNS(none.runsDown(0, 15), (Runs{{12, 18}, {32, 38}}));
        COMPARE_RUNS(none.runsDown(0, 30), (Runs{{21, 24}, {84, 88}}));
    }

    void bandTallerThanThePagePrintsOnPagesOfItsOwn()
    {
        Banded b(150);
        b.r.setModel(rowsOf({"w"}, {{"5"}, {"5"}}, this));
        PdfPages pdf(b.r);
        QCOMPARE(pdf.pages.size(), 3); // two rows, then the summary
        COMPARE_RUNS(pdf.runsDown(0, 56), (Runs{{35, 45}}));
        COMPARE_RUNS(pdf.runsDown(1, 56), (Runs{{30, 40}}));
        COMPARE_RUNS(pdf.runsDown(2, 15), (Runs{{12, 18}, {27, 33}}));
        for (int page = 1; page < 3; ++page)
            COMPARE_RUNS(pdf.runsDown(page, 30), (Runs{{84, 88}})); // the footer on every page

    }

    void bandEventsSkipRowsAndRowNumbersCountPrintedRows()
    {
        Report r;
        r.page.size = QSizeF(100, 100);
        ReportBand& detail = r.addBand(BandKind::Detail, 10);
        auto* number = detail.add(std::make_unique<ReportRowNumber>("n"));
        number->Size = {60, 0, 20, 8};
        number->Start = 2;
        number->alignment = Qt::AlignLeft | Qt::AlignVCenter;
        auto* name = detail.add(std::make_unique<ReportDBText>("name", "NAME"));
        name->Size = {0, 0, 50, 8};
        name->alignment = Qt::AlignLeft | Qt::AlignVCenter;
        r.setModel(rowsOf({"name"}, {{"alpha"}, {"skipped"}, {"gamma"}, {"dropped"}, {"epsilon"}}, this));
        QStringList seenBefore;
        int after = 0;
        detail.BeforePrint = [&](ReportBand& band, bool& print) {
            seenBefore << QString::number(band.count());
            print = !r.dataSet()->text("name").endsWith("ped") && r.dataSet()->text("name") != "skipped";
        };
        detail.AfterPrint = [&](ReportBand&) { ++after; };

        PdfPages pdf(r);
        QCOMPARE(detail.count(), 3);
        QCOMPARE(after, 3);
        QCOMPARE(seenBefore, (QStringList{"0", "1", "1", "2", "2"}));
        QStringList lines;
        double lastTop = 0;
        for (const auto& w : pdf.words(0)) {
            lines << w.text;
            if (w.text == "gamma" || w.text == "epsilon") // no gap where rows were skipped
                QVERIFY(near(w.box.top() - lastTop, 10, 1));
            if (w.text.at(0).isLetter())
                lastTop = w.box.top();
        }
        QCOMPARE(lines, (QStringList{"alpha", "2", "gamma", "3", "epsilon", "4"}));
    }

    void captionsReadRightToLeftAndSitWhereAligned()
    {
        Report r;
        r.page.size = QSizeF(120, 60);
        ReportBand& band = r.addBand(BandKind::Detail, 40);
        // A caption that begins with digits, as "1-" in a list of copies: read
        // right to left, the digits come first, at the right.
        const QString caption = QStringLiteral("12345 سلام");
        auto add = [&](double top, bool rtl, Qt::Alignment align) {
            auto* l = band.add(std::make_unique<ReportLabel>(QString(), caption));
            l->Size = {0, top, 100, 8};
            l->rightToLeft = rtl;
            l->alignment = align | Qt::AlignVCenter;
        };
        add(0, true, Qt::AlignRight);
        add(10, false, Qt::AlignRight);
        add(20, true, Qt::AlignLeft);
        add(30, true, Qt::AlignHCenter);
        PdfPages pdf(r);

        // The digits and the Persian word of each line, found by their height.
        auto line = [&](double top) {
            QRectF digits, word;
            for (const auto& w : pdf.words(0)) {
                if (w.box.center().y() < top || w.box.center().y() > top + 8)
                    continue;
                if (w.text == "12345")
                    digits = w.box;
                else // pdftotext gives the Persian letters one by one
                    word = word.isNull() ? w.box : word.united(w.box);
            }
            return qMakePair(digits, word);
        };
        auto [d0, w0] = line(10);
        QVERIFY2(d0.left() > w0.right(), "right to left: the word follows the digits, leftwards");
        QVERIFY(near(d0.right(), 110, 1));
        // Left to right, also right-aligned: the word comes last, at the right edge.
        auto [d1, w1] = line(20);
        QVERIFY2(d1.right() < w1.left(), "left to right: the word follows the digits, rightwards");
        QVERIFY(near(pdf.ink(0, QRectF(0, 20, 120, 8)).right(), 110, 1));
        // Alignment is on the paper whatever the direction.
        QVERIFY(near(pdf.ink(0, QRectF(0, 30, 120, 8)).left(), 10, 1));
        const QRectF centred = pdf.ink(0, QRectF(0, 40, 120, 8));
        QVERIFY(near(centred.center().x(), 60, 1));
    }

    void elementsSitAtTheirMillimetres()
    {
        Report r;
        r.page.size = ReportPage::a5();
        r.page.margins = QMarginsF(7, 10, 7, 10);
        ReportBand& band = r.addBand(BandKind::Detail, 150);
        auto* frame = band.add(std::make_unique<ReportShape>());
        frame->Size = {5, 5, 40, 20};
        frame->penWidth = 0.5;
        box(band, 50, 5, 20, 10);
        auto* hline = band.add(std::make_unique<ReportShape>());
        hline->shape = ReportShape::Kind::HorizontalLine;
        hline->Size = {5, 30, 60, 4};
        hline->penWidth = 0.5;
        auto* vline = band.add(std::make_unique<ReportShape>());
        vline->shape = ReportShape::Kind::VerticalLine;
        vline->Size = {80, 5, 4, 30};
        vline->penWidth = 0.5;
        QImage black(10, 10, QImage::Format_RGB888);
        black.fill(Qt::black);
        auto* stretched = band.add(std::make_unique<ReportImage>());
        stretched->Size = {5, 50, 40, 20};
        stretched->Picture = Jpeg::decode(Jpeg::encode(black));
        auto* fitted = band.add(std::make_unique<ReportImage>());
        fitted->Size = {50, 50, 40, 20};
        fitted->Picture = stretched->Picture;
        fitted->Stretch = false;
        auto* framed = band.add(std::make_unique<ReportLabel>("framed", "x"));
        framed->Size = {5, 80, 30, 8};
        framed->frame = ReportFrame::all();
        framed->frame.width = 0.5;
        auto* grown = band.add(std::make_unique<ReportLabel>("grown", "a caption longer than its box"));
        grown->Size = {60, 100, 10, 8};
        grown->autoSize = true;
        grown->frame = ReportFrame::all();
        grown->frame.width = 0.5;
        PdfPages pdf(r);

        QVERIFY(near(pdf.paperMm(0).width(), 148) && near(pdf.paperMm(0).height(), 210));
        // Band origin: (7, 10). The rules are 0.5 mm wide, on the edges.
        COMPARE_BOX(pdf.ink(0, QRectF(10, 13, 45, 25)), 11.75, 14.75, 52.25, 35.25);
        QVERIFY(pdf.ink(0, QRectF(13, 16, 37, 17)).isEmpty());
        COMPARE_BOX(pdf.ink(0, QRectF(55, 13, 25, 15)), 57, 15, 77, 25);
        COMPARE_BOX(pdf.ink(0, QRectF(10, 38, 70, 6)), 11.75, 41.75, 72.25, 42.25);
        COMPARE_BOX(pdf.ink(0, QRectF(86, 13, 5, 35)), 88.75, 14.75, 89.25, 45.25);
        COMPARE_BOX(pdf.ink(0, QRectF(10, 58, 45, 24)), 12, 60, 52, 80);
        COMPARE_BOX(pdf.ink(0, QRectF(56, 58, 45, 24)), 67, 60, 87, 80);
        COMPARE_BOX(pdf.ink(0, QRectF(10, 88, 35, 11)), 11.75, 89.75, 42.25, 98.25);
        // Auto size, right-aligned: the box keeps its right edge and grows leftwards.
        const QRectF grownInk = pdf.ink(0, QRectF(0, 108, 148, 11));
        QVERIFY(near(grownInk.right(), 77.25));
        QVERIFY2(grownInk.left() < 60, qPrintable(QString::number(grownInk.left())));
    }

    void paperSizesAndOrientation_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSizeF>("paper");
        QTest::newRow("A4") << ReportPage::a4() << false << QSizeF(210, 297);
        QTest::newRow("A5 landscape") << ReportPage::a5() << true << QSizeF(210, 148);
        QTest::newRow("hourly leave slip") << QSizeF(100, 105) << false << QSizeF(100, 105);
        QTest::newRow("hourly mission slip") << QSizeF(100, 120) << false << QSizeF(100, 120);
    }

    void paperSizesAndOrientation()
    {
        QFETCH(QSizeF, size);
        QFETCH(bool, landscape);
        QFETCH(QSizeF, paper);
        Report r;
        r.page.size = size;
        r.page.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        r.page.margins = QMarginsF(5, 5, 5, 5);
        box(r.addBand(BandKind::PageFooter, 10), 0, 0, paper.width() - 10, 10);
        PdfPages pdf(r, 50);
        QVERIFY(near(pdf.paperMm(0).width(), paper.width(), 1));
        QVERIFY(near(pdf.paperMm(0).height(), paper.height(), 1));
        // The footer ends at the bottom margin, whichever way the paper lies.
        COMPARE_BOX(pdf.ink(0, QRectF(0, 0, paper.width(), paper.height())), 5, paper.height() - 15,
                    paper.width() - 5, paper.height() - 5);
    }

    void printableElementIsPreparedPrintedAndUnprepared()
    {
        struct Probe : TReportPrintable {
            QStringList* log;
            int xPosOfAnInch = 0;
            explicit Probe(QStringList* l) : log(l) {}
            void Prepare() override { *log << (Printer() ? "prepare" : "prepare without printer"); }
            void Print(double ox, double oy) override
            {
                *log << QString("print %1 %2").arg(ox).arg(oy);
                TReportPrinter& p = *Printer();
                xPosOfAnInch = p.XPos(25.4);
                const QPoint topLeft(p.XPos(Size.Left + ox), p.YPos(Size.Top + oy));
                const QPoint end(p.XPos(Size.Left + ox + Size.Width), p.YPos(Size.Top + oy + Size.Height));
                p.Canvas()->fillRect(QRect(topLeft, end - QPoint(1, 1)), Qt::black);
            }
            void UnPrepare() override { *log << "unprepare"; }
        };
        QStringList log;
        Report r;
        r.page.size = QSizeF(100, 100);
        r.page.margins = QMarginsF(12, 8, 10, 10);
        auto* probe = r.addBand(BandKind::Detail, 20).add(std::make_unique<Probe>(&log));
        probe->Size = {10, 5, 30, 10};
        r.setModel(rowsOf({"a"}, {{"1"}, {"2"}, {"3"}}, this));
        QCOMPARE(probe->report(), &r);
        PdfPages pdf(r);
        QCOMPARE(log, (QStringList{"prepare", "print 12 8", "print 12 28", "print 12 48", "unprepare"}));
        QCOMPARE(probe->Printer(), nullptr);
        QCOMPARE(probe->xPosOfAnInch, 1200); // PDF at 1200 dots per inch
        COMPARE_RUNS(pdf.runsDown(0, 30), (Runs{{13, 23}, {33, 43}, {53, 63}}));
        COMPARE_BOX(pdf.ink(0, QRectF(0, 10, 100, 15)), 22, 13, 52, 23);
    }

    void dataSetFindsFieldsByNameAndFetchesEveryRow()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "report_rows");
            db.setDatabaseName(":memory:");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("create table serials (serial1 integer, serial2 integer, note text)"));
            QVERIFY(db.transaction());
            for (int i = 1; i <= 599; i += 2)
                QVERIFY(q.exec(QString("insert into serials values (%1, %2, null)").arg(i).arg(i + 1)));
            QVERIFY(db.commit());

            QSqlQueryModel model;
            model.setQuery("select * from serials order by serial1", db);
            model.setHeaderData(0, Qt::Horizontal, QStringLiteral("سريال"));
            QSortFilterProxyModel sorted;
            sorted.setSourceModel(&model);
            for (QAbstractItemModel* m : {static_cast<QAbstractItemModel*>(&model),
                                          static_cast<QAbstractItemModel*>(&sorted)}) {
                ReportDataSet data(m);
                QCOMPARE(data.fieldIndex("SERIAL2"), 1); // by column, not by grid caption
                QCOMPARE(data.fieldIndex("serial1"), 0);
                QCOMPARE(data.fieldIndex("missing"), -1);
            }

            Report r;
            r.page.size = QSizeF(100, 100);
            ReportBand& detail = r.addBand(BandKind::Detail, 2);
            auto* serial = detail.add(std::make_unique<ReportDBText>("s", "serial2"));
            serial->Size = {0, 0, 10, 2};
            QStringList seen;
            detail.BeforePrint = [&](ReportBand&, bool&) {
                seen << serial->text() + "/" + r.dataSet()->text("note");
            };
            r.setModel(&model);
            QTemporaryDir dir;
            QVERIFY(r.savePdf(dir.filePath("rows.pdf")));
            QCOMPARE(detail.count(), 300); // past the first fetch of the query model
            QCOMPARE(r.detailNumber(), 300);
            QCOMPARE(seen.first(), QString("2/"));
            QCOMPARE(seen.last(), QString("600/"));
            QCOMPARE(r.pageCount(), 8); // 40 rows of 2 mm on each 80 mm page
        }
        QSqlDatabase::removeDatabase("report_rows");

        ReportDataSet data;
        QVERIFY(!data.isActive());
        {
            QStandardItemModel gone;
            data.setModel(&gone);
            QVERIFY(data.isActive());
        }
        QVERIFY(!data.isActive()); // a model that went away leaves the data set inactive
        QVERIFY(data.eof());
    }

    void captionsAreFilledByName()
    {
        Report r;
        ReportBand& band = r.addBand(BandKind::Detail, 10);
        band.add(std::make_unique<ReportLabel>("ostan"));
        band.add(std::make_unique<ReportMemo>("RepMemo1"));
        band.add(std::make_unique<ReportShape>("Shape1"));
        QVERIFY(r.setCaption("ostan", "x"));
        QVERIFY(r.setCaption("RepMemo1", "line 1\nline 2"));
        QCOMPARE(r.find<ReportLabel>("ostan")->Caption, QString("x"));
        QCOMPARE(r.find<ReportMemo>("RepMemo1")->text(), QString("line 1\nline 2"));
        QVERIFY(!r.setCaption("Shape1", "x"));
        QVERIFY(!r.setCaption("nothing", "x"));
        QVERIFY(!r.savePdf("/nonexistent folder/report.pdf"));
    }

    // A printed form saved to PDF from the preview where the disk fills up
    // (8 KB free on a small filesystem of the test's own) or where the folder
    // cannot be written: the reason with the path, and nothing left behind.
    void pdfWrittenWholeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString small = dir.filePath("small");
        QVERIFY(QDir().mkpath(small));
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", small}) != 0)
            QSKIP("no small filesystem could be mounted here (root only)");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {small}); });
        QFile filler(small + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly) && filler.write(QByteArray(56 * 1024, 'x')) == 56 * 1024);
        filler.close();
        QFile blocker(dir.filePath("a file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));

        Report r;
        ReportBand& title = r.addBand(BandKind::Title, 250);
        for (int line = 0; line < 40; ++line)
            title.add(std::make_unique<ReportLabel>(u"l%1"_s.arg(line), u"فرم درخواست وام شماره %1"_s.arg(line)))->Size =
                {10, 10 + 6.0 * line, 180, 5};
        QVERIFY(r.savePdf(dir.filePath("whole.pdf")));
        QVERIFY(QFileInfo(dir.filePath("whole.pdf")).size() > 8 * 1024);

        const QList<QPair<QString, QString>> cases = {
            {small + "/form.pdf", UiText::DiskFull},
            {blocker.fileName() + "/form.pdf", UiText::FolderNotWritable},
        };
        for (const auto& [path, message] : cases) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            MsgRecorder msgs;
            QVERIFY(!r.printTo(printer));
            QCOMPARE(msgs.texts(), QStringList{message.arg(Msg::filePath(path))});
            QVERIFY(!QFile::exists(path));
        }
        QCOMPARE(QDir(small).entryList(QDir::Files | QDir::Hidden), QStringList{"filler"});
    }

    void textsFitTheirBoxes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QSizeF>("box");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<bool>("rightToLeft");
        const QString surname = u"عبدالحسين زاده "_s.repeated(4).left(50);
        const QString purpose = u"پرداخت وام خريد مسکن و تعمير منزل مسکوني براي کارمند و خانواده وي "_s.repeated(3).left(150);
        QTest::newRow("a long surname in a list's column")
            << surname << ReportTextFamily << QSizeF(30, 6) << false << true;
        QTest::newRow("a purpose on one line of a letter")
            << purpose << u"Titr"_s << QSizeF(150, 7) << false << true;
        QTest::newRow("a Latin surname in a ticket's column")
            << u"Montgomery-Fitzwilliam Abernathy"_s << ReportTextFamily << QSizeF(25, 6) << false << false;
        QTest::newRow("house rules in a memo")
            << (u"پذيرش تنها براي افراد نام برده در اين فرم است. "_s.repeated(8)).trimmed() << u"Titr"_s
            << QSizeF(190, 20) << true << true;
        QTest::newRow("a short caption stays as it is")
            << u"شماره:"_s << ReportTextFamily << QSizeF(30, 6) << false << true;
    }

    void textsFitTheirBoxes()
    {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(QSizeF, box);
        QFETCH(bool, wrap);
        QFETCH(bool, rightToLeft);
        Report r;
        r.page.size = QSizeF(210, 60);
        r.page.margins = QMarginsF(10, 10, 10, 10);
        auto* t = r.addBand(BandKind::Detail, 40).add(std::make_unique<ReportLabel>(QString(), text));
        const QRectF paper(10 + 5, 10 + 5, box.width(), box.height());
        t->Size = {5, 5, box.width(), box.height()};
        t->font = reportFont(family, 11);
        t->wordWrap = wrap;
        t->rightToLeft = rightToLeft;
        PdfPages pdf(r);
        QVERIFY(!pdf.pages.isEmpty());

        // Every letter prints (pdftotext gives Persian letters one by one),
        // and each within the box's width.
        QString found;
        for (const auto& w : pdf.words(0)) {
            found += w.text;
            QVERIFY2(w.box.left() > paper.left() - 0.5 && w.box.right() < paper.right() + 0.5,
                     qPrintable(w.text));
        }
        found.remove(QChar(0x061C)).remove(QChar(0x200F));
        QString letters = text;
        letters.remove(QLatin1Char(' '));
        QCOMPARE(found.size(), letters.size());
        // No ink around the box.
        const QRectF around = paper.adjusted(-4, -4, 4, 4);
        for (const QRectF& side : {QRectF(around.topLeft(), QPointF(around.right(), paper.top() - 0.3)),
                                   QRectF(QPointF(around.left(), paper.bottom() + 0.3), around.bottomRight()),
                                   QRectF(around.topLeft(), QPointF(paper.left() - 0.3, around.bottom())),
                                   QRectF(QPointF(paper.right() + 0.3, around.top()), around.bottomRight())})
            QVERIFY2(pdf.ink(0, side).isEmpty(), qPrintable(QString("ink at %1, %2").arg(side.left()).arg(side.top())));
        // A text that fits keeps its font's size.
        if (text.size() < 10)
            QVERIFY(pdf.ink(0, paper).height() > 2.5);
    }

    // A text prints in its own family and the body's alone: the letters its
    // family lacks, all of a family not installed, and a letter no family of
    // the form has, in the body's; never in a face of the font matcher's choosing.
    void textsPrintInTheFormsFamiliesAlone_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("fonts");
        QTest::newRow("the titles' family, without Latin letters") << u"Titr"_s << QStringList{"Nazli-Bold", "Titr-Bold"};
        QTest::newRow("a family not installed") << u"No Such Family"_s << QStringList{"Nazli"};
    }

    void textsPrintInTheFormsFamiliesAlone()
    {
        QFETCH(QString, family);
        QFETCH(QStringList, fonts);
        Report r;
        r.page.size = QSizeF(150, 40);
        auto* t = r.addBand(BandKind::Detail, 20).add(std::make_unique<ReportLabel>(QString(), u"کارت هديه Nowruz ■ ۱۴۰۳"_s));
        t->Size = {0, 0, 130, 10};
        t->font = reportFont(family, 12);
        PdfPages pdf(r);
        QCOMPARE(pdf.fonts(), fonts);
    }

    void previewShowsWhatThePdfPrints()
    {
        // Captions whose punctuation, brackets and digits sit at the ends of
        // their right-to-left runs.
        const QStringList captions = {u"شماره:"_s, u"تاريخ:"_s, u"(الف) بند"_s, u"12345 سلام"_s,
                                      u"نام: Sara (B.)"_s, u"1403/05/12 :تاريخ ورود"_s};
        Report r;
        r.page.size = QSizeF(120, 15 * captions.size() + 20);
        ReportBand& band = r.addBand(BandKind::Detail, 15 * captions.size());
        for (int i = 0; i < captions.size(); ++i) {
            auto* l = band.add(std::make_unique<ReportLabel>(QString(), captions[i]));
            l->Size = {0, 15.0 * i, 100, 12};
            l->font.setPointSize(20);
        }
        PdfPages pdf(r);
        QVERIFY(!pdf.pages.isEmpty());
        const QImage& printed = pdf.pages[0];

        auto dialog = r.createPreview();
        dialog->show();
        auto* pages = dialog->findChild<QPrintPreviewWidget*>();
        QVERIFY(pages);
        QTRY_COMPARE(pages->pageCount(), 1);
        auto* view = pages->findChild<QGraphicsView*>();
        QVERIFY(view && view->scene());
        QGraphicsItem* page = nullptr;
        for (QGraphicsItem* item : view->scene()->items())
            if (!page || item->boundingRect().width() > page->boundingRect().width())
                page = item;
        QVERIFY(page);
        const QSizeF paper = dialog->printer()->pageLayout().fullRectPixels(dialog->printer()->resolution()).size();
        QImage previewed(printed.size(), QImage::Format_RGB32);
        previewed.fill(Qt::white);
        {
            QPainter p(&previewed);
            p.setRenderHint(QPainter::Antialiasing);
            view->scene()->render(&p, QRectF(previewed.rect()), QRectF(page->scenePos(), paper));
        }
        dialog->close();

        for (int i = 0; i < captions.size(); ++i) {
            // 100 dpi: 3.94 pixels a millimetre; the label is at (10, 10 + 15 i).
            const QRect line(qRound(10 * 3.937), qRound((10 + 15 * i) * 3.937), qRound(100 * 3.937),
                             qRound(12 * 3.937));
            const double differ = unmatchedInk(printed, previewed, line);
            QVERIFY2(differ < 0.05, qPrintable(QString("%1: %2 of the ink differs").arg(captions[i]).arg(differ)));
        }
    }

    void previewGoesToTheHandlerOrTheWindow()
    {
        Banded b;
        b.r.caption = "preview";
        b.r.setModel(rowsOf({"w"}, {{"5"}, {"5"}, {"5"}}, this));
        Report* previewed = nullptr;
        Report::setPreviewHandler([&](Report& r) { previewed = &r; });
        b.r.preview();
        Report::setPreviewHandler(nullptr);
        QCOMPARE(previewed, &b.r);

        auto dialog = b.r.createPreview();
        QCOMPARE(dialog->windowTitle(), QString("preview"));
        dialog->show();
        auto* pages = dialog->findChild<QPrintPreviewWidget*>();
        QVERIFY(pages);
        QTRY_COMPARE(pages->pageCount(), 2);
        dialog->close();
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
