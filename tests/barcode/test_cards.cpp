// The occasion cards, driven as a person would: the main menu opens the card
// window for administrators, boxes are typed, labels and buttons clicked and
// the input box answered; then table serials is read and the previewed card
// sheet is looked at as printed (PDF through pdftoppm): card positions in
// millimetres and the barcodes read by zbarimg. The two sample sheets print
// every symbology at every text option.

#include "barcode/ui/barcode_windows.h"
#include "barcode/ui/card_sheets.h"
#include "barcode/ui/cart_sodor.h"
#include "barcode/ui/report_barcode.h"
#include "barcode/ui/texts.h"
#include "core/main_window.h"
#include "platform/db/sql.h"
#include "platform/image/jpeg.h"
#include "platform/image/texts.h"
#include "platform/ui/window_set.h"
#include "tests/barcode/barcode_test_tools.h"
#include "tests/core/admin_pages.h"
#include "tests/platform/report/pdf_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_cart_sodor.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace bctest;
using WindowSteps::openFromMenu;

namespace {

using Rows = QList<QPair<qint64, qint64>>;

bool near(double a, double b, double slack = 0.4) { return qAbs(a - b) <= slack; }

QString box(const QRectF& r)
{
    return QString("[%1, %2, %3, %4]").arg(r.left(), 0, 'f', 2).arg(r.top(), 0, 'f', 2)
        .arg(r.right(), 0, 'f', 2).arg(r.bottom(), 0, 'f', 2);
}

#define COMPARE_BOX(actual, l, t, r, b)                                                            \
    QVERIFY2(near((actual).left(), l) && near((actual).top(), t) && near((actual).right(), r)      \
                 && near((actual).bottom(), b),                                                    \
             qPrintable("found " + box(actual) + QString(", expected [%1, %2, %3, %4]").arg(l).arg(t).arg(r).arg(b)))

Rows tableRows()
{
    Rows out;
    for (const QVariantMap& r : Sql::rows(QStringLiteral("select serial1, serial2 from serials order by serial1")))
        out.append({r.value("serial1").toLongLong(), r.value("serial2").toLongLong()});
    return out;
}

QStringList decode(const QImage& image, const QRectF& mm, int dpi)
{
    static QTemporaryDir dir;
    static int n = 0;
    const double px = dpi / 25.4;
    const QImage crop = image.copy(QRectF(mm.topLeft() * px, mm.size() * px).toRect());
    const QString file = dir.filePath(QString("crop-%1.png").arg(++n));
    crop.save(file);
    return zbarSymbols(file);
}

} // namespace

