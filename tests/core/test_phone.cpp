// The phone book as a person uses it: opened from the main menu by the user's
// rights, searched by typing, added to and deleted from; then the database.

#include "core/entry.h"
#include "core/list_window.h"
#include "core/main_window.h"
#include "core/phone.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_main.h"
#include "ui_phone.h"

#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

class TestPhone : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tphone* phone = nullptr;

    static void retype(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        typeKeys(box, text);
    }

    static void entry(const QVariant& name, const QString& tel = QString(), const QString& cmt = QString())
    {
        Sql::insert(u"phone"_s, {{u"name"_s, name}, {u"tel"_s, tel}, {u"cmt"_s, cmt}});
    }

    QStringList shownNames() const
    {
        QStringList names;
        ListModel* model = phone->list()->model();
        model->fetchAll();
        for (int r = 0; r < model->rowCount(); ++r)
            names << model->value(r, u"name"_s).toString();
        return names;
    }

    void openFromMenu(const std::function<void()>& steps)
    {
        QVERIFY(WindowSteps::openFromMenu(main->ui->N11, phone, steps));
    }

private slots:
    void initTestCase() { QVERIFY(startProgram(main, phone, u"phone"_s)); }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        actAs(u"1234567890"_s, 7);
    }

    void cleanup()
    {
        phone->close();
        m_db.reset();
    }

    // The menu item opens the window only with the view right; the add and the
    // delete follow darj and hazf; the boxes are emptied and a search box that
    // held text lists again.
    void openedByRights()
    {
        MsgRecorder msgs;
        QVERIFY(main->ui->N11->isEnabled());
        main->ui->N11->trigger(); // no rights row
        QCOMPARE(msgs.texts(), QStringList{CoreText::NoPageAccess});
        QVERIFY(!phone->isVisible());

        grantRights(7, u"phone"_s, {0, 0, 0, 1});
        entry(u"بهرام"_s, u"0111"_s);
        phone->ui->src->setText(u"بهرام"_s);
        phone->ui->name->setText(u"x"_s);
        phone->ui->tel->setText(u"y"_s);
        phone->ui->cmt->setText(u"z"_s);
        entry(u"پرويز"_s, u"0222"_s);
        openFromMenu([&] {
            QVERIFY(!phone->ui->ins_btn->isEnabled());
            QVERIFY(!phone->ui->N1->isEnabled());
            for (QLineEdit* box : {phone->ui->src, phone->ui->name, phone->ui->tel, phone->ui->cmt})
                QVERIFY(box->text().isEmpty());
            QCOMPARE(phone->ui->cnt->text(), u"2"_s); // the emptied search box listed everyone
        });

        Sql::exec(u"update dastrasi set darj=1, hazf=1"_s);
        openFromMenu([&] {
            QVERIFY(phone->ui->ins_btn->isEnabled());
            QVERIFY(phone->ui->N1->isEnabled());
        });
        Sql::exec(u"update dastrasi set namayesh=0"_s);
        msgs.clear();
        main->ui->N11->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::NoPageAccess});
    }

    // Every typed letter searches: the count and the rows in Persian order of
    // names, by the column the chosen item names; entries without a name never
    // show; the keheh and the Persian yeh are searched as stored.
    void searchAsTyped()
    {
        MsgRecorder msgs;
        for (const QString& name : {u"لاله"_s, u"گلاره"_s, u"بهرام"_s, u"ژاله"_s, u"چهره"_s, u"پريچهر"_s, u"زهره"_s})
            entry(name, u"021-"_s + QString::number(name.size()), u"اداره مالي"_s);
        entry(u"كاظمي"_s, u"0912"_s, u"راننده"_s); // stored with the Arabic kaf
        entry(u""_s, u"0912"_s);
        entry(QVariant(), u"0912"_s);

        typeKeys(phone->ui->src, u"ه"_s);
        QCOMPARE(phone->ui->cnt->text(), u"7"_s);
        QCOMPARE(shownNames(), (QStringList{u"بهرام"_s, u"پريچهر"_s, u"چهره"_s, u"زهره"_s, u"ژاله"_s, u"گلاره"_s,
                                            u"لاله"_s}));
        QTest::keyClick(phone->ui->src, Qt::Key_Backspace);
        QCOMPARE(phone->ui->cnt->text(), u"8"_s);
        QCOMPARE(shownNames().first(), u"بهرام"_s);

        // The keheh is rewritten in the box and finds the kaf.
        typeKeys(phone->ui->src, u"کاظ"_s);
        QCOMPARE(phone->ui->src->text(), u"كاظ"_s);
        QCOMPARE(shownNames(), QStringList{u"كاظمي"_s});

        // By number and by remark; Persian digits are searched as stored.
        phone->ui->src_tel->click();
        retype(phone->ui->src, u"۰۹۱۲"_s);
        QCOMPARE(phone->ui->src->text(), u"0912"_s);
        QCOMPARE(phone->ui->cnt->text(), u"1"_s); // the two without a name stay out
        phone->ui->src_cmt->click();
        retype(phone->ui->src, u"مالی"_s); // typed with the Persian yeh
        QCOMPARE(phone->ui->cnt->text(), u"7"_s);
        QVERIFY(msgs.texts().isEmpty());
        phone->ui->src_name->click();
    }

    // Each item of "search by" reads its column's text index, and the empty
    // box the index of the names' order, as the database plans the count.
    void searchesReadTheColumnsIndexes()
    {
        entry(u"سارا صادقي"_s, u"02134"_s, u"داخلي 345"_s);
        const bool sqlite = Database::current().backend() == Backend::SQLite;
        auto plan = [&] {
            Condition c = phone->list()->conditions();
            // The server explains no statement with parameters: here the values are written in.
            if (!sqlite)
                for (const QVariant& v : std::exchange(c.values, {}))
                    c.sql.replace(c.sql.indexOf(u'?'), 1, u"'%1'"_s.arg(v.toString()));
            QStringList lines;
            for (const QVariantMap& row : Sql::rows((sqlite ? u"explain query plan "_s : u"explain "_s) +
                                                        u"select count(*) from phone where 1=1"_s + c.sql,
                                                    c.values))
                for (const QVariant& v : row)
                    lines << v.toString();
            return lines.join(u' ');
        };
        if (!sqlite)
            Sql::exec(u"set enable_seqscan = off"_s); // a handful of rows is read whole otherwise
        for (const auto& [item, column, text] : {std::tuple{phone->ui->src_name, u"name"_s, u"سارا"_s},
                                                 {phone->ui->src_tel, u"tel"_s, u"02134"_s},
                                                 {phone->ui->src_cmt, u"cmt"_s, u"داخلي"_s}}) {
            item->click();
            phone->ui->src->setText(text);
            QVERIFY2(plan().contains(u"ix_phone_%1_contains"_s.arg(column)), qPrintable(plan()));
        }
        phone->ui->src_name->click();
        phone->ui->src->clear();
        QVERIFY2(plan().contains(u"ix_phone_name_order"_s), qPrintable(plan()));
        QCOMPARE(phone->ui->cnt->text(), u"1"_s);
    }

    // An entry is stored in the form the search looks for; a name already
    // there is refused; a delete puts the entry back into the boxes.
    void addAndDelete()
    {
        MsgRecorder msgs;
        phone->enableCommands(true, true);
        phone->prepareForOpening();
        typeKeys(phone->ui->name, u"کريمی"_s); // keheh and Persian yeh, as the keyboard types them
        typeKeys(phone->ui->tel, u"۰۱۱-۳۳"_s);
        typeKeys(phone->ui->cmt, u"تدارکات"_s);
        typeKeys(phone->ui->src, u"کريمی"_s);
        QCOMPARE(phone->ui->cnt->text(), u"0"_s);
        QTest::mouseClick(phone->ui->ins_btn, Qt::LeftButton);
        QCOMPARE(msgs.texts(), QStringList{CoreText::PhoneSaved});
        const QVariantMap stored = Sql::row(u"select * from phone"_s);
        QCOMPARE(stored.value(u"name"_s).toString(), u"كريمي"_s);
        QCOMPARE(stored.value(u"tel"_s).toString(), u"011-33"_s);
        QCOMPARE(stored.value(u"cmt"_s).toString(), u"تداركات"_s);
        QCOMPARE(phone->ui->cnt->text(), u"1"_s); // listed by the search that followed
        // The box shows the yeh as typed keys give it: the stored one.
        QCOMPARE(phone->ui->name->text(), u"کريمي"_s);

        msgs.clear();
        QTest::mouseClick(phone->ui->ins_btn, Qt::LeftButton);
        QCOMPARE(msgs.texts(), QStringList{CoreText::PhoneDuplicate});
        QCOMPARE(Sql::scalar(u"select count(*) from phone"_s).toInt(), 1);

        msgs.clear();
        phone->ui->name->clear();
        phone->ui->tel->clear();
        phone->ui->cmt->clear();
        phone->ui->N1->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::RowDeleted});
        QCOMPARE(Sql::scalar(u"select count(*) from phone"_s).toInt(), 0);
        QCOMPARE(phone->ui->name->text(), u"كريمي"_s);
        QCOMPARE(phone->ui->tel->text(), u"011-33"_s);
        QCOMPARE(phone->ui->cnt->text(), u"0"_s);
    }

    // An entry another workstation took back first: the delete here is told
    // it is gone and takes nothing into the boxes, so that no correction is
    // typed over a row nobody here removed.
    void deleteOfAnEntryAlreadyGone()
    {
        MsgRecorder msgs;
        phone->enableCommands(true, true);
        phone->prepareForOpening();
        entry(u"بهرام"_s, u"0111"_s);
        typeKeys(phone->ui->src, u"بهرام"_s);
        const qint64 id = phone->list()->currentRow().value(u"id"_s).toLongLong();
        SecondWorkstation other(m_db.options());
        bool deleted = false;
        QVERIFY(other.run([&] { deleted = delete_record(u"phone"_s, id); }));
        QVERIFY(deleted);
        phone->ui->N1->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::RecordGone});
        QVERIFY(phone->ui->name->text().isEmpty());
        QCOMPARE(phone->ui->cnt->text(), u"0"_s);
    }
};

QTEST_MAIN(TestPhone)
#include "test_phone.moc"
