// Report designs: a design file becomes the report it describes, its faults
// are reported with the place they are at, element types of other folders
// plug in, and every design built into the program loads.

#include "pdf_pages.h"
#include "platform/image/jpeg.h"
#include "platform/report/design.h"
#include "platform/report/elements.h"

#include <QStandardItemModel>
#include <QtTest>

namespace {

QString sourceDir() { return qEnvironmentVariable("TUVEK_TEST_SOURCE_DIR"); }

QByteArray withDetail(const QByteArray& elements)
{
    return R"({"bands": {"detail": {"height": 10, "elements": [)" + elements + "]}}}";
}

} // namespace

class TestReportDesign : public QObject {
    Q_OBJECT

private slots:
    void designFileBecomesItsReport()
    {
        QTemporaryDir dir;
        const QString design = dir.filePath("letter.json");
        QVERIFY(QFile::copy(sourceDir() + "/tests/platform/report/designs/letter.json", design));
        QImage logo(20, 10, QImage::Format_RGB888);
        logo.fill(Qt::black);
        QFile jpeg(dir.filePath("logo.jpg"));
        QVERIFY(jpeg.open(QIODevice::WriteOnly));
        jpeg.write(Jpeg::encode(logo));
        jpeg.close();

        QString error;
        std::unique_ptr<Report> r = ReportDesign::load(design, &error);
        QVERIFY2(r, qPrintable(error));
        QCOMPARE(r->caption, QString("letter"));
        QCOMPARE(r->page.size, QSizeF(148, 210));
        QCOMPARE(r->page.margins, QMarginsF(7, 10, 7, 10));
        QVERIFY(!r->band(BandKind::Title));
        QCOMPARE(r->band(BandKind::PageHeader)->Height, 30.0);
        QCOMPARE(r->band(BandKind::Summary)->Height, 40.0);

        // Fonts: the element's keys over the band's over the report's.
        auto* title = r->find<ReportLabel>("title");
        QCOMPARE(title->font.family(), QString("Titr"));
        QCOMPARE(title->font.pointSizeF(), 14.0);
        QVERIFY(title->font.bold());
        QCOMPARE(title->alignment, Qt::AlignHCenter | Qt::AlignVCenter);
        QVERIFY(title->frame.left && title->frame.top && title->frame.right && title->frame.bottom);
        auto* ostan = r->find<ReportLabel>("ostan");
        QCOMPARE(ostan->font.family(), QString("DejaVu Sans"));
        QVERIFY(ostan->font.bold());
        QVERIFY(ostan->rightToLeft);
        QCOMPARE(ostan->Size.Left, 30.0);
        QCOMPARE(ostan->Size.Width, 74.0);
        auto* fname = r->find<ReportDBText>("fname");
        QCOMPARE(fname->DataField, QString("fname"));
        QVERIFY(!fname->font.bold());
        QVERIFY(!fname->rightToLeft);
        QCOMPARE(fname->alignment, Qt::AlignLeft | Qt::AlignBottom);
        QCOMPARE(r->find<ReportRowNumber>("row")->Start, 2);
        auto* note = r->find<ReportMemo>("note");
        QVERIFY(note->wordWrap && note->clip);
        QCOMPARE(note->alignment, Qt::AlignRight | Qt::AlignTop);
        QCOMPARE(note->Caption, QString("first line\nsecond line"));
        auto* retired = r->find<ReportShape>("retired");
        QVERIFY(!retired->Enabled);
        QCOMPARE(retired->fill, QColor(Qt::black));
        QCOMPARE(r->find<ReportShape>("employee")->penColor, QColor("navy"));
        QCOMPARE(r->find<ReportShape>("employee")->penWidth, 0.3);
        QCOMPARE(r->find<ReportImage>("logo")->Picture.size(), QSize(20, 10));
        const auto& columns = r->band(BandKind::ColumnHeader)->elements();
        QCOMPARE(static_cast<ReportText*>(columns[1].get())->frame.width, 0.4);
        auto* signature = static_cast<ReportText*>(r->band(BandKind::PageFooter)->elements()[0].get());
        QVERIFY(signature->autoSize && signature->wordWrap && signature->clip);
        QCOMPARE(signature->background, QColor("#eeeeee"));

        // Code fills it and prints it: the summary comes after the header
        // (30), the column header (8) and two rows of 8, from the top margin.
        QStandardItemModel rows(0, 1);
        rows.setHorizontalHeaderLabels({"fname"});
        rows.appendRow(new QStandardItem("Sara"));
        rows.appendRow(new QStandardItem("Reza"));
        r->setModel(&rows);
        retired->Enabled = true;
        QVERIFY(r->setCaption("ostan", "Tehran"));
        PdfPages pdf(*r);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(qAbs(pdf.paperMm(0).width() - 148) < 1);
        const QRectF box = pdf.ink(0, QRectF(5, 86, 5, 9));
        QVERIFY2(qAbs(box.left() - 7) < 0.6 && qAbs(box.top() - 89) < 0.6 && qAbs(box.bottom() - 93) < 0.6,
                 qPrintable(QString("%1 %2 %3").arg(box.left()).arg(box.top()).arg(box.bottom())));
        QStringList words;
        for (const auto& w : pdf.words(0))
            words << w.text;
        QVERIFY(words.contains("Sara") && words.contains("Reza") && words.contains("Tehran"));
    }

