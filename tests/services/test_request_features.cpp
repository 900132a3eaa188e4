// Guarantees, approvals, expenditures, tickets and hospitality orders as the
// office uses them, through the windows: an employee requests, the office
// (and for an order a manager) approves, and the letter or form prints with
// the request's values.

#include "core/main_window.h"
#include "core/shamsi_date.h"
#include "core/stamp.h"
#include "platform/report/report.h"
#include "platform/sheet/workbook_reader.h"
#include "platform/ui/desktop.h"
#include "services/hazine_ins.h"
#include "services/hazine_src.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"
#include "services/paziraei_ins.h"
#include "services/paziraei_nafarat.h"
#include "services/paziraei_src.h"
#include "services/request/attached_persons.h"
#include "services/taeidat_ins.h"
#include "services/taeidat_src.h"
#include "services/texts.h"
#include "services/ticket_ins.h"
#include "services/ticket_nafarat.h"
#include "services/ticket_src.h"
#include "services/zemanat_ins.h"
#include "services/zemanat_src.h"
#include "tests/core/admin_pages.h"
#include "tests/services/service_steps.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_hazine_ins.h"
#include "ui_hazine_src.h"
#include "ui_paziraei_ins.h"
#include "ui_paziraei_nafarat.h"
#include "ui_paziraei_src.h"
#include "ui_taeidat_ins.h"
#include "ui_taeidat_src.h"
#include "ui_ticket_ins.h"
#include "ui_ticket_nafarat.h"
#include "ui_ticket_src.h"
#include "ui_zemanat_ins.h"
#include "ui_zemanat_src.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace AdminPages;
using namespace ServiceSteps;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

class TestRequestFeatures : public QObject {
    Q_OBJECT
    TestDb m_db;
    Tmain* main = nullptr;
    MsgRecorder* msgs = nullptr;
    qint64 employee = 0;

    // The employee (a single-level user with the rights to request and delete),
    // and the office (an administrator with every right) on a page.
    void actAsEmployee(const QString& page)
    {
        grantRights(11, page, {1, 0, 1, 1});
        AdminPages::signIn({u"0012345678"_s, u"11"_s, u"single"_s, QString::number(employee), {}});
    }
    void actAsOffice(const QString& page)
    {
        grantRights(12, page, {1, 1, 1, 1});
        AdminPages::signIn({u"office"_s, u"12"_s, u"admin"_s, {}, {}});
    }
    qint64 newest(const QString& table) const
    {
        return Sql::scalar(u"select max(id) from %1"_s.arg(table)).toLongLong();
    }
    // Prints through a menu item of a list window and answers the letter's text.
    QString printed(const QString& item, QWidget* list, QTableView* grid, qint64 id, QAction* print)
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"letter.pdf"_s);
        Report::setPreviewHandler([&](Report& r) { QVERIFY(r.savePdf(pdf)); });
        [&] {
            QVERIFY(openPage(main, item, list, [&] {
                clickRow(grid, u"id"_s, id);
                print->trigger();
            }));
        }();
        Report::setPreviewHandler({});
        return pdfText(pdf);
    }

