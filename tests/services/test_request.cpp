// The request pattern, once for every feature: the duplicate check, the insert
// with its send date, the two kinds of approval by the id the entry window
// was opened on, the delete rules decided on the request as the database has
// it at the delete, the owner a request must have, and the person picker.

#include "core/entry.h"
#include "core/session.h"
#include "core/stamp.h"
#include "core/texts.h"
#include "platform/ui/form.h"
#include "services/request/person_picker.h"
#include "services/request/request_entry.h"
#include "services/request/request_sql.h"
#include "services/request/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using RequestSql::Outcome;

namespace {

const RequestDesc Desc{.table = u"vam"_s, .duplicateKeys = {u"typ"_s}, .duplicateMessage = u"خطا! تکراري"_s};

qint64 person(const QString& lname, const QString& fname, const QString& nation)
{
    return Sql::insert(u"personel"_s, {{u"lname"_s, lname}, {u"fname"_s, fname}, {u"nation"_s, nation}});
}

void actAs(const QString& level, qint64 personId)
{
    AdminPages::signIn({u"0012345678"_s, u"3"_s, level, personId > 0 ? QString::number(personId) : QString(), {}});
}

QVariantMap request(qint64 id)
{
    return Sql::row(u"select * from vam where id=?"_s, {id});
}

int requests() { return Sql::scalar(u"select count(*) from vam"_s).toInt(); }

// An entry window with two boxes bound to vam.typ and vam.cmt.
struct Window {
    Form form;
    QLineEdit typ{&form};
    QLineEdit cmt{&form};
    QPushButton ins{&form};
    QPushButton edit{&form};
    Entry* entry = new Entry(u"vam"_s, &form);
    RequestEntry request{Desc, entry, &form, &ins, &edit};
    Window() { entry->bind({{&typ, u"typ"_s}, {&cmt, u"cmt"_s}}); }
};

} // namespace

