// Loans as the people of the office use them, through the windows, on the
// program's own database: an employee requests a loan, the office approves
// it, the employee's list shows the approval; a manager enters a loan for one
// of two namesakes, picked by national code, approved at once; the payment
// letter prints with the owner's name, the loan and the signatories.

#include "core/main_window.h"
#include "core/mon_edit.h"
#include "core/exclusive_save.h"
#include "core/stored_file.h"
#include "personnel/insurance.h"
#include "core/shamsi_date.h"
#include "core/stamp.h"
#include "core/texts.h"
#include "platform/report/report.h"
#include "services/request/request_list.h"
#include "services/request/request_sql.h"
#include "services/request/texts.h"
#include "services/texts.h"
#include "services/vam_ins.h"
#include "services/vam_ins_modir.h"
#include "services/vam_src.h"
#include "tests/core/admin_pages.h"
#include "tests/services/service_steps.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_main.h"
#include "ui_vam_ins.h"
#include "ui_vam_ins_modir.h"
#include "ui_vam_src.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace AdminPages;
using namespace ServiceSteps;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

class TestVam : public QObject {
    Q_OBJECT
    TestDb m_db;
    Tmain* main = nullptr;
    Tvam_src* list = nullptr;
    Tvam_ins* entry = nullptr;
    Tvam_ins_modir* manager = nullptr;

    void actAsPerson(const QString& nation, qint64 userId, qint64 personId, const QString& level)
    {
        AdminPages::signIn({nation, QString::number(userId), level, QString::number(personId), {}});
    }

    qint64 loanOf(qint64 personId) const
    {
        return Sql::scalar(u"select max(id) from vam where personel_id=?"_s, {personId}).toLongLong();
    }

    enum Command { LoanDelete, Document, Insurance, ApprovedDelete, Approval }; // the commands of the clerk below

private slots:
    void initTestCase()
    {
        QVERIFY(startProgram(main, list, u"vam_src"_s));
        entry = win<Tvam_ins>(u"vam_ins"_s);
        manager = win<Tvam_ins_modir>(u"vam_ins_modir"_s);
        QVERIFY(entry && manager);
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        Stamp::setServerDateForTests(QDate(2024, 5, 19)); // 1403/02/30
    }

    void cleanup()
    {
        Report::setPreviewHandler({});
        Stamp::setServerDateForTests(QDate());
        m_db.reset();
    }