private slots:
    void initTestCase()
    {
        Tzemanat_src* any = nullptr;
        QVERIFY(startProgram(main, any, u"zemanat_src"_s));
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        Stamp::setServerDateForTests(QDate(2024, 5, 19)); // 1403/02/30
        employee = person(u"احمدي"_s, u"علي"_s, u"0012345678"_s);
        msgs = new MsgRecorder;
    }

    void cleanup()
    {
        delete msgs;
        Stamp::setServerDateForTests(QDate());
        m_db.reset();
    }

    void guarantees()
    {
        using namespace ServiceText;
        auto* list = win<Tzemanat_src>(u"zemanat_src"_s);
        auto* entry = win<Tzemanat_ins>(u"zemanat_ins"_s);
        setting(VamBankList, u"ملي"_s);
        setting(RequestText::SignatoryExpert, u"کارشناس نمونه"_s);
        setting(RequestText::SignatoryFinance, u"مالي نمونه"_s);
        setting(RequestText::SignatorySupport, u"معاون نمونه"_s);
        Sql::exec(u"update personel set father=? where id=?"_s, {u"حسين"_s, employee});

        // The employee asks for a letter for two persons' loans; the same person twice is refused.
        actAsEmployee(u"zemanat"_s);
        QVERIFY(openPage(main, u"N18"_s, list, [&] {
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                QCOMPARE(entry->ui->mablagh->text(), u"0"_s);
                choose(entry->ui->bank, u"ملي"_s);
                typeText(entry->ui->shobe, u"مرکزي"_s);
                entry->ui->aghsat->clear();
                QTest::keyClicks(entry->ui->aghsat, u"24"_s);
                entry->ui->mablagh->selectAll();
                QTest::keyClicks(entry->ui->mablagh, u"3000000000"_s);
                typeText(entry->ui->cmt, u"رضا محمدي"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
                entry->ui->cmt->clear();
                typeText(entry->ui->cmt, u"مريم کريمي"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
            }));
            QCOMPARE(list->requests().list().model()->rowCount(), 2);
        }));
        QCOMPARE(msgs->texts(), (QStringList{RequestText::Saved, ZemanatDuplicate, RequestText::Saved}));
        const qint64 id = Sql::scalar(u"select id from zemanat where cmt=?"_s, {u"رضا محمدي"_s}).toLongLong();
        QVariantMap row = Sql::row(u"select * from zemanat where id=?"_s, {id});
        QCOMPARE(row.value(u"mablagh"_s).toLongLong(), Q_INT64_C(3000000000));
        QCOMPARE(row.value(u"aghsat"_s).toInt(), 24);

        // The office approves it with the branch corrected, and again the next
        // day: the window stays open and the date moves.
        actAsOffice(u"zemanat"_s);
        msgs->clear();
        QVERIFY(openPage(main, u"N18"_s, list, [&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openFromMenu(list->ui->N2, entry, [&] {
                entry->ui->shobe->clear();
                typeText(entry->ui->shobe, u"بازار"_s);
                QTest::mouseClick(entry->ui->edit_btn, Qt::LeftButton);
                QVERIFY(entry->isVisible());
                QCOMPARE(Sql::scalar(u"select taeed_dat from zemanat where id=?"_s, {id}).toString(),
                         u"1403/02/30"_s);
                Stamp::setServerDateForTests(QDate(2024, 5, 20));
                QTest::mouseClick(entry->ui->edit_btn, Qt::LeftButton);
            }));
        }));
        QCOMPARE(msgs->texts(), (QStringList{RequestText::Edited, RequestText::Edited}));
        row = Sql::row(u"select * from zemanat where id=?"_s, {id});
        QCOMPARE(row.value(u"taeed_dat"_s).toString(), u"1403/02/31"_s);
        QCOMPARE(row.value(u"shobe"_s).toString(), u"بازار"_s);
        QCOMPARE(row.value(u"mablagh"_s).toLongLong(), Q_INT64_C(3000000000));

        // The draft letter to the bank and the employee's request for it.
        QString text = printed(u"N18"_s, list, list->ui->DBGrid1, id, list->ui->N8);
        for (const QString& words : {u"علي احمدي"_s, u"حسين"_s, u"رضا محمدي"_s, u"ملي"_s, u"کارشناس نمونه"_s,
                                     u"مالي نمونه"_s, u"معاون نمونه"_s})
            QVERIFY2(contains(text, words), qPrintable(words + u" in "_s + text));
        text = printed(u"N18"_s, list, list->ui->DBGrid1, id, list->ui->N7);
        for (const QString& words : {u"3,000,000,000"_s, u"بازار"_s, u"24"_s, Shamsi::today(), u"امور مالي"_s})
            QVERIFY2(contains(text, words), qPrintable(words + u" in "_s + text));
    }

    void approvals()
    {
        using namespace ServiceText;
        auto* list = win<Ttaeidat_src>(u"taeidat_src"_s);
        auto* entry = win<Ttaeidat_ins>(u"taeidat_ins"_s);
        setting(TaeidatList, u"سابقه کار"_s);
        setting(TaeidatList, u"حقوق"_s);

        // Two pending requests on one subject are refused whatever their values.
        actAsEmployee(u"taeidat"_s);
        QVERIFY(openPage(main, u"N20"_s, list, [&] {
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                choose(entry->ui->mozo, u"حقوق"_s);
                typeText(entry->ui->cmt, u"دو ماه"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
                entry->ui->cmt->clear();
                typeText(entry->ui->cmt, u"سه ماه"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
            }));
        }));
        QCOMPARE(msgs->texts(), (QStringList{RequestText::Saved, TaeidatDuplicate}));
        QVERIFY(TaeidatDuplicate.startsWith(u"خطا!"_s));
        const qint64 id = newest(u"taeidat"_s);

        actAsOffice(u"taeidat"_s);
        QVERIFY(openPage(main, u"N20"_s, list, [&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openFromMenu(list->ui->N2, entry, [&] {
                QCOMPARE(entry->ui->cmt->text(), u"دو ماه"_s);
                QTest::mouseClick(entry->ui->edit_btn, Qt::LeftButton);
            }));
        }));
        QCOMPARE(Sql::scalar(u"select taeed_dat from taeidat where id=?"_s, {id}).toString(), u"1403/02/30"_s);

        // Once approved, the subject may be asked for again.
        actAsEmployee(u"taeidat"_s);
        msgs->clear();
        QVERIFY(openPage(main, u"N20"_s, list, [&] {
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                choose(entry->ui->mozo, u"حقوق"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
            }));
            QCOMPARE(list->requests().list().model()->rowCount(), 2);
        }));
        QCOMPARE(msgs->texts(), QStringList{RequestText::Saved});
    }

    void expenditures()
    {
        using namespace ServiceText;
        auto* list = win<Thazine_src>(u"hazine_src"_s);
        auto* entry = win<Thazine_ins>(u"hazine_ins"_s);
        setting(HazineTypeList, u"اياب و ذهاب"_s);

        actAsEmployee(u"hazine"_s);
        QVERIFY(openPage(main, u"N17"_s, list, [&] {
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                QCOMPARE(entry->ui->dat1->text(), Shamsi::today());
                typeText(entry->ui->mabda, u"شيراز"_s);
                typeText(entry->ui->maghsad, u"مرودشت"_s);
                QTest::keyClicks(entry->ui->saat1, u"0730"_s);
                typeText(entry->ui->masir, u"بازديد از شعبه"_s);
                entry->ui->mablagh->selectAll();
                QTest::keyClicks(entry->ui->mablagh, u"12345000"_s);
                choose(entry->ui->typ, u"اياب و ذهاب"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
                // The same origin and destination wait for the first claim, whatever the dates.
                entry->ui->dat1->setValue(u"1403/01/05"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
            }));
        }));
        QCOMPARE(msgs->texts(), (QStringList{RequestText::Saved, HazineDuplicate}));
        const qint64 id = newest(u"hazine"_s);
        QVariantMap row = Sql::row(u"select * from hazine where id=?"_s, {id});
        QCOMPARE(row.value(u"mablagh"_s).toLongLong(), Q_INT64_C(12345000));
        QCOMPARE(row.value(u"saat1"_s).toString(), u"07:30"_s);

        actAsOffice(u"hazine"_s);
        QVERIFY(openPage(main, u"N17"_s, list, [&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openFromMenu(list->ui->N2, entry, [&] {
                QCOMPARE(entry->ui->mablagh->GetValue(), Q_INT64_C(12345000));
                QTest::mouseClick(entry->ui->edit_btn, Qt::LeftButton);
            }));
        }));
        QCOMPARE(Sql::scalar(u"select taeed_dat from hazine where id=?"_s, {id}).toString(), u"1403/02/30"_s);

        // The payment request form: the amount in figures and in words.
        const QString text = printed(u"N17"_s, list, list->ui->DBGrid1, id, list->ui->N4);
        for (const QString& words : {u"12,345,000"_s, u" دوازده ميليون و  سيصد و چهل\u200c و پنج هزار ريال"_s,
                                     u"علي احمدي"_s, u"مرودشت"_s, u"بازديد از شعبه"_s, u"07:30"_s, u"فارس"_s})
            QVERIFY2(contains(text, words), qPrintable(words + u" in "_s + text));
    }
    void tickets()
    {
        using namespace ServiceText;
        auto* list = win<Tticket_src>(u"ticket_src"_s);
        auto* entry = win<Tticket_ins>(u"ticket_ins"_s);
        auto* travellers = win<Tticket_nafarat>(u"ticket_nafarat"_s);
        setting(TicketTypeList, u"هواپيما"_s);
        // A first name longer than a traveller's first name may be.
        const QString fname = u"عبدالرحمن محمدحسين رضا"_s;
        QVERIFY(fname.size() > 20);
        Sql::exec(u"update personel set fname=?, birthday=? where id=?"_s, {fname, u"1360/05/12"_s, employee});

        // The request, and the requester as its first traveller in the same transaction.
        actAsEmployee(u"ticket"_s);
        QVERIFY(openPage(main, u"N16"_s, list, [&] {
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                QCOMPARE(entry->ui->cnt->text(), u"1"_s);
                typeText(entry->ui->mabda, u"شيراز"_s);
                typeText(entry->ui->maghsad, u"مشهد"_s);
                entry->ui->dat2->setValue(u"1403/03/05"_s);
                entry->ui->cnt->clear();
                QTest::keyClicks(entry->ui->cnt, u"2"_s);
                choose(entry->ui->typ, u"هواپيما"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
            }));
            // A second traveller.
            QVERIFY(openFromMenu(list->ui->N7, travellers, [&] {
                QCOMPARE(travellers->persons()->list()->model()->rowCount(), 1);
                typeText(travellers->ui->fname, u"زهرا"_s);
                typeText(travellers->ui->lname, u"احمدي"_s);
                QTest::keyClicks(travellers->ui->nation, u"0098765432"_s);
                travellers->ui->birthday->setValue(u"1365/01/20"_s);
                QTest::mouseClick(travellers->ui->ins_btn, Qt::LeftButton);
                QCOMPARE(travellers->persons()->list()->model()->rowCount(), 2);
            }));
        }));
        QCOMPARE(msgs->texts(), QStringList{RequestText::Saved});
        const qint64 id = newest(u"ticket"_s);
        QCOMPARE(Sql::scalar(u"select cnt from ticket where id=?"_s, {id}).toInt(), 2);
        const QList<QVariantMap> rows = AttachedPersons::rowsOf(u"ticket_nafarat"_s, u"ticket_id"_s, id);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].value(u"fname"_s).toString(), fname.left(20));
        QCOMPARE(rows[0].value(u"lname"_s).toString(), u"احمدي"_s);
        QCOMPARE(rows[0].value(u"nation"_s).toString(), u"0012345678"_s);
        QCOMPARE(rows[0].value(u"birthday"_s).toString(), u"1360/05/12"_s);

        actAsOffice(u"ticket"_s);
        msgs->clear();
        QVERIFY(openPage(main, u"N16"_s, list, [&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openFromMenu(list->ui->N2, entry, [&] {
                QCOMPARE(entry->ui->maghsad->text(), u"مشهد"_s);
                QTest::mouseClick(entry->ui->edit_btn, Qt::LeftButton);
            }));
        }));
        QCOMPARE(msgs->texts(), QStringList{RequestText::Edited});
        QCOMPARE(Sql::scalar(u"select taeed_dat from ticket where id=?"_s, {id}).toString(), u"1403/02/30"_s);

        // The printed request: one line per traveller.
        const QString text = printed(u"N16"_s, list, list->ui->DBGrid1, id, list->ui->N4);
        for (const QString& words : {u"مشهد"_s, u"هواپيما"_s, u"1403/03/05"_s, u"0012345678"_s, u"1360/05/12"_s,
                                     u"زهرا"_s, u"0098765432"_s, u"1365/01/20"_s, fname.left(20)})
            QVERIFY2(contains(text, words), qPrintable(words + u" in "_s + text));
    }

    void hospitality()
    {
        using namespace ServiceText;
        auto* list = win<Tpaziraei_src>(u"paziraei_src"_s);
        auto* entry = win<Tpaziraei_ins>(u"paziraei_ins"_s);
        auto* guests = win<Tpaziraei_nafarat>(u"paziraei_nafarat"_s);
        setting(PaziraeiTypeList, u"ناهار"_s);
        setting(PaziraeiTypeList, u"عصرانه"_s);
        setting(GuestFoodList, u"چلوکباب"_s);
        setting(GuestDrinkList, u"دوغ"_s);

        // Two orders: a lunch for twelve with two guests, and a tea for five.
        actAsEmployee(u"paziraei"_s);
        QVERIFY(openPage(main, u"N15"_s, list, [&] {
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                QVERIFY(entry->ui->modir_btn->isHidden());
                QCOMPARE(entry->ui->dat->text(), Shamsi::today());
                typeText(entry->ui->onvan, u"جلسه بودجه"_s);
                typeText(entry->ui->loc, u"سالن اجتماعات"_s);
                entry->ui->cnt->clear();
                QTest::keyClicks(entry->ui->cnt, u"12"_s);
                choose(entry->ui->typ, u"ناهار"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
                entry->ui->cnt->clear();
                QTest::keyClicks(entry->ui->cnt, u"5"_s);
                choose(entry->ui->typ, u"عصرانه"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
            }));
            clickRow(list->ui->DBGrid1, u"typ"_s, u"ناهار"_s);
            QVERIFY(openFromMenu(list->ui->N7, guests, [&] {
                for (const QString& name : {u"مهمان اول"_s, u"مهمان دوم"_s}) {
                    typeText(guests->ui->fname, name);
                    typeText(guests->ui->lname, u"رضايي"_s);
                    choose(guests->ui->ghaza, u"چلوکباب"_s);
                    choose(guests->ui->noshidani, u"دوغ"_s);
                    QTest::mouseClick(guests->ui->ins_btn, Qt::LeftButton);
                    guests->ui->fname->clear();
                    guests->ui->lname->clear();
                }
                QCOMPARE(guests->ui->cnt->text(), u"2"_s);
            }));
        }));
        QCOMPARE(msgs->texts(), (QStringList{RequestText::Saved, RequestText::Saved}));
        const qint64 lunch = Sql::scalar(u"select id from paziraei where typ=?"_s, {u"ناهار"_s}).toLongLong();

        // A manager above the employee in the list's hierarchy (marateb_v only)
        // sees both orders outside his own scope, counted and summed, and
        // approves the lunch under his surname.
        const qint64 boss = person(u"مديري"_s, u"حميد"_s, u"0055555555"_s);
        Sql::insert(u"marateb_v"_s, {{u"master"_s, u"0055555555"_s}, {u"slave"_s, u"0012345678"_s}});
        grantRights(13, u"paziraei"_s, {0, 0, 0, 1});
        AdminPages::signIn({u"0055555555"_s, u"13"_s, u"multi"_s, QString::number(boss), {}});
        msgs->clear();
        QVERIFY(openPage(main, u"N15"_s, list, [&] {
            QCOMPARE(list->ui->cnt->text(), u"2"_s);
            QCOMPARE(list->ui->sum->text(), u"17"_s);
            QVERIFY(!list->ui->N2->isEnabled());
            clickRow(list->ui->DBGrid1, u"id"_s, lunch);
            QVERIFY(openFromMenu(list->ui->N8, entry, [&] {
                QVERIFY(entry->ui->edit_btn->isHidden());
                QTest::mouseClick(entry->ui->modir_btn, Qt::LeftButton);
                QVERIFY(!entry->isVisible());
            }));
        }));
        QVERIFY(msgs->texts().isEmpty());
        QVariantMap row = Sql::row(u"select * from paziraei where id=?"_s, {lunch});
        QCOMPARE(row.value(u"modir_dat"_s).toString(), u"1403/02/30"_s);
        QCOMPARE(row.value(u"modir_name"_s).toString(), u"مديري"_s);
        QVERIFY(row.value(u"taeed_dat"_s).isNull());

        // The office, an administrator below nobody, is told it is no manager
        // of the employee and may approve all the same; then it approves as the office.
        actAsOffice(u"paziraei"_s);
        Stamp::setServerDateForTests(QDate(2024, 5, 20));
        QVERIFY(openPage(main, u"N15"_s, list, [&] {
            clickRow(list->ui->DBGrid1, u"id"_s, lunch);
            QVERIFY(openFromMenu(list->ui->N8, entry));
            QCOMPARE(msgs->texts(), QStringList{RequestText::NotManager});
            QVERIFY(openFromMenu(list->ui->N2, entry, [&] {
                QVERIFY(entry->ui->modir_btn->isHidden());
                QTest::mouseClick(entry->ui->edit_btn, Qt::LeftButton);
            }));
        }));
        row = Sql::row(u"select * from paziraei where id=?"_s, {lunch});
        QCOMPARE(row.value(u"taeed_dat"_s).toString(), u"1403/02/31"_s);
        QCOMPARE(row.value(u"modir_dat"_s).toString(), u"1403/02/30"_s);

        // The export of the orders with their guests: a line per guest, and one
        // for the order without guests.
        QStringList opened;
        Desktop::setOpener([&](const QString& path) { opened << path; });
        QVERIFY(openPage(main, u"N15"_s, list, [&] { list->ui->N10->trigger(); }));
        Desktop::setOpener(nullptr);
        QCOMPARE(opened.size(), 1);
        QString error;
        const auto sheet = Sheet::readSheet(opened[0], u"Sheet1"_s, &error);
        QVERIFY2(sheet, qPrintable(error));
        QCOMPARE(sheet->rows.size(), 4);
        QVERIFY(sheet->rows[0].contains(u"تووک تاييد"_s));
        QVERIFY(sheet->rows[0].contains(u"غذا"_s));

        // The printed order: its guests and the manager who approved it.
        const QString text = printed(u"N15"_s, list, list->ui->DBGrid1, lunch, list->ui->N4);
        for (const QString& words : {u"جلسه بودجه"_s, u"سالن اجتماعات"_s, u"مهمان اول رضايي"_s, u"مهمان دوم رضايي"_s,
                                     u"چلوکباب"_s, u"دوغ"_s, u"مديري"_s, u"علي احمدي"_s})
            QVERIFY2(contains(text, words), qPrintable(words + u" in "_s + text));
    }
};

QTEST_MAIN(TestRequestFeatures)
#include "test_request_features.moc"