    void faultsNameThePlace_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("not JSON") << QByteArray("{") << "design: not a JSON object";
        QTest::newRow("unknown key") << QByteArray(R"({"bands": {}, "colour": 1})")
                                     << R"(design: unknown key "colour")";
        QTest::newRow("unknown band") << QByteArray(R"({"bands": {"footer": {"height": 5}}})")
                                      << "bands.footer: no such band";
        QTest::newRow("band without height") << QByteArray(R"({"bands": {"detail": {}}})")
                                             << R"(bands.detail: "height" must be a number)";
        QTest::newRow("unknown element")
            << withDetail(R"({"type": "lable", "rect": [0, 0, 1, 1]})")
            << R"(bands.detail.elements[0]: no such element type "lable")";
        QTest::newRow("misspelt key")
            << withDetail(R"({"type": "label", "name": "ostan", "rect": [0, 0, 1, 1], "alighn": "left"})")
            << R"(bands.detail.elements[0] (ostan): unknown key "alighn")";
        QTest::newRow("short rect") << withDetail(R"({"type": "label", "rect": [0, 0, 1]})")
                                    << R"(elements[0]: "rect" must be 4 numbers)";
        QTest::newRow("negative width") << withDetail(R"({"type": "frame", "rect": [0, 0, -1, 1]})")
                                        << "a width or height below 0";
        QTest::newRow("alignment")
            << withDetail(R"({"type": "label", "rect": [0, 0, 1, 1], "align": "middle"})")
            << R"("align" must be one of)";
        QTest::newRow("name twice")
            << withDetail(R"({"type": "label", "name": "a", "rect": [0, 0, 1, 1]},
                             {"type": "memo", "name": "a", "rect": [0, 0, 1, 1]})")
            << "elements[1] (a): the name is used twice";
        QTest::newRow("missing picture")
            << withDetail(R"({"type": "image", "file": "none.jpg", "rect": [0, 0, 1, 1]})")
            << R"(the picture "none.jpg" cannot be read)";
        QTest::newRow("colour") << withDetail(R"({"type": "frame", "rect": [0, 0, 1, 1], "fill": "blck"})")
                                << R"("fill" is not a colour)";
        QTest::newRow("frame side")
            << withDetail(R"({"type": "label", "rect": [0, 0, 1, 1], "frame": ["top", "middle"]})")
            << "a frame's sides are";
        QTest::newRow("font size")
            << withDetail(R"({"type": "label", "rect": [0, 0, 1, 1], "font": {"size": 0}})")
            << "a font's size must be above 0";
        QTest::newRow("paper") << QByteArray(R"({"page": {"size": "A3"}, "bands": {}})")
                               << R"(design: "size" is "A4", "A5" or [width, height])";
        QTest::newRow("margins")
            << QByteArray(R"({"page": {"size": [100, 105], "margins": {"left": 60, "right": 40}}, "bands": {}})")
            << "the margins leave no room on the paper";
    }

    void faultsNameThePlace()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        QString found;
        QTemporaryDir dir;
        QVERIFY(!ReportDesign::parse(json, dir.path(), &found));
        QVERIFY2(found.contains(error), qPrintable(found));
    }

    void missingDesignIsReported()
    {
        QString error;
        QVERIFY(!ReportDesign::load("no_such_report", &error));
        QVERIFY2(error.startsWith(":/reports/no_such_report.json: "), qPrintable(error));
    }

    void elementTypesOfOtherFoldersPlugIn()
    {
        struct Probe : TReportPrintable {
            QString value;
            void Print(double, double) override {}
        };
        QJsonObject given;
        ReportDesign::registerType("probe", [&](const QJsonObject& keys, QString* error)
                                                -> std::unique_ptr<TReportPrintable> {
            given = keys;
            if (!ReportDesign::onlyKeys(keys, {"value"}, error))
                return nullptr;
            auto p = std::make_unique<Probe>();
            p->value = keys.value("value").toString();
            return p;
        });
        QString error;
        auto r = ReportDesign::parse(
            withDetail(R"({"type": "probe", "name": "p", "rect": [1, 2, 3, 4], "value": "x"})"), ".", &error);
        QVERIFY2(r, qPrintable(error));
        QCOMPARE(given, QJsonObject({{"value", "x"}}));
        auto* p = r->find<Probe>("p");
        QVERIFY(p);
        QCOMPARE(p->value, QString("x"));
        QCOMPARE(p->Size.Top, 2.0);
        QCOMPARE(p->Size.Height, 4.0);
        QCOMPARE(p->report(), r.get());

        QVERIFY(!ReportDesign::parse(
            withDetail(R"({"type": "probe", "name": "p", "rect": [1, 2, 3, 4], "valeu": "x"})"), ".", &error));
        QCOMPARE(error, QString(R"(bands.detail.elements[0] (p): unknown key "valeu")"));
    }
};

QTEST_MAIN(TestReportDesign)
#include "test_report_design.moc"
