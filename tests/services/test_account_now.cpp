// The signed-in account as stored at the write (core/account_now.h): another
// workstation deletes the clerk's account, makes it inactive, or sets an
// administrator's level to single while a page is open; the clerk's next
// command is refused with the words that say why, and writes nothing.

#include "core/exclusive_save.h"
#include "core/stored_file.h"
#include "core/texts.h"
#include "personnel/insurance.h"
#include "services/request/request_sql.h"
#include "services/vam_src.h"
#include "tests/core/admin_pages.h"
#include "tests/services/service_steps.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"

#include <QtTest>

using namespace AdminPages;
using namespace Qt::StringLiterals;

class TestAccountNow : public QObject {
    Q_OBJECT
    TestDb m_db;
    QTemporaryDir m_dir;

    enum Command { LoanDelete, Document, Insurance, ApprovedDelete, Approval };

private slots:
    void initTestCase()
    {
        Tmain* main = nullptr;
        QWidget* list = nullptr;
        QVERIFY(startProgram(main, list, u"vam_src"_s));
    }
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    void refusedAtTheWrite_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("meanwhile"); // what the other workstation does to the account
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("told");
        const QString gone = u"delete from users where id=?"_s, inactive = u"update users set status='x' where id=?"_s,
                      demoted = u"update users set lev='single' where id=?"_s;
        QTest::newRow("deleted, pending loan deleted") << u"single"_s << gone << int(LoanDelete) << CoreText::OwnUserGone;
        QTest::newRow("deleted, document stored") << u"single"_s << gone << int(Document) << CoreText::OwnUserGone;
        QTest::newRow("inactive, pending loan deleted") << u"single"_s << inactive << int(LoanDelete) << CoreText::UserInactive;
        QTest::newRow("inactive, document stored") << u"single"_s << inactive << int(Document) << CoreText::UserInactive;
        QTest::newRow("demoted, insurance switched") << u"admin"_s << demoted << int(Insurance) << CoreText::OwnLevelChanged;
        QTest::newRow("demoted, approved loan deleted") << u"admin"_s << demoted << int(ApprovedDelete) << CoreText::OwnLevelChanged;
        QTest::newRow("demoted, approval past the gate") << u"admin"_s << demoted << int(Approval) << CoreText::OwnLevelChanged;
    }
    void refusedAtTheWrite()
    {
        QFETCH(QString, level);
        QFETCH(QString, meanwhile);
        QFETCH(int, command);
        QFETCH(QString, told);
        ServiceSteps::setting(CoreText::DeletePasswordList, u"رمز"_s);
        const qint64 person = ServiceSteps::person(u"احمدي"_s, u"علي"_s, u"0012345678"_s);
        const qint64 loan = Sql::insert(u"vam"_s, {{u"personel_id"_s, person}, {u"taeed_dat"_s,
                                                   command == ApprovedDelete ? QVariant(u"1403/01/01"_s) : QVariant()}});
        const qint64 clerk = becomeUser(level, u"vam"_s, {1, 1, 1, 1});
        grantRights(clerk, u"personel"_s, {1, 1, 1, 1});
        QFile file(m_dir.filePath(u"f.pdf"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("%PDF") == 4);
        file.close();
        const auto stored = [&] {
            return QVariantList{Sql::row(u"select * from vam where id=?"_s, {loan}),
                                Sql::scalar(u"select count(*) from personel_pic"_s),
                                Sql::row(u"select bime from personel where id=?"_s, {person})};
        };
        const QVariantList before = stored();

        MsgRecorder msgs;
        msgs.answer(Msg::Button::Yes);
        msgs.answerInput(u"رمز"_s);
        Sql::exec(meanwhile, {clerk});
        const PageInUse page(command == Document ? u"personel"_s : u"vam"_s);
        switch (Command(command)) {
        case LoanDelete:
        case ApprovedDelete: QVERIFY(!delete_request_rules(vam_desc(), loan)); break;
        case Document:
            QVERIFY(!Db::guard([&] {
                StoredFile::store(u"personel_pic"_s, {{u"personel_id"_s, person}, {u"cmt"_s, u"سند"_s}},
                                  {file.fileName(), u".pdf"_s, file.size()});
            }));
            break;
        case Insurance: QVERIFY(!Insurance::switchFamily(person, true)); break;
        case Approval:
            QVERIFY(!exclusive_save({Keys::hierarchies(true)}, QString(), [&] {
                RequestSql::approve(vam_desc(), loan, {}, {.approverIn = {u"marateb_k"_s}});
            }));
            break;
        }
        QCOMPARE(msgs.last(), told);
        QCOMPARE(stored(), before);
    }
};

QTEST_MAIN(TestAccountNow)
#include "test_account_now.moc"
