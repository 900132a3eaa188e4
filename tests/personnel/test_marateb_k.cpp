// The approval hierarchy as a person keeps it: opened from the main menu by
// the user's rights, pairs added, viewed and replaced in bulk; then the database.

#include "core/list_window.h"
#include "core/main_window.h"
#include "core/texts.h"
#include "personnel/marateb_k.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_main.h"
#include "ui_marateb_k.h"

#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

class TestMaratebK : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tmarateb_k* page = nullptr;

    static void person(const QString& lname, const QString& fname, const QString& nation)
    {
        Sql::insert(u"personel"_s, {{u"lname"_s, lname}, {u"fname"_s, fname}, {u"nation"_s, nation}, {u"loc"_s, u"ستاد"_s}});
    }

    static QStringList pairs()
    {
        QStringList out;
        for (const QVariantMap& row : Sql::rows(u"select master,slave from marateb_k order by master,slave"_s))
            out << row.value(u"master"_s).toString() + u">"_s + row.value(u"slave"_s).toString();
        return out;
    }

    // Chooses the item whose national code is nation in a chooser.
    static void chooseCode(QComboBox* box, const QString& nation)
    {
        const int at = box->findData(nation);
        QVERIFY2(at >= 0, qPrintable(nation));
        box->setCurrentIndex(at);
    }

    static QStringList ticked(QListWidget* list)
    {
        QStringList codes;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                codes << list->item(i)->data(Qt::UserRole).toString();
        codes.sort();
        return codes;
    }

    static void tick(QListWidget* list, const QString& nation)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(Qt::UserRole).toString() == nation)
                list->item(i)->setCheckState(Qt::Checked);
    }

    QStringList gridCodes() const
    {
        QStringList codes;
        ListModel* model = page->list()->model();
        model->fetchAll();
        for (int r = 0; r < model->rowCount(); ++r)
            codes << model->value(r, u"nation"_s).toString();
        codes.sort();
        return codes;
    }

    void open(const std::function<void()>& steps) { QVERIFY(openPage(main, u"N22"_s, page, steps)); }

