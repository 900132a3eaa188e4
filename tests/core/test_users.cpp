// The users window and the account entry window, driven as a person would:
// typing into boxes, ticking boxes, clicking cells and buttons, answering
// messages; then the database is read.

#include "core/exclusive_save.h"
#include "core/list_window.h"
#include "core/password_hash.h"
#include "core/schema.h"
#include "core/texts.h"
#include "core/users.h"
#include "core/users_ins.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "tests/core/admin_pages.h"
#include "tests/support/low_memory.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_users.h"
#include "ui_users_ins.h"

#include <QtTest>

using namespace WindowSteps;
using namespace Qt::StringLiterals;
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTableView>

class TestUsers : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tusers* users = nullptr;
    Tusers_ins* entry = nullptr;

    // Clicks a check box on its indicator.
    static void tick(QCheckBox* box)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    }

    qint64 account(const QString& us, const QString& nam, const QString& ostan = u"مازندران"_s,
                   const QString& ps = u"x"_s)
    {
        return Sql::insert(u"users"_s, {{u"us"_s, us},
                                        {u"ps"_s, PasswordHash::hash(ps)},
                                        {u"ver"_s, u"1"_s},
                                        {u"lev"_s, u"single"_s},
                                        {u"ostan"_s, ostan},
                                        {u"nam"_s, nam},
                                        {u"status"_s, CoreText::ActiveStatus}});
    }

    void open()
    {
        users->prepareForOpening(true, true, true);
        users->show();
        QVERIFY(QTest::qWaitForWindowExposed(users));
    }

    // Clicks a cell of the list's row of an account.
    void clickRow(qint64 id)
    {
        WindowSteps::clickRow(users->ui->DBGrid1, u"id"_s, id);
        QCOMPARE(users->list()->current(u"id"_s).toLongLong(), id);
    }

    QVariantMap userRow(qint64 id) { return Sql::row(u"select * from users where id=?"_s, {id}); }
    int count(const QString& sql, const QVariantList& values = {}) { return Sql::scalar(sql, values).toInt(); }
    QString lastLog() { return Sql::scalar(u"select cmt from log order by id desc"_s).toString(); }

