// The persons attached to a request, as the companions window of a guesthouse
// stay shows them: added by hand with the duplicate test on the name, deleted
// back into the boxes, the owner's dependants added once each, the rows for a
// letter in the order they were added; and the age of a dependant.

#include "core/lock_keys.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "services/khabghah_hamrahan.h"
#include "services/request/attached_persons.h"
#include "services/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_khabghah_hamrahan.h"

#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

class TestAttachedPersons : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tkhabghah_hamrahan* window = nullptr;

    static qint64 person(const QString& fname, const QString& lname)
    {
        return Sql::insert(u"personel"_s, {{u"fname"_s, fname}, {u"lname"_s, lname}, {u"nation"_s, fname + lname}});
    }
    static qint64 stay(qint64 owner) { return Sql::insert(u"khabghah"_s, {{u"personel_id"_s, owner}}); }
    static QStringList names(qint64 request)
    {
        QStringList out;
        for (const QVariantMap& r : AttachedPersons::rowsOf(u"hamrahan"_s, u"khabghah_id"_s, request))
            out << r.value(u"fname"_s).toString() + u' ' + (r.value(u"sen"_s).isNull() ? QString() : r.value(u"sen"_s).toString());
        return out;
    }
    void type(const QString& fname, const QString& lname, const QString& sen, const QString& nesbat)
    {
        window->ui->fname->setText(fname);
        window->ui->lname->setText(lname);
        window->ui->sen->setText(sen);
        window->ui->nesbat->setCurrentText(nesbat);
    }

private slots:
    void initTestCase() { QVERIFY(startProgram(main, window, u"khabghah_hamrahan"_s)); }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        actAs(u"admin"_s, 1, u"admin"_s);
    }

    void cleanup()
    {
        window->close();
        m_db.reset();
    }

    void age_data()
    {
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("birthday");
        QTest::addColumn<int>("age"); // -1: none
        QTest::newRow("years apart") << u"1395/02/01"_s << u"1360/11/30"_s << 35;
        QTest::newRow("Persian digits") << u"1395/02/01"_s << u"۱۳۶۰/۰۱/۰۱"_s << 35;
        QTest::newRow("blank mask") << u"1395/02/01"_s << u"    /  /  "_s << -1;
        QTest::newRow("no year") << u"1395/02/01"_s << u"13/6/1"_s << -1;
        QTest::newRow("empty") << u"1395/02/01"_s << QString() << -1;
    }
    void age()
    {
        QFETCH(QString, today);
        QFETCH(QString, birthday);
        QFETCH(int, age);
        QCOMPARE(companion_age(today, birthday).value_or(-1), age);
    }

    // By hand: a name twice on one stay is refused, on another stay accepted;
    // a delete puts the person back into the boxes, so adding again restores it.
    void byHand()
    {
        MsgRecorder msgs;
        const qint64 owner = person(u"رضا"_s, u"احمدي"_s);
        const qint64 first = stay(owner);
        const qint64 second = stay(owner);
        Sql::insert(u"setting"_s, {{u"component"_s, ServiceText::RelationList}, {u"cmt"_s, u"همسر"_s}});
        window->openFor(first, owner);
        window->show();
        QCOMPARE(window->ui->sen->text(), u"0"_s);
        QCOMPARE(window->ui->nesbat->count(), 1); // the settings list, at the show
        type(u"مريم"_s, u"احمدي"_s, u"30"_s, u"همسر"_s);
        window->ui->ins_btn->click();
        type(u"علي"_s, u"احمدي"_s, QString(), u"فرزند"_s);
        QTest::keyClick(window->ui->nesbat, Qt::Key_Return); // Enter on the last box adds
        window->ui->ins_btn->click();
        QCOMPARE(msgs.texts(), QStringList{ServiceText::PersonDuplicate});
        QCOMPARE(names(first), (QStringList{u"مريم 30"_s, u"علي "_s}));
        QCOMPARE(window->persons()->count(), 2);

        msgs.clear();
        clickRow(window->ui->DBGrid1, u"fname"_s, u"مريم"_s);
        window->ui->N1->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::RowDeleted});
        QCOMPARE(window->ui->fname->text(), u"مريم"_s);
        QCOMPARE(window->ui->sen->text(), u"30"_s);
        QCOMPARE(window->ui->nesbat->currentText(), u"همسر"_s);
        QCOMPARE(names(first), QStringList{u"علي "_s});
        window->ui->ins_btn->click();
        QCOMPARE(names(first), (QStringList{u"علي "_s, u"مريم 30"_s}));

        window->openFor(second, owner);
        QVERIFY(window->ui->fname->text().isEmpty());
        type(u"مريم"_s, u"احمدي"_s, u"30"_s, u"همسر"_s);
        window->ui->ins_btn->click();
        QCOMPARE(names(second), QStringList{u"مريم 30"_s});
        QCOMPARE(window->persons()->count(), 1);
    }

    // A companion added while another workstation deletes the stay: the add
    // waits for the stay's own key, then finds the stay gone and adds nothing.
    void addedWhileTheStayIsDeleted()
    {
        MsgRecorder msgs;
        const qint64 owner = person(u"رضا"_s, u"احمدي"_s);
        const qint64 request = stay(owner);
        window->openFor(request, owner);
        window->show();
        Meeting deleting;
        SecondWorkstation other(m_db.options());
        other.start([&] {
            Sql::exclusive({Keys::table(u"khabghah"_s, true), Keys::record(u"khabghah"_s, request)}, [&] {
                Sql::exec(u"delete from khabghah where id=?"_s, {request});
                deleting.arrive();
                QThread::msleep(300); // this workstation adds meanwhile
            });
        });
        QVERIFY(deleting.awaitArrival());
        type(u"مريم"_s, u"احمدي"_s, u"30"_s, u"همسر"_s);
        window->ui->ins_btn->click();
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QCOMPARE(msgs.texts(), QStringList{CoreText::RequestGone});
        QVERIFY(names(request).isEmpty());
    }

    // The dependants are the stay owner's, not the clerk's; pressed twice each
    // comes once; an unreadable birthday stores no age.
    void dependants()
    {
        const qint64 clerk = person(u"کارمند"_s, u"دفتر"_s);
        const qint64 owner = person(u"رضا"_s, u"احمدي"_s);
        AdminPages::signIn({u"clerk"_s, u"2"_s, u"ostan"_s, QString::number(clerk), {}});
        const QString year = Shamsi::today().left(4);
        for (const auto& [pid, fname, birthday] :
             {std::tuple{clerk, u"خانواده منشي"_s, u"1370/01/01"_s}, {owner, u"سارا"_s, QString::number(year.toInt() - 10) + u"/05/05"_s},
              {owner, u"نيما"_s, u"نامعلوم"_s}})
            Sql::insert(u"takafol"_s, {{u"personel_id"_s, pid}, {u"fname"_s, fname}, {u"lname"_s, u"احمدي"_s},
                                       {u"nesbat"_s, u"فرزند"_s}, {u"birthday"_s, birthday}});
        const qint64 request = stay(owner);
        window->openFor(request, owner);
        window->show();
        window->ui->SpeedButton1->click();
        window->ui->SpeedButton1->click();
        QCOMPARE(names(request), (QStringList{u"سارا 10"_s, u"نيما "_s}));
        QVERIFY(Sql::scalar(u"select sen from hamrahan where fname=?"_s, {u"نيما"_s}).isNull());
        QCOMPARE(window->persons()->count(), 2);
        QCOMPARE(window->persons()->list()->model()->rowCount(), 2);
    }
};

QTEST_MAIN(TestAttachedPersons)
#include "test_attached_persons.moc"
