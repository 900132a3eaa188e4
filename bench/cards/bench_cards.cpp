// Renders the card sheet with 1,000 cards (500 rows of two, serials 1 to 1000)
// to PDF and prints the time and the peak memory. Every card carries its
// heading, picture, text, EAN-13 barcode, sentence, serial caption and number.
//
//   bench_cards [cards [pdf-path]]

#include "barcode/ui/barcode_windows.h"
#include "barcode/ui/card_sheets.h"
#include "bench/support/card_picture.h"
#include "bench/support/measure.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int cards = argc > 1 ? QString(argv[1]).toInt() : 1000;

    registerBarcodeElements();
    Tcart_print sheet;
    const QImage picture = Bench::cardPicture();
    const QString heading = QString::fromUtf8("کارت هديه");
    const QString text = QString::fromUtf8("متن روي کارت ").repeated(8);
    const QString sentence = QString::fromUtf8("بدون مهر فاقد اعتبار است");
    for (ReportLabel* l : {sheet.RepLabel3, sheet.RepLabel4})
        l->Caption = heading;
    for (ReportLabel* l : {sheet.RepMemo1, sheet.RepMemo2})
        l->Caption = text;
    for (ReportLabel* l : {sheet.RepLabel5, sheet.RepLabel6})
        l->Caption = sentence;
    for (ReportImage* i : {sheet.RepImage1, sheet.RepImage2})
        i->Picture = picture;
    QList<SerialRow> rows;
    for (int i = 1; i <= cards; i += 2)
        rows.append({i, i + 1});

    QTemporaryDir dir;
    const QString path = argc > 2 ? QString(argv[2]) : dir.filePath("cards.pdf");
    bool saved = false;
    const double ms = Measure::msOf([&] {
        sheet.setRows(rows);
        saved = sheet.report().savePdf(path);
    });
    out << "cards: " << cards << ", pages: " << sheet.report().pageCount() << ", saved: " << (saved ? "yes" : "no")
        << "\nseconds: " << ms / 1000.0 << "\npeak memory (MiB): " << Measure::peakMiB()
        << "\nPDF size (KiB): " << QFileInfo(path).size() / 1024 << Qt::endl;
    return saved ? 0 : 1;
}