private slots:
    void initTestCase()
    {
        WindowSet::instance().define(u"users"_s, [] { return new Tusers; });
        WindowSet::instance().define(u"users_ins"_s, [] { return new Tusers_ins; });
        WindowSet::instance().createAll();
        users = win<Tusers>(u"users"_s);
        entry = win<Tusers_ins>(u"users_ins"_s);
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        AdminPages::actAs(u"admin"_s, 1, u"admin"_s);
    }
    void cleanup()
    {
        users->hide();
        m_db.reset();
    }

    void addAccount()
    {
        MsgRecorder msgs;
        for (const char* ostan : {"خراسان", "گيلان", "چهارمحال", "گيلان"})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, QString::fromUtf8(ostan)}});
        open();
        const int logs = count(u"select count(*) from log"_s);
        QVERIFY(openFromMenu(users->ui->N5, entry, [&] {
            // The provinces once each, in Persian alphabetical order.
            QStringList provinces;
            for (int i = 0; i < entry->ui->ostan->count(); ++i)
                provinces << entry->ui->ostan->itemText(i);
            QCOMPARE(provinces, (QStringList{u"چهارمحال"_s, u"خراسان"_s, u"گيلان"_s}));
            QCOMPARE(entry->ui->status->currentText(), CoreText::ActiveStatus);
            QVERIFY(entry->ui->ins_btn->isVisible() && !entry->ui->edit_btn->isVisible());
            // Both the user name and the password are required.
            entry->ui->ins_btn->click();
            typeKeys(entry->ui->us, u"2050123456"_s);
            entry->ui->ins_btn->click();
            typeKeys(entry->ui->ps, u"رمز-1"_s);
            typeKeys(entry->ui->nam, u"علي رضايي"_s);
            entry->ui->ostan->setCurrentText(u"گيلان"_s);
            entry->ui->lev->setCurrentText(u"ostan"_s);
            entry->ui->ins_btn->click();
            // The window stays open as it was: the same name a second time is refused.
            entry->ui->ins_btn->click();
            // A password whose hash cannot be made saves nothing.
            entry->ui->us->setText(u"2050999999"_s);
            withLittleMemory([&] { entry->ui->ins_btn->click(); });
        }));

        QCOMPARE(msgs.texts(), (QStringList{CoreText::UserNameRequired, CoreText::UserPasswordRequired,
                                            CoreText::UserSaved, CoreText::UserNameDuplicate,
                                            CoreText::PasswordHashFailed}));
        QCOMPARE(count(u"select count(*) from users where us=?"_s, {u"2050999999"_s}), 0);
        QCOMPARE(count(u"select count(*) from users where us=?"_s, {u"2050123456"_s}), 1);
        const QVariantMap row = Sql::row(u"select * from users where us=?"_s, {u"2050123456"_s});
        // The password is kept as a salted hash that the login can check.
        QVERIFY(row.value(u"ps"_s).toString() != u"رمز-1"_s);
        QVERIFY(PasswordHash::verify(row.value(u"ps"_s).toString(), u"رمز-1"_s));
        QCOMPARE(row.value(u"ver"_s).toString(), QString());
        QCOMPARE(row.value(u"status"_s).toString(), CoreText::ActiveStatus);
        QCOMPARE(row.value(u"lev"_s).toString(), u"ostan"_s);
        // One log row, for the one account added.
        QCOMPARE(count(u"select count(*) from log"_s), logs + 1);
        QCOMPARE(lastLog(), CoreText::LogUserAdded + u"2050123456 گيلان"_s);
        // The list shows the new account at once.
        QCOMPARE(users->list()->model()->rowCount(), 2);
    }

    // A user name typed with Persian digits is stored with ASCII digits, and
    // the same name in other digits is a duplicate; no box takes more than its
    // column holds.
    void userNameStoredInAsciiDigits()
    {
        MsgRecorder msgs;
        account(u"٠٠٥٥"_s, u"قديمي"_s); // an older account, stored with Arabic-Indic digits
        open();
        QVERIFY(openFromMenu(users->ui->N5, entry, [&] {
            QCOMPARE(entry->ui->us->maxLength(), Schema::columnWidth(u"users"_s, u"us"_s));
            QCOMPARE(entry->ui->us->maxLength(), 25);
            QCOMPARE(entry->ui->nam->maxLength(), 100);
            QCOMPARE(entry->ui->semat->lineEdit()->maxLength(), 250);
            entry->ui->nam->setText(QString(390, QChar(u'ن')));
            QCOMPARE(entry->ui->nam->text().size(), 100);
            entry->ui->us->setText(u"۲۰۵۰۱۲۳۴۵۶"_s);
            entry->ui->ps->setText(u"x"_s);
            entry->ui->ins_btn->click();
            entry->ui->us->setText(u"0055"_s);
            entry->ui->ins_btn->click();
        }));
        QCOMPARE(msgs.texts(), (QStringList{CoreText::UserSaved, CoreText::UserNameDuplicate}));
        QCOMPARE(count(u"select count(*) from users where us=?"_s, {u"2050123456"_s}), 1);
        QCOMPARE(count(u"select count(*) from users where nam=?"_s, {QString(100, QChar(u'ن'))}), 1);
    }

    void editAccountKeepsOrReplacesThePassword()
    {
        MsgRecorder msgs;
        const qint64 first = account(u"1111111111"_s, u"اول"_s, u"تهران"_s, u"p1"_s);
        const qint64 second = account(u"2222222222"_s, u"دوم"_s, u"تهران"_s, u"p2"_s);
        const QString secondHash = userRow(second).value(u"ps"_s).toString();
        open();

        // Unchanged name, empty password box: the password stays, no look-up, no message.
        clickRow(second);
        QVERIFY(openFromMenu(users->ui->N6, entry, [&] {
            QVERIFY(entry->ui->edit_btn->isVisible() && !entry->ui->ins_btn->isVisible());
            QCOMPARE(entry->ui->us->text(), u"2222222222"_s);
            QVERIFY(entry->ui->ps->text().isEmpty()); // the password is never shown
            entry->ui->nam->clear();
            typeKeys(entry->ui->nam, u"دوم تازه"_s);
            entry->ui->edit_btn->click();
            QVERIFY(!entry->isVisible());
        }));
        QVERIFY(msgs.texts().isEmpty());
        QCOMPARE(userRow(second).value(u"nam"_s).toString(), u"دوم تازه"_s);
        QCOMPARE(userRow(second).value(u"ps"_s).toString(), secondHash);
        QCOMPARE(userRow(second).value(u"ver"_s).toString(), u"1"_s);
        QCOMPARE(lastLog(), CoreText::LogUserEdited + u"2222222222 تهران"_s);
        // The list shows the change at once.
        ListModel* model = users->list()->model();
        QStringList names;
        for (int r = 0; r < model->rowCount(); ++r)
            names << model->value(r, u"nam"_s).toString();
        QVERIFY(names.contains(u"دوم تازه"_s));

        // A name that another account has is refused; nothing changes.
        const int logs = count(u"select count(*) from log"_s);
        clickRow(second);
        QVERIFY(openFromMenu(users->ui->N6, entry, [&] {
            entry->ui->us->setText(u"1111111111"_s);
            entry->ui->edit_btn->click();
            QVERIFY(entry->isVisible());
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::UserNameDuplicate});
        QCOMPARE(userRow(second).value(u"us"_s).toString(), u"2222222222"_s);
        QCOMPARE(count(u"select count(*) from log"_s), logs);

        // A free name and a new password: both saved, the password as a hash.
        clickRow(second);
        QVERIFY(openFromMenu(users->ui->N6, entry, [&] {
            entry->ui->us->setText(u"3333333333"_s);
            typeKeys(entry->ui->ps, u"tazeh"_s);
            entry->ui->edit_btn->click();
        }));
        const QString ps = userRow(second).value(u"ps"_s).toString();
        QVERIFY(ps != u"tazeh"_s && PasswordHash::verify(ps, u"tazeh"_s));
        QCOMPARE(lastLog(), CoreText::LogUserEdited + u"3333333333 تهران"_s);

        // An edit writes only the account that was opened, even when another
        // account carries the same name (written by other means, in Persian digits).
        Sql::exec(u"update users set us=? where id=?"_s, {u"۳۳۳۳۳۳۳۳۳۳"_s, first});
        users->refreshList();
        clickRow(second);
        QVERIFY(openFromMenu(users->ui->N6, entry, [&] {
            entry->ui->mobile->setText(u"09120000000"_s);
            entry->ui->edit_btn->click();
        }));
        QCOMPARE(userRow(second).value(u"mobile"_s).toString(), u"09120000000"_s);
        QCOMPARE(userRow(first).value(u"mobile"_s).toString(), QString());
        QCOMPARE(msgs.texts(), QStringList{CoreText::UserNameDuplicate});

        // The user name cannot be emptied.
        clickRow(second);
        QVERIFY(openFromMenu(users->ui->N6, entry, [&] {
            entry->ui->us->clear();
            entry->ui->edit_btn->click();
        }));
        QCOMPARE(msgs.last(), CoreText::UserNameRequired);
        QCOMPARE(userRow(second).value(u"us"_s).toString(), u"3333333333"_s);

        // Deleted by another workstation while the window was open: said, and nothing logged.
        const int logsBefore = count(u"select count(*) from log"_s);
        clickRow(second);
        QVERIFY(openFromMenu(users->ui->N6, entry, [&] {
            Sql::exec(u"delete from users where id=?"_s, {second});
            entry->ui->mobile->setText(u"0912"_s);
            entry->ui->edit_btn->click();
        }));
        QCOMPARE(msgs.last(), CoreText::UserGone);
        QCOMPARE(count(u"select count(*) from log"_s), logsBefore);
    }

    // Two administrators on one account: the save of the one whose window
    // opened before the other's save is refused, the window shows the account
    // as it is now, and the other's change stays.
    void accountChangedElsewhereIsNotOverwritten()
    {
        MsgRecorder msgs;
        const qint64 id = account(u"3333333333"_s, u"پيشين"_s, u"تهران"_s, u"p3"_s);
        open();
        clickRow(id);
        QVERIFY(openFromMenu(users->ui->N6, entry, [&] {
            Sql::update(u"users"_s, {{u"nam"_s, u"ديگري"_s}}, u"id=?"_s, {id});
            entry->ui->mobile->setText(u"0912"_s);
            entry->ui->edit_btn->click();
            QVERIFY(entry->isVisible());
            QCOMPARE(entry->ui->nam->text(), u"ديگري"_s);
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::RecordChangedElsewhere});
        QCOMPARE(userRow(id).value(u"nam"_s).toString(), u"ديگري"_s);
        QCOMPARE(userRow(id).value(u"mobile"_s).toString(), QString());
    }

    void adminIsNeitherEditedNorDeleted()
    {
        MsgRecorder msgs;
        open();
        clickRow(1);
        users->ui->N6->trigger();
        QVERIFY(!entry->isVisible());
        users->ui->N7->trigger();
        QCOMPARE(msgs.texts(), (QStringList{CoreText::UserEditAdminRefused, CoreText::UserDeleteAdminRefused}));
        QCOMPARE(userRow(1).value(u"us"_s).toString(), u"admin"_s);
    }

    // A login the database itself refuses as taken (a unique index) is told
    // in the command's own words, and nothing of the save is kept.
    void refusedLoginIsToldAsTaken()
    {
        MsgRecorder msgs;
        QVERIFY(!exclusive_save({Keys::accounts()}, CoreText::UserNameDuplicate, [&] {
            account(u"6660000000"_s, u"الف"_s);
            account(u"6660000000"_s, u"ب"_s);
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::UserNameDuplicate});
        QCOMPARE(count(u"select count(*) from users where us=?"_s, {u"6660000000"_s}), 0);
    }

    void deleteRemovesTheOpenedRowOnly()
    {
        MsgRecorder msgs;
        const qint64 a = account(u"4444444444"_s, u"الف"_s, u"قم"_s);
        const qint64 b = account(u"۴۴۴۴۴۴۴۴۴۴"_s, u"ب"_s, u"قم"_s); // the same login, as an older row holds it
        Sql::insert(u"dastrasi2"_s, {{u"user_id"_s, b}, {u"cmt"_s, u"قم"_s}});
        open();
        clickRow(b);
        msgs.answer(Msg::Button::No);
        users->ui->N7->trigger();
        msgs.answer(Msg::Button::Cancel);
        users->ui->N7->trigger();
        QCOMPARE(count(u"select count(*) from users"_s), 3);

        users->ui->N7->trigger(); // Yes
        const QString question = CoreText::UserDeleteQuestion + u"۴۴۴۴۴۴۴۴۴۴ ب قم"_s;
        QCOMPARE(msgs.texts(), (QStringList{question, question, question, CoreText::UserDeleted}));
        QCOMPARE(msgs.requests.first().buttons,
                 (QList<Msg::Button>{Msg::Button::Yes, Msg::Button::No, Msg::Button::Cancel}));
        QVERIFY(userRow(b).isEmpty());
        QVERIFY(!userRow(a).isEmpty());
        // The scope rows stay; the editor no longer writes for the deleted account.
        QCOMPARE(count(u"select count(*) from dastrasi2 where user_id=?"_s, {b}), 1);
        QVERIFY(users->loadedUserId() != b);
        QCOMPARE(users->loadedUserId(), users->list()->current(u"id"_s).toLongLong());
        QCOMPARE(users->list()->model()->rowCount(), 2);
    }

    // Rights or scope saved for an account that another workstation deletes
    // at that moment: the save waits for the delete, then finds the account
    // gone and writes no row for it.
    void savedForAnAccountDeletedMeanwhile_data()
    {
        QTest::addColumn<bool>("scope");
        QTest::newRow("rights") << false;
        QTest::newRow("scope") << true;
    }
    void savedForAnAccountDeletedMeanwhile()
    {
        QFETCH(bool, scope);
        MsgRecorder msgs;
        const qint64 a = account(u"7770000001"_s, u"الف"_s);
        open();
        clickRow(a);
        users->ui->list_loc->addItem(u"قم"_s);
        Meeting deleting;
        SecondWorkstation other(m_db.options());
        AdminPages::deleteAccountMeanwhile(other, deleting, a); // this workstation saves meanwhile
        QVERIFY(deleting.awaitArrival());
        (scope ? users->ui->SpeedButton1 : users->ui->ins_btn2)->click();
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QCOMPARE(msgs.texts(), QStringList{CoreText::UserGone});
        QCOMPARE(count(u"select count(*) from dastrasi where prs_id=?"_s, {a}), 0);
        QCOMPARE(count(u"select count(*) from dastrasi2 where user_id=?"_s, {a}), 0);
        QVERIFY(users->loadedUserId() != a);
    }

    void listSearchAndNoPassword()
    {
        account(u"5550000001"_s, u"مريم احمدي"_s, u"گيلان"_s);
        account(u"5550000002"_s, u"رضا احمدي"_s, u"تهران"_s);
        account(u"6660000003"_s, u"سارا کريمي"_s, u"گيلان"_s);
        open();
        ListModel* model = users->list()->model();
        QCOMPARE(model->rowCount(), 4);
        // Neither the grid nor the export (every column of the model) holds the password.
        QVERIFY(!model->columnNames().contains(u"ps"_s));
        QVERIFY(model->columnNames().contains(u"id"_s));

        users->ui->src_btn->click();
        QCOMPARE(users->ui->cnt->text(), u"4"_s);

        tick(users->ui->CheckBox1);
        typeKeys(users->ui->us, u"555"_s);
        tick(users->ui->CheckBox2);
        users->ui->ostan2->setCurrentText(u"گيلان"_s);
        users->ui->src_btn->click();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->value(0, u"nam"_s).toString(), u"مريم احمدي"_s);
        QCOMPARE(users->ui->cnt->text(), u"1"_s);

        // An unticked filter is ignored even when its box keeps its text.
        tick(users->ui->CheckBox1);
        tick(users->ui->CheckBox3);
        typeKeys(users->ui->nam, u"کريمي"_s);
        users->ui->src_btn->click();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->value(0, u"us"_s).toString(), u"6660000003"_s);

        // The opener lists every account again, emptying the boxes of the
        // filters and keeping their ticks.
        open();
        QCOMPARE(model->rowCount(), 4);
        QVERIFY(!users->ui->us->isEnabled() && users->ui->us->text().isEmpty());
        QVERIFY(users->ui->CheckBox3->isChecked() && users->ui->nam->text().isEmpty());
    }

    void rightsSaveToTheCurrentAccount()
    {
        const qint64 a = account(u"7770000001"_s, u"الف"_s);
        const qint64 b = account(u"7770000002"_s, u"ب"_s);
        open();
        const RightsPage& vam = rights_pages[4];
        QCOMPARE(QString::fromLatin1(vam.page_name), u"vam"_s);

        // The first row shows as current: its rights are in the boxes, and a
        // save without a click writes for it.
        const qint64 first = users->list()->current(u"id"_s).toLongLong();
        QCOMPARE(users->loadedUserId(), first);
        users->ui->ins_btn2->click();
        QCOMPARE(count(u"select count(*) from dastrasi where prs_id=?"_s, {first}), 22);

        clickRow(a);
        tick(users->rightBox(vam, 0));
        tick(users->rightBox(vam, 3));
        users->ui->ins_btn2->click();
        // The list's current row moves to another account without a click on
        // a cell: the boxes show that account's rights, and a save is its.
        users->ui->DBGrid1->setFocus();
        QTest::keyClick(users->ui->DBGrid1, Qt::Key_Down);
        QCOMPARE(users->list()->current(u"id"_s).toLongLong(), b);
        QVERIFY(!users->rightBox(vam, 0)->isChecked());
        users->ui->ins_btn2->click();

        QCOMPARE(count(u"select count(*) from dastrasi where prs_id=?"_s, {a}), 22);
        QCOMPARE(count(u"select count(*) from dastrasi where prs_id=?"_s, {b}), 22);
        QCOMPARE(Sql::scalar(u"select darj from dastrasi where prs_id=? and page_name='vam'"_s, {b}).toInt(), 0);
        const QVariantMap row = Sql::row(u"select * from dastrasi where prs_id=? and page_name='vam'"_s, {a});
        QCOMPARE(row.value(u"darj"_s).toInt(), 1);
        QCOMPARE(row.value(u"virayesh"_s).toInt(), 0);
        QCOMPARE(row.value(u"namayesh"_s).toInt(), 1);

        // Loading another account shows its rights; loading a again shows a's.
        clickRow(b);
        QVERIFY(!users->rightBox(vam, 0)->isChecked());
        clickRow(a);
        QVERIFY(users->rightBox(vam, 0)->isChecked() && !users->rightBox(vam, 1)->isChecked());

        // The administrator: 21 pages rewritten, the right on the users page left alone.
        clickRow(1);
        const RightsPage& karbaran = rights_pages[21];
        QVERIFY(users->rightBox(karbaran, 3)->isChecked());
        for (int i = 0; i < 4; ++i)
            tick(users->rightBox(karbaran, i));
        users->ui->ins_btn2->click();
        QCOMPARE(count(u"select count(*) from dastrasi where prs_id=1"_s), 22);
        const QVariantMap admin = Sql::row(u"select * from dastrasi where prs_id=1 and page_name='karbaran'"_s);
        for (const char* right : {"darj", "virayesh", "hazf", "namayesh"})
            QCOMPARE(admin.value(QString::fromLatin1(right)).toInt(), 1);

        // Without the right to add, the save button is disabled.
        users->prepareForOpening(false, true, true);
        QVERIFY(!users->ui->ins_btn2->isEnabled() && !users->ui->N5->isEnabled());
    }

    void templatesTickTheBoxes()
    {
        open();
        const RightsPage& vam = rights_pages[4];
        choose(users->ui->lev, u"ostan"_s);
        choose(users->ui->semat2, CoreText::UserGroupOffice);
        QVERIFY(users->rightBox(vam, 1)->isChecked());
        QVERIFY(!users->rightBox(rights_pages[21], 3)->isChecked());
        // Choosing a level unticks everything again.
        choose(users->ui->lev, u"single"_s);
        QVERIFY(!users->rightBox(vam, 1)->isChecked());
        choose(users->ui->semat2, CoreText::UserGroupOffice);
        QVERIFY(!users->rightBox(vam, 3)->isChecked());
        choose(users->ui->semat2, CoreText::UserGroupEmployee);
        QVERIFY(users->rightBox(vam, 0)->isChecked() && !users->rightBox(vam, 1)->isChecked());
    }

    void scopeListEditAndSave()
    {
        MsgRecorder msgs;
        for (const char* city : {"ساري", "آمل"})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, u"مازندران"_s}, {u"city"_s, QString::fromUtf8(city)}});
        Sql::insert(u"abadiha"_s, {{u"ostan"_s, u"گيلان"_s}, {u"city"_s, u"رشت"_s}});
        const qint64 a = account(u"8880000001"_s, u"الف"_s);
        const qint64 b = account(u"8880000002"_s, u"ب"_s);
        Sql::insert(u"dastrasi2"_s, {{u"user_id"_s, a}, {u"cmt"_s, u"قديم"_s}});
        open();
        QCOMPARE(users->ui->ostan2->count(), 2);

        clickRow(a);
        QCOMPARE(users->ui->list_loc->count(), 1);
        choose(users->ui->ostan, u"مازندران"_s);
        QCOMPARE(users->ui->shahrestan->count(), 2);
        users->ui->SpeedButton2->click();
        users->ui->shahrestan->setCurrentText(u"رشت"_s);
        users->ui->SpeedButton3->click();
        QCOMPARE(users->ui->list_loc->count(), 4);
        // Remove the old entry.
        users->ui->list_loc->setCurrentItem(users->ui->list_loc->findItems(u"قديم"_s, Qt::MatchExactly).first());
        users->ui->N3->trigger();

        users->ui->SpeedButton1->click();
        QCOMPARE(msgs.texts(), QStringList{CoreText::ScopeSaved});
        QStringList saved;
        for (const QVariantMap& row : Sql::rows(u"select cmt from dastrasi2 where user_id=?"_s, {a}))
            saved << row.value(u"cmt"_s).toString();
        saved.sort();
        QStringList expected{u"ساري"_s, u"آمل"_s, u"رشت"_s};
        expected.sort();
        QCOMPARE(saved, expected);
        QCOMPARE(count(u"select count(*) from dastrasi2 where user_id=?"_s, {b}), 0);

        // "Remove all" and save: the account has no scope rows left.
        users->ui->N1->trigger();
        users->ui->SpeedButton1->click();
        QCOMPARE(count(u"select count(*) from dastrasi2 where user_id=?"_s, {a}), 0);
    }
};

QTEST_MAIN(TestUsers)
#include "test_users.moc"