class TestRequest : public QObject {
    Q_OBJECT
    TestDb m_db;
    qint64 m_owner = 0;

private slots:
    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        Stamp::setServerDateForTests(QDate(2024, 5, 19)); // 1403/02/30
        m_owner = person(u"احمدي"_s, u"علي"_s, u"0012345678"_s);
        actAs(u"single"_s, m_owner);
    }
    void cleanup()
    {
        Stamp::setServerDateForTests(QDate());
        m_db.reset();
    }

    // A pending request of the same key blocks a new one; another key, an
    // approved one or another owner does not. The send date is the server's
    // day in Persian, the approval pending.
    void duplicateCheckAndInsert()
    {
        MsgRecorder msgs;
        qint64 first = 0;
        QVERIFY(insert_request(Desc, m_owner, {{u"typ"_s, u"ضروري"_s}}, RequestText::NoPersonRecord, &first));
        QCOMPARE(msgs.texts(), QStringList{RequestText::Saved});
        QCOMPARE(request(first).value(u"ersal_dat"_s).toString(), u"1403/02/30"_s);
        QVERIFY(request(first).value(u"taeed_dat"_s).isNull());
        QCOMPARE(request(first).value(u"personel_id"_s).toLongLong(), m_owner);

        msgs.clear();
        QVERIFY(!insert_request(Desc, m_owner, {{u"typ"_s, u"ضروري"_s}}, RequestText::NoPersonRecord));
        QCOMPARE(msgs.texts(), QStringList{Desc.duplicateMessage});
        QCOMPARE(requests(), 1);

        QVERIFY(insert_request(Desc, m_owner, {{u"typ"_s, u"مسکن"_s}}, RequestText::NoPersonRecord));
        const qint64 other = person(u"رضايي"_s, u"مريم"_s, u"0098765432"_s);
        QVERIFY(insert_request(Desc, other, {{u"typ"_s, u"ضروري"_s}}, RequestText::NoPersonRecord));
        QCOMPARE(RequestSql::approve(Desc, first, {}, {.onlyWhenEmpty = true}), Outcome::Done);
        QVERIFY(insert_request(Desc, m_owner, {{u"typ"_s, u"ضروري"_s}}, RequestText::NoPersonRecord));
        QCOMPARE(requests(), 4);

        // Approved at once: the approval date is the send date.
        qint64 now = 0;
        QVERIFY(insert_request(Desc, other, {{u"typ"_s, u"مسکن"_s}}, RequestText::NoPersonRecord, &now,
                               {u"taeed_dat"_s}));
        QCOMPARE(request(now).value(u"taeed_dat"_s).toString(), u"1403/02/30"_s);
    }

    // A request without a person is refused with its message and nothing is
    // written: no person picked (-1), a login without a person record (empty),
    // a person that no longer exists (said to be deleted).
    void requestWithoutOwnerIsRefused_data()
    {
        QTest::addColumn<QVariant>("owner");
        QTest::addColumn<QString>("said");
        QTest::newRow("none picked") << QVariant(-1) << RequestText::PickPerson;
        QTest::newRow("no person record") << QVariant(QString()) << RequestText::PickPerson;
        QTest::newRow("person gone") << QVariant(999999) << CoreText::PersonGone;
    }
    void requestWithoutOwnerIsRefused()
    {
        QFETCH(QVariant, owner);
        QFETCH(QString, said);
        MsgRecorder msgs;
        QVERIFY(!insert_request(Desc, owner, {{u"typ"_s, u"ضروري"_s}}, RequestText::PickPerson));
        QCOMPARE(msgs.texts(), QStringList{said});
        QCOMPARE(requests(), 0);

        // The same through an entry window, for a user without a person record.
        actAs(u"single"_s, 0);
        Window w;
        w.request.prepareNew();
        w.typ.setText(u"ضروري"_s);
        msgs.clear();
        QVERIFY(!w.request.insertForUser());
        QCOMPARE(msgs.texts(), QStringList{RequestText::NoPersonRecord});
        QCOMPARE(requests(), 0);
    }

    // An approval writes the request the window was opened on, however often
    // it is pressed and whatever the list shows meanwhile; a stamp-once
    // approval keeps the first date, a stamp-again one moves it.
    void approvalWritesTheRequestItWasOpenedOn()
    {
        MsgRecorder msgs;
        qint64 a = 0, b = 0;
        QVERIFY(insert_request(Desc, m_owner, {{u"typ"_s, u"ضروري"_s}}, {}, &a));
        QVERIFY(insert_request(Desc, m_owner, {{u"typ"_s, u"مسکن"_s}, {u"cmt"_s, u"دست نخورده"_s}}, {}, &b));

        msgs.clear();
        Window w;
        QVERIFY(w.request.prepareApprove(a));
        QCOMPARE(w.typ.text(), u"ضروري"_s);
        QVERIFY(w.ins.isHidden());
        w.cmt.setText(u"اول"_s);
        QVERIFY(w.request.approve({.stamp = {}, .showEdited = true}));
        Stamp::setServerDateForTests(QDate(2024, 5, 20)); // 1403/02/31
        w.cmt.setText(u"دوم"_s);
        QVERIFY(w.request.approve({.stamp = {}, .showEdited = true}));
        QCOMPARE(msgs.texts(), (QStringList{RequestText::Edited, RequestText::Edited}));

        QCOMPARE(request(a).value(u"cmt"_s).toString(), u"دوم"_s);
        QCOMPARE(request(a).value(u"taeed_dat"_s).toString(), u"1403/02/31"_s);
        QCOMPARE(request(b).value(u"cmt"_s).toString(), u"دست نخورده"_s);
        QVERIFY(request(b).value(u"taeed_dat"_s).isNull());

        // Stamp once: the fields are saved, the first date stays.
        w.cmt.setText(u"سوم"_s);
        Stamp::setServerDateForTests(QDate(2024, 5, 21));
        QVERIFY(w.request.approve({.stamp = {.onlyWhenEmpty = true}}));
        QCOMPARE(request(a).value(u"cmt"_s).toString(), u"سوم"_s);
        QCOMPARE(request(a).value(u"taeed_dat"_s).toString(), u"1403/02/31"_s);

        // Deleted meanwhile: said so, nothing written.
        Sql::exec(u"delete from vam where id=?"_s, {a});
        msgs.clear();
        QVERIFY(!w.request.approve({.stamp = {.onlyWhenEmpty = true}}));
        QCOMPARE(msgs.texts(), QStringList{CoreText::RecordGone});
        QCOMPARE(requests(), 1);
    }

    // Two approvals of one request from two workstations: the later save,
    // opened before the earlier one was saved, is refused and shows the
    // request as stored; nothing of the earlier approval is lost.
    void aStaleApprovalIsRefused()
    {
        MsgRecorder msgs;
        qint64 id = 0;
        QVERIFY(insert_request(Desc, m_owner, {{u"typ"_s, u"ضروري"_s}}, {}, &id));
        Window mine;
        QVERIFY(mine.request.prepareApprove(id));
        SecondWorkstation other(m_db.options());
        QVERIFY2(other.run([&] {
            QCOMPARE(RequestSql::approve(Desc, id, {{u"cmt"_s, u"ديگري"_s}}, {}, request(id)), Outcome::Done);
        }), qPrintable(other.error()));

        msgs.clear();
        mine.cmt.setText(u"من"_s);
        QVERIFY(!mine.request.approve({.stamp = {}, .showEdited = true}));
        QCOMPARE(msgs.texts(), QStringList{CoreText::RecordChangedElsewhere});
        QCOMPARE(request(id).value(u"cmt"_s).toString(), u"ديگري"_s);
        QCOMPARE(mine.cmt.text(), u"ديگري"_s);
        // Now that the window shows what is stored, its save goes through.
        mine.cmt.setText(u"من"_s);
        QVERIFY(mine.request.approve({.stamp = {}, .showEdited = true}));
        QCOMPARE(request(id).value(u"cmt"_s).toString(), u"من"_s);
    }

    // The delete rules: who may delete what, and the messages.
    void deleteRules_data()
    {
        QTest::addColumn<bool>("approved");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QList<int>>("answers"); // Msg::Button for questions
        QTest::addColumn<QString>("password");   // typed into the password box; empty: none asked
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<QStringList>("messages");
        using B = Msg::Button;
        const QString gone = RequestText::Deleted;
        QTest::newRow("pending, user: at once") << false << u"single"_s << QList<int>{} << QString() << true
                                               << QStringList{gone};
        QTest::newRow("pending, admin, yes") << false << u"admin"_s << QList<int>{int(B::Yes)} << QString() << true
                                            << QStringList{RequestText::AdminDeleteQuestion, gone};
        QTest::newRow("pending, admin, no") << false << u"admin"_s << QList<int>{int(B::No)} << QString() << false
                                           << QStringList{RequestText::AdminDeleteQuestion};
        QTest::newRow("approved, user") << true << u"single"_s << QList<int>{} << QString() << false
                                       << QStringList{RequestText::ApprovedNoDelete};
        QTest::newRow("approved, admin, password") << true << u"admin"_s << QList<int>{} << u"رمز"_s << true
                                                  << QStringList{gone};
        QTest::newRow("approved, admin, wrong password") << true << u"admin"_s << QList<int>{} << u"غلط"_s << false
                                                        << QStringList{};
    }
    void deleteRules()
    {
        QFETCH(bool, approved);
        QFETCH(QString, level);
        QFETCH(QList<int>, answers);
        QFETCH(QString, password);
        QFETCH(bool, deleted);
        QFETCH(QStringList, messages);
        Sql::insert(u"setting"_s, {{u"component"_s, CoreText::DeletePasswordList}, {u"cmt"_s, u"رمز"_s}});
        qint64 id = 0;
        QVERIFY(RequestSql::insert(Desc, m_owner, {{u"typ"_s, u"ضروري"_s}}, &id) == Outcome::Done);
        if (approved)
            RequestSql::approve(Desc, id, {}, {});
        actAs(level, m_owner);

        MsgRecorder msgs;
        for (int a : answers)
            msgs.answer(Msg::Button(a));
        if (!password.isEmpty())
            msgs.answerInput(password);
        QCOMPARE(delete_request_rules(Desc, id), deleted);
        QCOMPARE(msgs.texts(), messages);
        QCOMPARE(requests(), deleted ? 0 : 1);
        // No current request: nothing happens.
        msgs.clear();
        QVERIFY(!delete_request_rules(Desc, 0));
        QVERIFY(msgs.requests.isEmpty());
    }

    // Another workstation approves the request while it is being deleted: a
    // delete of a pending request leaves it with the approved message.
    void requestApprovedDuringTheDeleteStays()
    {
        qint64 id = 0;
        QVERIFY(RequestSql::insert(Desc, m_owner, {{u"typ"_s, u"ضروري"_s}}, &id) == Outcome::Done);
        // A user's delete that was decided on the pending request.
        RequestSql::approve(Desc, id, {}, {});
        QCOMPARE(RequestSql::remove(Desc, id, true), Outcome::Approved);
        QCOMPARE(requests(), 1);

        // An administrator asked about a pending request; the approval comes
        // while the question is open.
        Sql::exec(u"update vam set taeed_dat=null where id=?"_s, {id});
        actAs(u"admin"_s, m_owner);
        struct ApproveWhileAsked final : Msg::Handler {
            qint64 id;
            QStringList texts;
            Msg::Button message(const Msg::Request& r) override
            {
                texts << r.text;
                if (r.text == RequestText::AdminDeleteQuestion)
                    RequestSql::approve(Desc, id, {}, {});
                return Msg::Button::Yes;
            }
            std::optional<QString> input(const Msg::Request&) override { return std::nullopt; }
        } other;
        other.id = id;
        Msg::setHandler(&other);
        const bool deleted = delete_request_rules(Desc, id);
        Msg::setHandler(nullptr);
        QVERIFY(!deleted);
        QCOMPARE(other.texts, (QStringList{RequestText::AdminDeleteQuestion, RequestText::ApprovedNoDelete}));
        QCOMPARE(requests(), 1);
    }

    // Namesakes are told apart by their national codes; a name with one person
    // picks that person at once; a surname without first name is a name too.
    void personPicker()
    {
        const qint64 twin1 = person(u"کريمي"_s, u"حسن"_s, u"1111111111"_s);
        const qint64 twin2 = person(u"کريمي"_s, u"حسن"_s, u"2222222222"_s);
        const qint64 single = Sql::insert(u"personel"_s, {{u"lname"_s, u"نوري"_s}, {u"nation"_s, u"3333333333"_s}});
        QWidget window;
        QComboBox lname(&window), nation(&window);
        QLabel id(&window);
        PersonPicker picker(&lname, &nation, &id, &window);
        picker.fillNames();
        QCOMPARE(lname.count(), 3); // the namesakes are one name
        QCOMPARE(picker.personId(), -1);

        lname.setEditText(u"کريمي حسن"_s);
        QCOMPARE(picker.personId(), -1);
        QCOMPARE(nation.count(), 2);
        nation.setEditText(u"2222222222"_s);
        QCOMPARE(picker.personId(), twin2);
        nation.setEditText(u"1111111111"_s);
        QCOMPARE(picker.personId(), twin1);

        lname.setEditText(u"احمدي علي"_s);
        QCOMPARE(picker.personId(), m_owner);
        QCOMPARE(nation.currentText(), u"0012345678"_s);
        lname.setEditText(u"نوري "_s);
        QCOMPARE(picker.personId(), single);

        picker.clear();
        QCOMPARE(picker.personId(), -1);
        QVERIFY(lname.currentText().isEmpty());
    }
};

QTEST_MAIN(TestRequest)
#include "test_request.moc"
