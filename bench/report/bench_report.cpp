// Renders a sheet of 1,000 two-up cards (500 detail rows) to PDF and prints
// the time and the peak memory. Each card has its frame, heading, picture,
// text, sentence, serial caption and serial number; barcodes are left out.

#include "bench/support/card_picture.h"
#include "bench/support/measure.h"
#include "platform/report/design.h"
#include "platform/report/elements.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const char* Design = R"({
  "page": {"size": "A4", "margins": 10},
  "font": {"family": "Titr", "size": 10},
  "bands": {"detail": {"height": 53.7, "elements": [
    {"type": "frame", "rect": [97.4, 2.1, 87.1, 49.0]},
    {"type": "label", "name": "heading1", "rect": [111.2, 4, 59.5, 7], "align": "center"},
    {"type": "image", "name": "picture1", "rect": [163.0, 4, 19.3, 21.4]},
    {"type": "memo", "name": "text1", "rect": [104.0, 12, 56.9, 32.0], "font": {"size": 8}},
    {"type": "label", "name": "sentence1", "rect": [111.2, 44, 59.5, 4], "align": "center", "font": {"size": 6}},
    {"type": "label", "text": "SERIAL", "rect": [160, 47, 20, 4], "font": {"size": 6}},
    {"type": "dbtext", "field": "serial1", "rect": [100, 47, 25, 4], "align": "left",
     "font": {"family": "Times New Roman", "size": 7}},
    {"type": "frame", "rect": [4.2, 2.1, 87.1, 49.0]},
    {"type": "label", "name": "heading2", "rect": [18.0, 4, 59.5, 7], "align": "center"},
    {"type": "image", "name": "picture2", "rect": [6.0, 4, 19.3, 21.4]},
    {"type": "memo", "name": "text2", "rect": [28.0, 12, 56.9, 32.0], "font": {"size": 8}},
    {"type": "label", "name": "sentence2", "rect": [18.0, 44, 59.5, 4], "align": "center", "font": {"size": 6}},
    {"type": "label", "text": "SERIAL", "rect": [67, 47, 20, 4], "font": {"size": 6}},
    {"type": "dbtext", "field": "serial2", "rect": [7, 47, 25, 4], "align": "left",
     "font": {"family": "Times New Roman", "size": 7}}
  ]}}
})";

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int cards = argc > 1 ? QString(argv[1]).toInt() : 1000;

    QString error;
    std::unique_ptr<Report> report = ReportDesign::parse(Design, ".", &error);
    if (!report) {
        out << error << Qt::endl;
        return 1;
    }
    const QImage picture = Bench::cardPicture();
    const QString text = QString::fromUtf8("متن روي کارت ").repeated(12);
    for (int i = 1; i <= 2; ++i) {
        report->setCaption(QString("heading%1").arg(i), QString::fromUtf8("کارت هديه"));
        report->setCaption(QString("text%1").arg(i), text);
        report->setCaption(QString("sentence%1").arg(i), QString::fromUtf8("جمله زير بارکد"));
        report->find<ReportImage>(QString("picture%1").arg(i))->Picture = picture;
    }
    QStandardItemModel rows(0, 2);
    rows.setHorizontalHeaderLabels({"serial1", "serial2"});
    for (int i = 1; i <= cards; i += 2)
        rows.appendRow({new QStandardItem(QString::number(i)), new QStandardItem(QString::number(i + 1))});
    report->setModel(&rows);

    QTemporaryDir dir;
    const QString path = argc > 2 ? QString(argv[2]) : dir.filePath("cards.pdf");
    bool saved = false;
    const double ms = Measure::msOf([&] { saved = report->savePdf(path); });
    out << "cards: " << cards << ", pages: " << report->pageCount() << ", saved: " << (saved ? "yes" : "no")
        << "\nseconds: " << ms / 1000.0 << "\npeak memory (MiB): " << Measure::peakMiB()
        << "\nPDF size (KiB): " << QFileInfo(path).size() / 1024 << Qt::endl;
    return saved ? 0 : 1;
}