private slots:
    void initTestCase() { QVERIFY(startProgram(main, page, u"marateb_k"_s)); }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        actAs(u"1111111111"_s, 7);
        person(u"احمدي"_s, u"علي"_s, u"1111111111"_s);
        person(u"رضايي"_s, u"مريم"_s, u"2222222222"_s);
        person(u"کريمي"_s, u"حسن"_s, u"3333333333"_s);
    }

    void cleanup()
    {
        page->close();
        m_db.reset();
    }

    // Add needs darj, and so do both bulk replaces; a pair is added once.
    void rightsAndAdd()
    {
        MsgRecorder msgs;
        main->ui->N22->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::NoPageAccess});

        grantRights(7, u"marateb"_s, {0, 1, 1, 1});
        open([&] {
            for (QPushButton* b : {page->ui->ins_btn, page->ui->BitBtn3, page->ui->BitBtn4})
                QVERIFY(!b->isEnabled());
            QVERIFY(page->ui->BitBtn1->isEnabled());
            QCOMPARE(page->ui->master->count(), 3);
            QCOMPARE(page->ui->master_list->count(), 3);
            QVERIFY(page->ui->master_nation->text().isEmpty());
        });
        Sql::exec(u"update dastrasi set darj=1"_s);
        open([&] {
            for (QPushButton* b : {page->ui->ins_btn, page->ui->BitBtn3, page->ui->BitBtn4})
                QVERIFY(b->isEnabled());
            chooseCode(page->ui->master, u"1111111111"_s);
            chooseCode(page->ui->slave, u"2222222222"_s);
            QCOMPARE(page->ui->slave_nation->text(), u"2222222222"_s);
            page->ui->ins_btn->click();
            page->ui->ins_btn->click();
        });
        QCOMPARE(msgs.texts().mid(1), (QStringList{PersonnelText::Saved, PersonnelText::Duplicate}));
        QCOMPARE(pairs(), QStringList{u"1111111111>2222222222"_s});
    }

    // Namesakes show their codes and each keeps its own: the second of two
    // persons of one name is the one paired.
    void namesakesKeepTheirCodes()
    {
        person(u"رضايي"_s, u"مريم"_s, u"4444444444"_s);
        grantRights(7, u"marateb"_s, {1, 0, 0, 1});
        MsgRecorder msgs;
        open([&] {
            QStringList names;
            for (int i = 0; i < page->ui->slave->count(); ++i)
                names << page->ui->slave->itemText(i);
            QVERIFY(names.contains(u"رضايي مريم (4444444444)"_s));
            QVERIFY(names.contains(u"رضايي مريم (2222222222)"_s));
            QVERIFY(names.contains(u"احمدي علي"_s));
            chooseCode(page->ui->master, u"1111111111"_s);
            chooseCode(page->ui->slave, u"4444444444"_s);
            page->ui->ins_btn->click();
            QCOMPARE(gridCodes(), QStringList{}); // listed when the requester was chosen
            page->ui->BitBtn2->click();
            QCOMPARE(gridCodes(), QStringList{u"1111111111"_s});
            QCOMPARE(ticked(page->ui->master_list), QStringList{u"1111111111"_s});
        });
        QCOMPARE(pairs(), QStringList{u"1111111111>4444444444"_s});
    }

    // With nobody chosen nothing is written, and a replace deletes nothing.
    void emptyCodesRefused()
    {
        Sql::insert(u"marateb_k"_s, {{u"master"_s, u"3333333333"_s}, {u"slave"_s, QString()}});
        Sql::insert(u"marateb_k"_s, {{u"master"_s, QString()}, {u"slave"_s, u"3333333333"_s}});
        grantRights(7, u"marateb"_s, {1, 0, 0, 1});
        MsgRecorder msgs;
        open([&] {
            page->ui->CheckBox1->click();
            page->ui->CheckBox2->click();
            page->ui->ins_btn->click();
            page->ui->BitBtn3->click();
            page->ui->BitBtn4->click();
            chooseCode(page->ui->master, u"1111111111"_s);
            page->ui->ins_btn->click();
        });
        QCOMPARE(msgs.texts(), (QStringList{PersonnelText::ChooseApprover, PersonnelText::ChooseRequester,
                                            PersonnelText::ChooseApprover, PersonnelText::ChooseRequester}));
        QCOMPARE(pairs(), (QStringList{u">3333333333"_s, u"3333333333>"_s}));
    }

    // The view buttons tick what the grid lists; a replace writes the ticked
    // items (the approver too, through "Select All"), and with nothing ticked
    // removes every pair of the chosen person.
    void viewAndReplace()
    {
        grantRights(7, u"marateb"_s, {1, 0, 0, 1});
        Sql::insert(u"marateb_k"_s, {{u"master"_s, u"1111111111"_s}, {u"slave"_s, u"2222222222"_s}});
        Sql::insert(u"marateb_k"_s, {{u"master"_s, u"3333333333"_s}, {u"slave"_s, u"2222222222"_s}});
        MsgRecorder msgs;
        open([&] {
            chooseCode(page->ui->master, u"1111111111"_s);
            page->ui->BitBtn1->click();
            QCOMPARE(ticked(page->ui->slave_list), QStringList{u"2222222222"_s});
            QCOMPARE(gridCodes(), QStringList{u"2222222222"_s});

            page->ui->CheckBox2->click();
            page->ui->BitBtn4->click();
            QCOMPARE(pairs(), (QStringList{u"1111111111>1111111111"_s, u"1111111111>2222222222"_s,
                                           u"1111111111>3333333333"_s, u"3333333333>2222222222"_s}));

            chooseCode(page->ui->slave, u"2222222222"_s);
            page->ui->BitBtn2->click();
            QCOMPARE(ticked(page->ui->master_list), (QStringList{u"1111111111"_s, u"3333333333"_s}));
            page->ui->CheckBox1->click(); // every approver ticked
            page->ui->CheckBox1->click(); // and none
            page->ui->BitBtn3->click();
            QCOMPARE(pairs(), (QStringList{u"1111111111>1111111111"_s, u"1111111111>3333333333"_s}));

            page->ui->CheckBox2->click();
            tick(page->ui->slave_list, u"2222222222"_s);
            page->ui->BitBtn4->click();
        });
        QVERIFY(msgs.texts().isEmpty());
        QCOMPARE(pairs(), QStringList{u"1111111111>2222222222"_s});
    }

    // A replace that fails on its way leaves every pair as it was.
    void replaceIsOneTransaction()
    {
        grantRights(7, u"marateb"_s, {1, 0, 0, 1});
        Sql::insert(u"marateb_k"_s, {{u"master"_s, u"1111111111"_s}, {u"slave"_s, u"2222222222"_s}});
        if (TestDb::backend() == Backend::PostgreSQL) {
            Sql::exec(u"create function refuse_pair() returns trigger as $$ begin if new.slave='3333333333' then "
                      "raise exception 'refused'; end if; return new; end $$ language plpgsql"_s);
            Sql::exec(u"create trigger refuse_pair before insert on marateb_k for each row execute function refuse_pair()"_s);
        } else {
            Sql::exec(u"create trigger refuse_pair before insert on marateb_k when new.slave='3333333333' "
                      "begin select raise(abort, 'refused'); end"_s);
        }
        MsgRecorder msgs;
        open([&] {
            chooseCode(page->ui->master, u"1111111111"_s);
            page->ui->CheckBox2->click();
            page->ui->BitBtn4->click();
        });
        QCOMPARE(msgs.texts().size(), 1);
        QCOMPARE(pairs(), QStringList{u"1111111111>2222222222"_s});
    }

    // The lists' order and the namesakes' codes.
    void listItems_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Persian order") << QStringList{u"گلي"_s, u"کاظمي"_s, u"پارسا"_s, u"بهرامي"_s}
                                       << QStringList{u"بهرامي"_s, u"پارسا"_s, u"کاظمي"_s, u"گلي"_s};
        QTest::newRow("namesakes") << QStringList{u"نوري علي"_s, u"نوري علي"_s, u"نوري"_s}
                                   << QStringList{u"نوري"_s, u"نوري علي (0)"_s, u"نوري علي (1)"_s};
    }
    void listItems()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, shown);
        QList<Tmarateb_k::Person> persons;
        for (int i = 0; i < names.size(); ++i)
            persons.append({names[i], QString::number(i)});
        QStringList out;
        for (const Tmarateb_k::Person& p : Tmarateb_k::listItems(persons))
            out << p.name;
        QCOMPARE(out, shown);
    }
};

QTEST_MAIN(TestMaratebK)
#include "test_marateb_k.moc"