    void requestApproveManagerAndLetter()
    {
        using namespace ServiceText;
        for (const QString& t : {u"ضروري"_s, u"مسکن"_s})
            setting(VamTypeList, t);
        setting(VamStageList, u"مرحله اول"_s);
        setting(VamStatusList, u"در جريان"_s);
        setting(VamBankList, u"ملي"_s);
        setting(RequestText::SignatoryExpert, u"کارشناس نمونه"_s);
        setting(RequestText::SignatoryAdministration, u"رئيس نمونه"_s);
        setting(CoreText::LoanManagerPasswordList, u"مدير"_s);
        const qint64 employee = person(u"احمدي"_s, u"علي"_s, u"0012345678"_s);
        const qint64 twin1 = person(u"کريمي"_s, u"حسن"_s, u"1111111111"_s);
        const qint64 twin2 = person(u"کريمي"_s, u"حسن"_s, u"2222222222"_s);
        MsgRecorder msgs;

        // The employee asks for a loan of 2,500,000,000 rials.
        grantRights(11, u"vam"_s, {1, 0, 1, 1});
        actAsPerson(u"0012345678"_s, 11, employee, u"single"_s);
        QVERIFY(openPage(main, u"N14"_s, list, [&] {
            QVERIFY(!list->ui->N2->isEnabled());
            QCOMPARE(list->ui->taeed_dat1->text(), Shamsi::today());
            list->ui->CheckBox4->click();
            typeText(list->ui->lname, u"احمد"_s);
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                QVERIFY(entry->ui->edit_btn->isHidden());
                QCOMPARE(entry->ui->mablagh->text(), u"0"_s);
                choose(entry->ui->typ, u"مسکن"_s);
                entry->ui->mablagh->selectAll();
                QTest::keyClicks(entry->ui->mablagh, u"2500000000"_s);
                QTest::keyClicks(entry->ui->aghsat, u"36"_s);
                choose(entry->ui->bank, u"ملي"_s);
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
                QCOMPARE(msgs.texts(), QStringList{RequestText::Saved});
                // A second request of the same type waits for the first.
                QTest::mouseClick(entry->ui->ins_btn, Qt::LeftButton);
                QCOMPARE(msgs.last(), VamDuplicate);
            }));
            QCOMPARE(list->requests().list().model()->rowCount(), 1);
        }));
        const qint64 loan = loanOf(employee);
        QVariantMap row = Sql::row(u"select * from vam where id=?"_s, {loan});
        QCOMPARE(row.value(u"mablagh"_s).toLongLong(), Q_INT64_C(2500000000));
        QCOMPARE(row.value(u"aghsat"_s).toInt(), 36);
        QCOMPARE(row.value(u"ersal_dat"_s).toString(), u"1403/02/30"_s);
        QVERIFY(row.value(u"taeed_dat"_s).isNull());

        // The office approves it, correcting the stage.
        grantRights(12, u"vam"_s, {1, 1, 1, 1});
        AdminPages::signIn({u"office"_s, u"12"_s, u"admin"_s, {}, {}});
        Stamp::setServerDateForTests(QDate(2024, 5, 20)); // 1403/02/31
        msgs.clear();
        QVERIFY(openPage(main, u"N14"_s, list, [&] {
            // Opened again: the filter boxes emptied, their ticks kept.
            QVERIFY(list->ui->CheckBox4->isChecked());
            QVERIFY(list->ui->lname->text().isEmpty());
            clickRow(list->ui->DBGrid1, u"id"_s, loan);
            QVERIFY(openFromMenu(list->ui->N2, entry, [&] {
                QVERIFY(entry->ui->ins_btn->isHidden());
                QCOMPARE(entry->ui->typ->currentText(), u"مسکن"_s);
                QCOMPARE(entry->ui->mablagh->GetValue(), Q_INT64_C(2500000000));
                choose(entry->ui->marhale, u"مرحله اول"_s);
                QTest::mouseClick(entry->ui->edit_btn, Qt::LeftButton);
                QVERIFY(!entry->isVisible()); // the loan's approval closes the window
            }));
        }));
        QVERIFY(msgs.texts().isEmpty());
        row = Sql::row(u"select * from vam where id=?"_s, {loan});
        QCOMPARE(row.value(u"taeed_dat"_s).toString(), u"1403/02/31"_s);
        QCOMPARE(row.value(u"marhale"_s).toString(), u"مرحله اول"_s);
        QCOMPARE(row.value(u"mablagh"_s).toLongLong(), Q_INT64_C(2500000000));

        // The employee's list shows the approval date.
        actAsPerson(u"0012345678"_s, 11, employee, u"single"_s);
        QVERIFY(openPage(main, u"N14"_s, list, [&] {
            ListModel* rows = list->requests().list().model();
            QCOMPARE(rows->rowCount(), 1);
            QCOMPARE(rows->value(0, u"taeed_dat"_s).toString(), u"1403/02/31"_s);
        }));

        // The manager enters a loan for the second of two namesakes, approved at once.
        AdminPages::signIn({u"office"_s, u"12"_s, u"admin"_s, {}, {}});
        msgs.clear();
        msgs.answerInput(u"مدير"_s);
        QVERIFY(openPage(main, u"N14"_s, list, [&] {
            QVERIFY(openFromMenu(list->ui->N1, entry, [&] {
                QTimer::singleShot(0, manager, [&] {
                    // Closed whatever the steps find, so that a failure cannot hang the test.
                    const auto close = qScopeGuard([&] { manager->close(); });
                    QVERIFY(manager->isVisible());
                    QVERIFY(manager->ui->taeed->isChecked());
                    manager->ui->lname->setFocus();
                    typeText(manager->ui->lname->lineEdit(), u"کريمي حسن"_s);
                    QCOMPARE(manager->ui->personel_id->text(), u"-1"_s);
                    QCOMPARE(manager->ui->nation->count(), 2);
                    choose(manager->ui->nation, u"2222222222"_s);
                    QCOMPARE(manager->ui->personel_id->text(), QString::number(twin2));
                    choose(manager->ui->typ, u"ضروري"_s);
                    manager->ui->mablagh->selectAll();
                    QTest::keyClicks(manager->ui->mablagh, u"7654321"_s);
                    QCOMPARE(manager->ui->mablagh->text(), u"7,654,321"_s);
                    QTest::mouseClick(manager->ui->ins_btn, Qt::LeftButton);
                    QCOMPARE(msgs.texts(), QStringList{RequestText::Saved});
                    // Cleared for the next one; nobody picked writes nothing.
                    QCOMPARE(manager->ui->personel_id->text(), u"-1"_s);
                    QTest::mouseClick(manager->ui->ins_btn, Qt::LeftButton);
                    QCOMPARE(msgs.last(), RequestText::PickPerson);
                });
                QTest::mouseClick(entry->ui->Label23, Qt::LeftButton);
                QVERIFY(!entry->isVisible());
            }));
            // The list shows the manager's loan once the manager's window closed.
            QCOMPARE(list->requests().list().model()->rowCount(), 2);
        }));
        QCOMPARE(Sql::scalar(u"select count(*) from vam where personel_id=?"_s, {twin1}).toInt(), 0);
        row = Sql::row(u"select * from vam where id=?"_s, {loanOf(twin2)});
        QCOMPARE(row.value(u"mablagh"_s).toLongLong(), Q_INT64_C(7654321));
        QCOMPARE(row.value(u"ersal_dat"_s).toString(), u"1403/02/31"_s);
        QCOMPARE(row.value(u"taeed_dat"_s).toString(), u"1403/02/31"_s);

        // The payment letter of the employee's loan.
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"vam_chap.pdf"_s);
        Report::setPreviewHandler([&](Report& r) { QVERIFY(r.savePdf(pdf)); });
        QVERIFY(openPage(main, u"N14"_s, list, [&] {
            clickRow(list->ui->DBGrid1, u"id"_s, loan);
            list->ui->A51->trigger();
        }));
        const QString text = pdfText(pdf);
        QVERIFY2(contains(text, u"علي احمدي"_s), qPrintable(text));
        QVERIFY(contains(text, u"مسکن"_s));
        QVERIFY(contains(text, u"فارس"_s));
        QVERIFY(contains(text, u"کارشناس نمونه"_s));
        QVERIFY(contains(text, u"رئيس نمونه"_s));

        // The relief-loan form: the requester's province and the document code
        // that province keeps; the dots where another province keeps one.
        Sql::insert(u"setting_ost"_s, {{u"ostan"_s, u"فارس"_s}, {u"component"_s, ReliefDocumentCodeList},
                                       {u"cmt"_s, u"FA-TV-07"_s}});
        for (const auto& [province, code] : {std::pair{u"فارس"_s, u"FA-TV-07"_s}, {u"گيلان"_s, HandFilled}}) {
            Sql::exec(u"update personel set ostan=? where id=(select personel_id from vam where id=?)"_s,
                      {province, loan});
            QVERIFY(openPage(main, u"N14"_s, list, [&] {
                clickRow(list->ui->DBGrid1, u"id"_s, loan);
                list->ui->N7->trigger();
            }));
            const QString relief = pdfText(pdf);
            QVERIFY2(contains(relief, province) && relief.contains(code)
                         && relief.contains(u"FA-TV-07"_s) == (code != HandFilled),
                     qPrintable(relief));
        }
    }

    // The signed-in account as stored at the write (core/account_now.h):
    // another workstation deletes the clerk's account, makes it inactive, or
    // sets an administrator's level to single while a page is open; the next
    // command is refused with the words that say why, and writes nothing.
    void accountChangedMeanwhile_data()
    {
        QTest::addColumn<QString>("meanwhile"); // done to the clerk's account; "lev": an administrator demoted
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("told");
        for (int c : {LoanDelete, Document}) {
            QTest::addRow("deleted %d", c) << u"delete from users where id=?"_s << c << CoreText::OwnUserGone;
            QTest::addRow("inactive %d", c) << u"update users set status='x' where id=?"_s << c << CoreText::UserInactive;
        }
        for (int c : {Insurance, ApprovedDelete, Approval})
            QTest::addRow("demoted %d", c) << u"update users set lev='single' where id=?"_s << c << CoreText::OwnLevelChanged;
    }
    void accountChangedMeanwhile()
    {
        QFETCH(QString, meanwhile);
        QFETCH(int, command);
        QFETCH(QString, told);
        setting(CoreText::DeletePasswordList, u"رمز"_s);
        const qint64 owner = person(u"احمدي"_s, u"علي"_s, u"0012345678"_s);
        const qint64 loan = Sql::insert(u"vam"_s, {{u"personel_id"_s, owner},
                                                   {u"taeed_dat"_s, command == ApprovedDelete ? QVariant(u"1403/01/01"_s) : QVariant()}});
        const qint64 clerk = becomeUser(meanwhile.contains(u"lev") ? u"admin"_s : u"single"_s, u"vam"_s, {1, 1, 1, 1});
        grantRights(clerk, u"personel"_s, {1, 1, 1, 1});
        const auto stored = [&] {
            return QVariantList{Sql::row(u"select * from vam where id=?"_s, {loan}), Sql::row(u"select bime from personel"_s),
                                Sql::scalar(u"select count(*) from personel_pic"_s)};
        };
        const QVariantList before = stored();
        MsgRecorder msgs;
        msgs.answerInput(u"رمز"_s);
        Sql::exec(meanwhile, {clerk});
        const PageInUse page(command == Document ? u"personel"_s : u"vam"_s);
        const bool done = command == Insurance ? Insurance::switchFamily(owner, true)
            : command == Approval ? exclusive_save({Keys::hierarchies(true)}, {}, [&] {
                  RequestSql::approve(vam_desc(), loan, {}, {.approverIn = {u"marateb_k"_s}}); })
            : command == Document ? Db::guard([&] {
                  QTemporaryDir dir;
                  QFile f(dir.filePath(u"f.pdf"_s));
                  QVERIFY(f.open(QIODevice::WriteOnly) && f.write("%PDF") == 4 && f.flush());
                  StoredFile::store(u"personel_pic"_s, {{u"personel_id"_s, owner}, {u"cmt"_s, u"x"_s}}, {f.fileName(), u".pdf"_s, 4});
              })
            : delete_request_rules(vam_desc(), loan);
        QVERIFY(!done);
        QCOMPARE(msgs.last(), told);
        QCOMPARE(stored(), before);
    }
};

QTEST_MAIN(TestVam)
#include "test_vam.moc"
