// The signed-in account as stored at the write (core/account_now.h): another
// workstation deletes the clerk's account, makes it inactive, or sets an
// administrator's level to single while a page is open; the clerk's next
// command is refused with the words that say why, and writes nothing.

#include "core/exclusive_save.h"
#include "core/stored_file.h"
#include "personnel/insurance.h"
#include "services/request/request_sql.h"
#include "services/vam_src.h"
#include "tests/core/admin_pages.h"
#include "tests/services/service_steps.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"

using namespace Qt::StringLiterals;

class TestAccountNow : public QObject {
    Q_OBJECT
    TestDb m_db;
    QTemporaryDir m_dir;
    enum Command { LoanDelete, Document, Insurance, ApprovedDelete, Approval };

private slots:
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    void refusedAtTheWrite_data()
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
    void refusedAtTheWrite()
    {
        QFETCH(QString, meanwhile);
        QFETCH(int, command);
        QFETCH(QString, told);
        ServiceSteps::setting(CoreText::DeletePasswordList, u"رمز"_s);
        const qint64 person = ServiceSteps::person(u"احمدي"_s, u"علي"_s, u"0012345678"_s);
        const qint64 loan = Sql::insert(u"vam"_s, {{u"personel_id"_s, person},
                                                   {u"taeed_dat"_s, command == ApprovedDelete ? QVariant(u"1403/01/01"_s) : QVariant()}});
        const qint64 clerk = AdminPages::becomeUser(meanwhile.contains(u"lev") ? u"admin"_s : u"single"_s, u"vam"_s, {1, 1, 1, 1});
        AdminPages::grantRights(clerk, u"personel"_s, {1, 1, 1, 1});
        const auto stored = [&] {
            return QVariantList{Sql::row(u"select * from vam where id=?"_s, {loan}), Sql::row(u"select bime from personel"_s),
                                Sql::scalar(u"select count(*) from personel_pic"_s)};
        };
        const QVariantList before = stored();
        MsgRecorder msgs;
        msgs.answerInput(u"رمز"_s);
        Sql::exec(meanwhile, {clerk});
        const PageInUse page(command == Document ? u"personel"_s : u"vam"_s);
        const bool done = command == Insurance ? Insurance::switchFamily(person, true)
            : command == Approval ? exclusive_save({Keys::hierarchies(true)}, {}, [&] {
                  RequestSql::approve(vam_desc(), loan, {}, {.approverIn = {u"marateb_k"_s}}); })
            : command == Document ? Db::guard([&] {
                  QFile f(m_dir.filePath(u"f.pdf"_s));
                  QVERIFY(f.open(QIODevice::WriteOnly) && f.write("%PDF") == 4 && f.flush());
                  StoredFile::store(u"personel_pic"_s, {{u"personel_id"_s, person}, {u"cmt"_s, u"x"_s}}, {f.fileName(), u".pdf"_s, 4});
              })
            : delete_request_rules(vam_desc(), loan);
        QVERIFY(!done);
        QCOMPARE(msgs.last(), told);
        QCOMPARE(stored(), before);
    }
};

QTEST_MAIN(TestAccountNow)
#include "test_account_now.moc"
