// The three leave and mission slips as printed: each design on its paper with
// its margins, every value label filled and found again in the PDF's text.

#include "platform/report/design.h"
#include "platform/report/report.h"
#include "tests/platform/report/pdf_pages.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestKargoziniSlips : public QObject {
    Q_OBJECT

private slots:
    void designs_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QSizeF>("paper");
        QTest::addColumn<double>("margin");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("daily leave") << u"kargozini_morakhasi_rozane_frm"_s << QSizeF(148, 210) << 10.0
                                     << QStringList{u"lname"_s, u"lname2"_s, u"semat"_s, u"loc"_s, u"roz"_s,
                                                    u"roz2"_s, u"roz3"_s, u"dat1"_s, u"dat2"_s, u"janeshin"_s};
        QTest::newRow("hourly leave") << u"kargozini_morakhasi_saati_frm"_s << QSizeF(100, 105) << 5.0
                                      << QStringList{u"lname"_s, u"cartsaat_no"_s, u"dat1"_s, u"exit_saat"_s,
                                                     u"vorod_saat"_s, u"negahban"_s};
        QTest::newRow("hourly mission") << u"kargozini_mamoriat_saati_frm"_s << QSizeF(100, 120) << 5.0
                                        << QStringList{u"lname"_s, u"cartsaat_no"_s, u"dat1"_s, u"exit_saat"_s,
                                                       u"vorod_saat"_s, u"cmt"_s, u"negahban"_s};
    }

    void designs()
    {
        QFETCH(QString, design);
        QFETCH(QSizeF, paper);
        QFETCH(double, margin);
        QFETCH(QStringList, labels);
        QString error;
        const std::unique_ptr<Report> report = ReportDesign::load(design, &error);
        QVERIFY2(report, qPrintable(error));
        QCOMPARE(report->page.size, paper);
        QCOMPARE(report->page.orientation, QPageLayout::Portrait);
        QCOMPARE(report->page.margins, QMarginsF(margin, margin, margin, margin));
        // Each label gets a value of its own: a number unlike any printed text.
        QStringList values;
        for (int i = 0; i < labels.size(); ++i) {
            values << QString::number(9100 + i);
            QVERIFY2(report->setCaption(labels[i], values.last()), qPrintable(labels[i]));
        }
        PdfPages pdf(*report);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(qAbs(pdf.paperMm(0).width() - paper.width()) < 1);
        QVERIFY(qAbs(pdf.paperMm(0).height() - paper.height()) < 1);
        QStringList words;
        for (const PdfPages::Word& w : pdf.words(0)) {
            words << w.text;
            // Nothing prints in the margins.
            QVERIFY2(w.box.left() >= margin - 0.5 && w.box.right() <= paper.width() - margin + 0.5, qPrintable(w.text));
            QVERIFY2(w.box.top() >= margin - 0.5 && w.box.bottom() <= paper.height() - margin + 0.5, qPrintable(w.text));
        }
        for (const QString& v : values)
            QVERIFY2(words.contains(v), qPrintable(v));
    }
};

QTEST_MAIN(TestKargoziniSlips)
#include "test_kargozini_slips.moc"