class TestCards : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tcart_sodor* cards = nullptr;
    Tcart_print* sheet = nullptr;
    QTemporaryDir m_dir;

    // What the preview showed last: the report's rows, and the pages when asked for.
    int m_previews = 0;
    Rows m_previewRows;
    std::unique_ptr<PdfPages> m_pages;
    int m_pagesDpi = 0;

    void preview(Report& r)
    {
        ++m_previews;
        m_previewRows.clear();
        ReportDataSet* data = r.dataSet();
        if (data->isActive())
            for (data->first(); !data->eof(); data->next())
                m_previewRows.append({data->value("serial1").toLongLong(), data->value("serial2").toLongLong()});
        if (m_pagesDpi > 0)
            m_pages = std::make_unique<PdfPages>(r, m_pagesDpi);
    }

    // Types the first serial and the number of cards and presses the button;
    // the input box gets sentence (nothing: cancelled).
    void printCards(const QString& first, const QString& count, std::optional<QString> sentence = std::nullopt,
               MsgRecorder* msgs = nullptr)
    {
        std::unique_ptr<MsgRecorder> own;
        if (!msgs) {
            own = std::make_unique<MsgRecorder>();
            msgs = own.get();
        }
        cards->ui->serial->setText(first);
        cards->ui->cart_no->setText(count);
        msgs->answerInput(sentence);
        QTest::mouseClick(cards->ui->BitBtn1, Qt::LeftButton);
    }

    QString writePicture(const QString& name, const QColor& colour)
    {
        QImage img(193, 214, QImage::Format_RGB32);
        img.fill(colour);
        QFile f(m_dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(Jpeg::encode(img));
        return f.fileName();
    }

private slots:
    void initTestCase()
    {
        registerBarcodeElements();
        defineBarcodeWindows();
        WindowSet::instance().createAll();
        cards = win<Tcart_sodor>(QStringLiteral("cart_sodor"));
        sheet = win<Tcart_print>(QStringLiteral("cart_print"));
        QVERIFY(cards && sheet && sheet->ReportDBBarcode2 && win<TbarcodeTypes2>(QStringLiteral("barcodeTypes2")));
        Report::setPreviewHandler([this](Report& r) { preview(r); });
        if (toolPath(QStringLiteral("zbarimg")).isEmpty())
            QFAIL("zbarimg is not installed (Debian package zbar-tools, scripts/setup.sh)");
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        cards->prepareForOpening();
        m_previews = 0;
        m_previewRows.clear();
        m_pagesDpi = 0;
        m_pages.reset();
    }

    void cleanup()
    {
        FontDialog::setTestHandler({});
        m_db.reset();
    }

    void menuOpensForAdministratorsOnly()
    {
        Tmain main;
        connectBarcodePages(main);
        QAction* n10 = main.findChild<QAction*>(QStringLiteral("N10"));
        QVERIFY(n10 && n10->isEnabled());
        cards->ui->Edit1->setText("x");
        cards->ui->serial->setText("99");

        for (const char* level : {"single", "city", "ostan"}) {
            AdminPages::actAs(QStringLiteral("0012345678"), 5, QString::fromLatin1(level));
            QVERIFY(!openFromMenu(n10, cards));
        }
        QCOMPARE(cards->ui->serial->text(), QStringLiteral("99"));

        AdminPages::actAs(QStringLiteral("admin"), 1, QStringLiteral("admin"));
        QVERIFY(openFromMenu(n10, cards, [&] {
            QVERIFY(cards->isModal());
            QCOMPARE(cards->ui->Edit1->text(), CardText::HeadingDefault);
            QCOMPARE(cards->ui->title->toPlainText(), CardText::TitleDefault);
            QCOMPARE(cards->ui->serial->text(), QStringLiteral("1"));
            QCOMPARE(cards->ui->cart_no->text(), QStringLiteral("10"));
            QCOMPARE(cards->ui->barcod->currentText(), QStringLiteral("bcCodeEAN13"));
            QCOMPARE(cards->ui->barcod->count(), 23);
        }));
    }

    void seriesRows_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("count");
        QTest::addColumn<Rows>("rows");
        using R = Rows;
        QTest::newRow("1, 10 cards") << "1" << "10" << R{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
        QTest::newRow("5, 3 cards: four print") << "5" << "3" << R{{5, 6}, {7, 8}};
        QTest::newRow("no cards") << "7" << "0" << R{};
        QTest::newRow("fewer than none") << "7" << "-4" << R{};
        QTest::newRow("Persian digits, blanks") << QString::fromUtf8(" ۱۲ ") << QString::fromUtf8("٢") << R{{12, 13}};
        QTest::newRow("the last serial the column holds")
            << "2147483644" << "4" << R{{2147483644, 2147483645}, {2147483646, 2147483647}};
    }

    void seriesRows()
    {
        QFETCH(QString, first);
        QFETCH(QString, count);
        QFETCH(Rows, rows);
        Sql::exec(QStringLiteral("insert into serials (serial1, serial2) values (500, 501)"));
        MsgRecorder msgs;
        printCards(first, count, std::nullopt, &msgs);
        QCOMPARE(msgs.texts(), QStringList());
        QCOMPARE(tableRows(), rows);
        QCOMPARE(m_previews, 1);
        QCOMPARE(m_previewRows, rows);
        QCOMPARE(sheet->ReportDBBarcode1->DataField, QStringLiteral("serial1"));
        QCOMPARE(sheet->ReportDBBarcode2->DataField, QStringLiteral("serial2"));
    }

    void wrongValuesAreRefused_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("count");
        QTest::newRow("serial not a number") << "12a" << "10";
        QTest::newRow("count not a number") << "1" << "";
        QTest::newRow("a last serial beyond the column") << "2147483644" << "5";
        QTest::newRow("a first serial beyond the column") << "2147483648" << "1";
        QTest::newRow("the largest count there is") << "1" << "9223372036854775807";
        QTest::newRow("beyond 64 bits") << "1" << "9223372036854775808";
        QTest::newRow("a serial no barcode can carry") << "-3" << "2";
    }

    void wrongValuesAreRefused()
    {
        // The message, no preview, and table serials as it was.
        QFETCH(QString, first);
        QFETCH(QString, count);
        Sql::exec(QStringLiteral("insert into serials (serial1, serial2) values (500, 501)"));
        MsgRecorder msgs;
        printCards(first, count, std::nullopt, &msgs);
        QCOMPARE(msgs.texts(), QStringList{CardText::WrongValues});
        QCOMPARE(m_previews, 0);
        QCOMPARE(tableRows(), (Rows{{500, 501}}));
    }

    void aFailedSeriesLeavesTheTableAsItWas()
    {
        // Inserts that fail after the delete (a column the inserts leave empty
        // must not be empty): nothing of the run lands, the old rows stay.
        Sql::exec(QStringLiteral("drop table serials"));
        Sql::exec(QStringLiteral("create table serials (serial1 int, serial2 int, kept int not null)"));
        Sql::exec(QStringLiteral("insert into serials (serial1, serial2, kept) values (500, 501, 1)"));
        MsgRecorder msgs;
        printCards("1", "10", std::nullopt, &msgs);
        QCOMPARE(msgs.texts(), QStringList{CardText::WrongValues});
        QCOMPARE(m_previews, 0);
        QCOMPARE(tableRows(), (Rows{{500, 501}}));
    }

    void sheetTakesTheWindowsTexts()
    {
        cards->ui->Edit1->setText(QString::fromUtf8("کارت هديه"));
        cards->ui->title->setPlainText(QString::fromUtf8("خط يک\nخط دو"));
        MsgRecorder msgs;
        printCards("1", "2", QString::fromUtf8("جمله"), &msgs);
        QCOMPARE(msgs.requests.size(), 1);
        const Msg::Request& box = msgs.requests.first();
        QCOMPARE(box.kind, Msg::Kind::Input);
        QCOMPARE(box.caption, CardText::SentenceCaption);
        QCOMPARE(box.text, CardText::SentencePrompt);
        QCOMPARE(box.defaultText, CardText::SentenceDefault);
        QCOMPARE(sheet->RepLabel3->Caption, QString::fromUtf8("کارت هديه"));
        QCOMPARE(sheet->RepLabel4->Caption, QString::fromUtf8("کارت هديه"));
        QCOMPARE(sheet->RepMemo1->Caption, QString::fromUtf8("خط يک\nخط دو"));
        QCOMPARE(sheet->RepMemo2->Caption, sheet->RepMemo1->Caption);
        QCOMPARE(sheet->RepLabel5->Caption, QString::fromUtf8("جمله"));
        QCOMPARE(sheet->RepLabel6->Caption, QString::fromUtf8("جمله"));
        QCOMPARE(sheet->RepImage1->Picture, cards->picture());
        QVERIFY(!sheet->RepImage2->Picture.isNull());

        // A cancelled input box gives its default sentence.
        printCards("1", "2", std::nullopt);
        QCOMPARE(sheet->RepLabel5->Caption, CardText::SentenceDefault);
        QCOMPARE(sheet->RepLabel6->Caption, CardText::SentenceDefault);
    }

    void fontsApplyToBothCards()
    {
        QFont chosen(QStringLiteral("Titr"), 22);
        chosen.setItalic(true);
        FontDialog::setTestHandler([&](FontDialog& d) {
            d.Font = chosen;
            d.Color = QColor(Qt::darkRed);
            return true;
        });
        QTest::mouseClick(cards->ui->SpeedButton1, Qt::LeftButton);
        for (ReportText* t : {static_cast<ReportText*>(sheet->RepLabel3), static_cast<ReportText*>(sheet->RepLabel4)}) {
            QCOMPARE(t->font, chosen);
            QCOMPARE(t->color, QColor(Qt::darkRed));
        }
        QCOMPARE(cards->ui->Edit1->font(), chosen);
        QCOMPARE(cards->ui->Edit1->palette().color(QPalette::Text), QColor(Qt::darkRed));
        QVERIFY(sheet->RepMemo1->font != chosen);

        chosen = QFont(QStringLiteral("Times New Roman"), 9);
        QTest::mouseClick(cards->ui->SpeedButton2, Qt::LeftButton);
        QCOMPARE(sheet->RepMemo1->font, chosen);
        QCOMPARE(sheet->RepMemo2->font, chosen);
        QCOMPARE(cards->ui->title->font(), chosen);
        QCOMPARE(sheet->RepLabel3->font.pointSize(), 22);

        // A cancelled dialog changes nothing.
        FontDialog::setTestHandler([](FontDialog& d) {
            d.Font = QFont(QStringLiteral("DejaVu Sans"), 5);
            return false;
        });
        QTest::mouseClick(cards->ui->SpeedButton1, Qt::LeftButton);
        QCOMPARE(sheet->RepLabel3->font.pointSize(), 22);
        QCOMPARE(cards->ui->Edit1->font().pointSize(), 22);
    }

    void fontDialogReachesThePrintedCard()
    {
        // The heading's font chosen in the dialog itself (family, size, bold,
        // colour through the colour dialog) prints on the card sheet's PDF.
        // What the dialog showed: the size it offered, its direction and
        // caption, and the sample's size once 20 points were chosen.
        cards->FontDialog1.Font = QFont(QStringLiteral("Liberation Serif"), 17);
        bool shown = false;
        int offered = 0, sampleSize = 0;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        QString caption;
        QTimer::singleShot(0, this, [&] {
            auto* d = cards->findChild<FontDialogWindow*>();
            if (!d)
                return;
            shown = true;
            offered = d->size->value();
            direction = d->layoutDirection();
            caption = d->windowTitle();
            d->family->setCurrentFont(QFont(QStringLiteral("DejaVu Serif")));
            d->size->setValue(20);
            d->bold->setChecked(true);
            QTimer::singleShot(0, d, [d] {
                if (auto* c = d->findChild<QColorDialog*>()) {
                    c->setCurrentColor(QColor(0x80, 0, 0));
                    c->accept();
                }
            });
            QTest::mouseClick(d->color, Qt::LeftButton);
            sampleSize = d->sample->font().pointSize();
            d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(cards->ui->SpeedButton1, Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(offered, 17);
        QCOMPARE(direction, Qt::RightToLeft);
        QCOMPARE(caption, CardText::FontDialogCaption);
        QCOMPARE(sampleSize, 20);
        QCOMPARE(sheet->RepLabel4->font.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(sheet->RepLabel4->font.pointSize(), 20);
        QVERIFY(sheet->RepLabel4->font.bold() && !sheet->RepLabel4->font.italic());
        QCOMPARE(sheet->RepLabel4->color, QColor(0x80, 0, 0));
        QCOMPARE(cards->ui->Edit1->font(), sheet->RepLabel3->font);

        cards->ui->Edit1->setText(QStringLiteral("Nowruz"));
        m_pagesDpi = 100;
        printCards("1", "2", std::nullopt);
        QVERIFY(m_pages);
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {m_pages->pdfPath()});
        QVERIFY(fonts.waitForFinished(30000));
        QVERIFY2(fonts.readAllStandardOutput().contains("DejaVuSerif-Bold"), "the chosen family is not in the PDF");
        // Both headings, each as tall as a line of 20 points (7.1 mm) with the
        // family's ascent and descent, and centred on their card.
        QList<QRectF> headings;
        for (const PdfPages::Word& w : m_pages->words(0))
            if (w.text == QStringLiteral("Nowruz"))
                headings.append(w.box);
        QCOMPARE(headings.size(), 2);
        for (const QRectF& h : headings) {
            QVERIFY2(h.height() > 7.0 && h.height() < 9.5, qPrintable(box(h)));
            QVERIFY2(near(h.center().x(), 10 + 100.7 + 59.5 / 2, 0.6) || near(h.center().x(), 10 + 28.5 + 59.5 / 2, 0.6),
                     qPrintable(box(h)));
        }
    }

    void pictureAndClearingLabels()
    {
        MsgRecorder msgs;
        const QImage before = cards->picture();
        QVERIFY(!before.isNull());  // the emblem

        QFile bad(m_dir.filePath("bad.jpg"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture");
        bad.close();
        msgs.answerInput(bad.fileName());
        QTest::mouseClick(cards->ui->Label3, Qt::LeftButton);
        QCOMPARE(msgs.texts(), QStringList{ImageText::InvalidPicture});
        QCOMPARE(cards->picture(), before);

        msgs.answerInput(writePicture("red.jpg", Qt::red));
        QTest::mouseClick(cards->ui->Label3, Qt::LeftButton);
        QCOMPARE(cards->picture().size(), QSize(193, 214));
        QVERIFY(!cards->ui->Image1->pixmap().isNull());

        // A cancelled file dialog keeps the picture.
        QTest::mouseClick(cards->ui->Label3, Qt::LeftButton);
        QCOMPARE(cards->picture().size(), QSize(193, 214));

        QTest::mouseClick(cards->ui->Label6, Qt::LeftButton);
        QVERIFY(cards->picture().isNull());
        QVERIFY(cards->ui->Image1->pixmap().isNull());
        printCards("1", "2", std::nullopt);
        QVERIFY(sheet->RepImage1->Picture.isNull());

        QTest::mouseClick(cards->ui->Label1, Qt::LeftButton);
        QVERIFY(cards->ui->Edit1->text().isEmpty());
        QTest::mouseClick(cards->ui->Label5, Qt::LeftButton);
        QVERIFY(cards->ui->title->toPlainText().isEmpty());
    }

    void cardSheetAsPrinted()
    {
        // Serials 17 and 24 happen to end in their own EAN-13 check digit
        // ("0000000000017", "0000000000024"), so readers accept them.
        MsgRecorder msgs;
        msgs.answerInput(writePicture("dark.jpg", Qt::black));
        QTest::mouseClick(cards->ui->Label3, Qt::LeftButton);
        cards->ui->title->setPlainText(QString::fromUtf8("متن"));
        m_pagesDpi = 300;
        printCards("17", "8", std::nullopt, &msgs);
        QVERIFY(m_pages);
        const PdfPages& pdf = *m_pages;
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(near(pdf.paperMm(0).width(), 210, 1) && near(pdf.paperMm(0).height(), 297, 1));

        // Four rows of two cards, 53.7 mm apart from the top margin (10 mm). In
        // each card: the frame 87.1 x 49.0 at 2.1 mm from the band's top, the
        // right card at 97.4 mm from the band's left edge (the left margin,
        // 10 mm), the left at 4.2 mm; the picture 19.3 x 21.4 at the outer side;
        // the barcode from 29.6 mm, 13.2 mm high, as wide as 95 modules of 12
        // pixels at 1200 dpi (24.13 mm) in its 25.4 mm box.
        const double rule = 0.125;
        const double barWidth = 95 * 12 * 25.4 / 1200;
        for (int row = 0; row < 4; ++row) {
            const double top = 10 + 53.7 * row;
            for (const double cardLeft : {107.4, 14.2}) {
                const double middle = top + 2.1 + 35;  // below the picture, above the barcode's top
                COMPARE_BOX(pdf.ink(0, QRectF(cardLeft - 2, middle, 91, 0.3)), cardLeft - rule, middle,
                            cardLeft + 87.1 + rule, middle + 0.3);
                const QRectF frameTop = pdf.ink(0, QRectF(cardLeft + 0.7, top + 1, 1, 2));
                QVERIFY2(near(frameTop.center().y(), top + 2.1, 0.3), qPrintable(box(frameTop)));
                const QRectF frameBottom = pdf.ink(0, QRectF(cardLeft + 0.7, top + 50, 1, 2));
                QVERIFY2(near(frameBottom.center().y(), top + 51.1, 0.3), qPrintable(box(frameBottom)));
            }
            COMPARE_BOX(pdf.ink(0, QRectF(172, top + 3, 22, 23)), 173.7, top + 3.6, 193.0, top + 25.0);
            COMPARE_BOX(pdf.ink(0, QRectF(15, top + 3, 22, 23)), 15.7, top + 3.6, 35.0, top + 25.0);
            COMPARE_BOX(pdf.ink(0, QRectF(160, top + 29, 33, 14.5)), 167.1, top + 29.6, 167.1 + barWidth,
                        top + 42.8);
            // The left card's bars (its code prints below them, within the box).
            COMPARE_BOX(pdf.ink(0, QRectF(15, top + 29, 27, 8)), 16.2, top + 29.6, 16.2 + barWidth, top + 37);
        }

        // The serial numbers, right card serial1, left card serial2, set right
        // in their boxes along the bottom edge (47.3 to 50.8 mm below the
        // band's top; pdftotext's boxes take the font's whole declared
        // descent, so their middles are compared).
        const QList<PdfPages::Word> words = pdf.words(0);
        for (int row = 0; row < 4; ++row) {
            const double top = 10 + 53.7 * row;
            for (const auto& [serial, right] : {std::pair{17 + 2 * row, 168.9}, std::pair{18 + 2 * row, 75.7}}) {
                bool found = false;
                for (const auto& w : words)
                    found |= w.text == QString::number(serial) && near(w.box.right(), right, 0.8)
                        && w.box.center().y() > top + 47.3 && w.box.center().y() < top + 50.8;
                QVERIFY2(found, qPrintable(QString::number(serial)));
            }
            // The left card's barcode shows its text at its bottom-left corner.
            bool code = false;
            for (const auto& w : words)
                code |= w.text == QString::number(18 + 2 * row) && near(w.box.left(), 16.2, 0.5)
                    && w.box.top() > top + 37 && w.box.bottom() < top + 43.1;
            QVERIFY(code);
        }

        // The barcodes read back: the right card's of 17, the left card's of 24
        // (its serial printed below the bars).
        QCOMPARE(decode(pdf.pages[0], QRectF(163, 10 + 29, 31, 14.5), 300), QStringList{"EAN-13:0000000000017"});
        QCOMPARE(decode(pdf.pages[0], QRectF(12, 10 + 53.7 * 3 + 29, 31, 14.5), 300),
                 QStringList{"EAN-13:0000000000024"});
    }

    void sampleSheets()
    {
        // Every symbology of both sheets, once per text option: bars in each
        // box, the type name above the box for bcoTyp and bcoBoth, and the
        // symbols readers know read back as 1362.
        const QHash<QString, QString> readable = {
            {"bcCode128A", "CODE-128:1362"},    {"bcCode128B", "CODE-128:1362"},
            {"bcCode128C", "CODE-128:1362"},    {"bcCode39", "CODE-39:1362"},
            {"bcCode39Extended", "CODE-39:1362"}, {"bcCode93", "CODE-93:1362"},
            {"bcCode93Extended", "CODE-93:1362"}, {"bcCodeCodabar", "Codabar:A1362B"},
            {"bcCodeEAN128A", "CODE-128:1362"}, {"bcCodeEAN128B", "CODE-128:1362"},
            {"bcCodeEAN128C", "CODE-128:1362"},
        };
        m_pagesDpi = 300;
        QSet<int> types;
        for (QLabel* label : {cards->ui->Label7, cards->ui->Label8}) {
            m_pages.reset();
            QTest::mouseClick(label, Qt::LeftButton);
            QVERIFY(m_pages);
            QCOMPARE(m_pages->pages.size(), 1);
            Report& r = label == cards->ui->Label7 ? win<TbarcodeTypes>("barcodeTypes")->report()
                                                   : win<TbarcodeTypes2>("barcodeTypes2")->report();
            for (const auto& e : r.band(BandKind::Detail)->elements()) {
                auto* b = dynamic_cast<TReportBarcode*>(e.get());
                if (!b)
                    continue;
                types.insert(b->Typ());
                const QString name = QString::fromLatin1(BarcodeTypeEnumName(b->Typ()).data());
                const QRectF at(10 + b->Size.Left, 20 + b->Size.Top, b->Size.Width, b->Size.Height);
                QVERIFY2(b->PrintError.isEmpty(), qPrintable(b->name() + ": " + b->PrintError));
                const QRectF ink = m_pages->ink(0, at.adjusted(0.1, 0.1, -0.1, -0.1));
                QVERIFY2(ink.width() > at.width() / 3 && ink.height() > at.height() * 0.9,
                         qPrintable(b->name() + " " + box(ink)));
                const QRectF above(at.left(), at.top() - 4.6, at.width(), 4.4);
                const bool typeName = b->ShowText() == bcoTyp || b->ShowText() == bcoBoth;
                QVERIFY2(m_pages->ink(0, above).isEmpty() != typeName, qPrintable(b->name()));
                if (readable.contains(name)) {
                    const QStringList read = decode(m_pages->pages[0], at.adjusted(-4.5, -0.5, 4.5, 0.5), 300);
                    QVERIFY2(read.contains(readable.value(name)), qPrintable(b->name() + " read " + read.join(", ")));
                }
            }
        }
        QCOMPARE(types.size(), 23);
    }
};

QTEST_MAIN(TestCards)
#include "test_cards.moc"
