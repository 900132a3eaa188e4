// Guesthouse stays as the offices use them: an employee of one province asks
// for a stay in a county of another; the origin office approves it; the
// destination office then finds it in its list and approves it; companions
// and the employee's dependants are added; a letter prints them in order with
// the provincial officer who signs.

#include "core/list_window.h"
#include "core/main_window.h"
#include "core/shamsi_date.h"
#include "core/stamp.h"
#include "core/texts.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/report/report_sheet.h"
#include "services/khabghah_hamrahan.h"
#include "services/khabghah_ins.h"
#include "services/khabghah_ins_modir.h"
#include "services/khabghah_letters.h"
#include "services/khabghah_src.h"
#include "services/request/attached_persons.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"
#include "services/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/platform/report/pdf_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_khabghah_hamrahan.h"
#include "ui_khabghah_ins.h"
#include "ui_khabghah_ins_modir.h"
#include "ui_khabghah_src.h"
#include "ui_main.h"

#include <QProcess>
#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

class TestGuesthouseStays : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_files;
    Tmain* main = nullptr;
    Tkhabghah_src* src = nullptr;
    Tkhabghah_ins* ins = nullptr;
    Tkhabghah_hamrahan* companions = nullptr;
    QString printedText;

    struct Office {
        qint64 user;
        qint64 person;
        QString nation;
        QString level;
    };

    static qint64 person(const QString& nation, const QString& fname, const QString& lname, const QString& ostan,
                         const QString& shahrestan)
    {
        return Sql::insert(u"personel"_s, {{u"nation"_s, nation}, {u"fname"_s, fname}, {u"lname"_s, lname},
                                           {u"ostan"_s, ostan}, {u"shahrestan"_s, shahrestan},
                                           {u"semat"_s, u"کارشناس"_s}});
    }
    // A user with the stays' rights, the counties of its scope and its own person.
    static Office office(const QString& level, const QString& nation, qint64 personId, const QStringList& counties)
    {
        const qint64 id = Sql::insert(u"users"_s, {{u"us"_s, nation}, {u"lev"_s, level}});
        grantRights(id, u"khabghah"_s, {1, 1, 1, 1});
        for (const QString& c : counties)
            Sql::insert(u"dastrasi2"_s, {{u"user_id"_s, id}, {u"cmt"_s, c}});
        return {id, personId, nation, level};
    }
    static void become(const Office& o)
    {
        AdminPages::signIn({o.nation, QString::number(o.user), o.level, o.person > 0 ? QString::number(o.person) : QString(), {}});
    }
    void inStays(const std::function<void()>& steps) { QVERIFY(openPage(main, u"N13"_s, src, steps)); }
    QStringList listed(const QString& column = u"id"_s)
    {
        QStringList out;
        ListModel* m = src->requests()->list().model();
        m->fetchAll();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->value(r, column).toString();
        return out;
    }
    // Opens the current stay for approval; the steps run while the window is shown.
    void approveWindow(const QString& id, const std::function<void()>& steps)
    {
        clickRow(src->ui->DBGrid1, u"id"_s, id);
        QVERIFY(openFromMenu(src->ui->N2, ins, steps));
    }
    static QVariantMap stay(const QString& id) { return Sql::row(u"select * from khabghah where id=?"_s, {id}); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(startProgram(main, src, u"khabghah_src"_s));
        ins = win<Tkhabghah_ins>(u"khabghah_ins"_s);
        companions = win<Tkhabghah_hamrahan>(u"khabghah_hamrahan"_s);
        // A preview prints the report to PDF and keeps its text.
        Report::setPreviewHandler([this](Report& report) {
            const QString path = m_files.filePath(u"letter.pdf"_s);
            QVERIFY(report.savePdf(path));
            QProcess p;
            p.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
            QVERIFY(p.waitForFinished());
            printedText = QString::fromUtf8(p.readAllStandardOutput());
        });
        Stamp::setServerDateForTests(QDate(2026, 12, 7));
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        for (const auto& [ostan, city] : {std::pair{u"گيلان"_s, u"رشت"_s}, {u"مازندران"_s, u"رامسر"_s}})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, ostan}, {u"city"_s, city}});
        printedText.clear();
    }

    void cleanup()
    {
        for (QWidget* w : std::initializer_list<QWidget*>{companions, ins, src})
            w->close();
        m_db.reset();
    }

    void twoOffices()
    {
        MsgRecorder msgs;
        const QString today = Stamp::serverShamsiDate();
        const qint64 employeePerson = person(u"1111111111"_s, u"رضا"_s, u"Karimi"_s, u"گيلان"_s, u"رشت"_s);
        const Office employee = office(u"single"_s, u"1111111111"_s, employeePerson, {});
        const Office origin = office(u"ostan"_s, u"2222222222"_s, person(u"2222222222"_s, u"a"_s, u"b"_s, u"گيلان"_s, u"رشت"_s), {u"رشت"_s});
        const Office destination =
            office(u"ostan"_s, u"3333333333"_s, person(u"3333333333"_s, u"c"_s, u"d"_s, u"مازندران"_s, u"رامسر"_s), {u"رامسر"_s});
        // Another requester of the destination's scope, origin-approved, narrowed away by the surname filter.
        const qint64 other = person(u"4444444444"_s, u"x"_s, u"Zand"_s, u"مازندران"_s, u"رامسر"_s);
        Sql::insert(u"khabghah"_s, {{u"personel_id"_s, other}, {u"ostan"_s, u"مازندران"_s}, {u"city"_s, u"رامسر"_s},
                                    {u"ersal_dat"_s, today}, {u"taeed_dat"_s, today}});
        Sql::insert(u"setting_ost"_s, {{u"ostan"_s, u"گيلان"_s}, {u"component"_s, RequestText::SignatoryExpert},
                                       {u"cmt"_s, u"Officer Rahimi"_s}});

        // The employee asks; the person is fixed to his own.
        become(employee);
        QString id;
        inStays([&] {
            QVERIFY(openFromMenu(src->ui->N1, ins, [&] {
                QVERIFY(!ins->ui->lname->isEnabled());
                QCOMPARE(ins->ui->nation->currentText(), u"1111111111"_s);
                QVERIFY(!ins->ui->taeed->isVisible() && !ins->ui->taeed2->isVisible());
                QCOMPARE(ins->ui->roz->text(), u"1"_s);
                ins->ui->ostan->setCurrentText(u"گيلان"_s);
                ins->ui->city->setCurrentText(u"رامسر"_s);
                ins->ui->ins_btn->click(); // not a pair of the gazetteer
                ins->ui->ostan->setCurrentText(u"مازندران"_s);
                ins->ui->ins_btn->click();
                ins->ui->ins_btn->click(); // the same destination and day again
            }));
            QCOMPARE(msgs.texts(), (QStringList{PersonnelText::PlaceWrong, RequestText::Saved, ServiceText::StayDuplicate}));
            QCOMPARE(listed().size(), 1);
            id = listed().first();
        });
        QCOMPARE(stay(id).value(u"personel_id"_s).toLongLong(), employeePerson);
        QCOMPARE(stay(id).value(u"ersal_dat"_s).toString(), today);
        QVERIFY(stay(id).value(u"taeed_dat"_s).isNull());

        // Not yet origin-approved: the destination office does not see it.
        become(destination);
        inStays([&] { QVERIFY(!listed().contains(id)); });

        // The origin office approves it.
        become(origin);
        inStays([&] {
            QVERIFY(listed().contains(id));
            approveWindow(id, [&] {
                QVERIFY(ins->ui->taeed->isVisible() && !ins->ui->taeed2->isVisible());
                QVERIFY(!ins->ui->taeed->isChecked());
                ins->ui->taeed->setChecked(true);
                ins->ui->edit_btn->click();
            });
        });
        QCOMPARE(stay(id).value(u"taeed_dat"_s).toString(), today);

        // The destination office finds it, and its filter narrows what it finds.
        become(destination);
        inStays([&] {
            QCOMPARE(listed().size(), 2);
            ListModel* m = src->requests()->list().model();
            QCOMPARE(m->headerData(m->columnOf(u"taeed_dat"_s), Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(),
                     QColor(Qt::yellow));
            src->ui->CheckBox1->setChecked(true);
            src->ui->lname->setText(u"Karimi"_s);
            src->ui->src_btn->click();
            QCOMPARE(listed(), QStringList{id});
            QCOMPARE(src->ui->cnt->text(), u"1"_s);
            approveWindow(id, [&] {
                QVERIFY(!ins->ui->taeed->isVisible() && ins->ui->taeed2->isVisible());
                QVERIFY(!ins->ui->taeed2->isChecked());
                ins->ui->taeed2->setChecked(true);
                ins->ui->edit_btn->click();
            });
            // Opened again, the box shows the approval as it stands: a field
            // edit keeps it.
            approveWindow(id, [&] {
                QVERIFY(ins->ui->taeed2->isChecked());
                ins->ui->shab->setText(u"2"_s);
                ins->ui->edit_btn->click();
            });
        });
        QCOMPARE(stay(id).value(u"taeed2_dat"_s).toString(), today);
        QCOMPARE(stay(id).value(u"shab"_s).toInt(), 2);
        // Unticked, the destination's approval is withdrawn; ticked again, given again.
        inStays([&] {
            approveWindow(id, [&] {
                ins->ui->taeed2->setChecked(false);
                ins->ui->edit_btn->click();
            });
            QVERIFY(stay(id).value(u"taeed2_dat"_s).isNull());
            QCOMPARE(stay(id).value(u"taeed_dat"_s).toString(), today);
            approveWindow(id, [&] {
                QVERIFY(!ins->ui->taeed2->isChecked());
                ins->ui->taeed2->setChecked(true);
                ins->ui->edit_btn->click();
            });
        });
        QCOMPARE(stay(id).value(u"taeed2_dat"_s).toString(), today);

        // The origin office, now, sees no box; a save changes no approval.
        become(origin);
        inStays([&] {
            approveWindow(id, [&] {
                QVERIFY(!ins->ui->taeed->isVisible() && !ins->ui->taeed2->isVisible());
                ins->ui->edit_btn->click();
            });
        });
        QCOMPARE(stay(id).value(u"taeed_dat"_s).toString(), today);

        // Companions and the employee's dependants; then the letter.
        Sql::insert(u"takafol"_s, {{u"personel_id"_s, employeePerson}, {u"fname"_s, u"Nima"_s}, {u"lname"_s, u"Karimi"_s},
                                   {u"nesbat"_s, u"son"_s}, {u"birthday"_s, u"1390/01/01"_s}});
        become(employee);
        inStays([&] {
            clickRow(src->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openFromMenu(src->ui->N10, companions, [&] {
                companions->ui->fname->setText(u"Sara"_s);
                companions->ui->lname->setText(u"Karimi"_s);
                companions->ui->nesbat->setCurrentText(u"wife"_s);
                companions->ui->ins_btn->click();
                companions->ui->SpeedButton1->click();
                QCOMPARE(companions->persons()->count(), 2);
            }));
            src->ui->N9->trigger();
        });
        QVERIFY2(printedText.contains(u"Officer Rahimi"_s), qPrintable(printedText));
        const qsizetype sara = printedText.indexOf(u"Sara"_s);
        const qsizetype nima = printedText.indexOf(u"Nima"_s);
        QVERIFY(sara >= 0 && nima > sara);

        // The confirmation list prints blank, for filling by hand.
        printedText.clear();
        inStays([&] { src->ui->N12->trigger(); });
        QVERIFY(!printedText.isEmpty());
        QVERIFY(!printedText.contains(u"Sara"_s));
    }

    // In a new stay the county follows the province the user picks: a county
    // of another province leaves the box, a county of the new one stays.
    void countyFollowsTheProvince()
    {
        MsgRecorder msgs;
        becomeUser(u"admin"_s, u"khabghah"_s, {1, 1, 1, 1});
        inStays([&] {
            QVERIFY(openFromMenu(src->ui->N1, ins, [&] {
                const auto pickMazandaran = [&](const QString& county) { // the item after گيلان
                    ins->ui->ostan->setCurrentIndex(ins->ui->ostan->findText(u"گيلان"_s));
                    ins->ui->city->setCurrentText(county);
                    QTest::keyClick(ins->ui->ostan, Qt::Key_Down);
                };
                pickMazandaran(u"رشت"_s);
                QCOMPARE(ins->ui->city->currentText(), QString());
                QCOMPARE(ins->ui->city->itemText(0), u"رامسر"_s);
                pickMazandaran(u"رامسر"_s);
                QCOMPARE(ins->ui->city->currentText(), u"رامسر"_s);
            }));
        });
    }

    // Behind the gate the manager enters a stay for a picked person, approved
    // at the origin on the day it is sent; the window is ready for the next.
    void managerEntry()
    {
        MsgRecorder msgs;
        const qint64 picked = person(u"7777777777"_s, u"Ali"_s, u"Bahrami"_s, u"گيلان"_s, u"رشت"_s);
        Sql::insert(u"setting"_s, {{u"component"_s, CoreText::GuesthouseManagerPasswordList}, {u"cmt"_s, u"9"_s}});
        becomeUser(u"admin"_s, u"khabghah"_s, {1, 1, 1, 1});
        auto* manager = win<Tkhabghah_ins_modir>(u"khabghah_ins_modir"_s);
        bool shown = false;
        inStays([&] {
            QVERIFY(openFromMenu(src->ui->N1, ins, [&] {
                msgs.answerInput(u"9"_s);
                QTimer::singleShot(0, manager, [&] {
                    shown = manager->isVisible();
                    QVERIFY(manager->ui->taeed->isChecked());
                    choose(manager->ui->lname, u"Bahrami Ali"_s);
                    QCOMPARE(manager->ui->personel_id->text(), QString::number(picked));
                    manager->ui->ostan->setCurrentText(u"مازندران"_s);
                    manager->ui->city->setCurrentText(u"رامسر"_s);
                    manager->ui->ins_btn->click();
                    QCOMPARE(manager->ui->personel_id->text(), u"-1"_s);
                    QVERIFY(manager->ui->lname->currentText().isEmpty());
                    manager->close();
                });
                QTest::mouseClick(ins->ui->Label23, Qt::LeftButton);
            }));
        });
        QVERIFY(shown);
        const QVariantMap row = Sql::row(u"select * from khabghah"_s);
        QCOMPARE(row.value(u"personel_id"_s).toLongLong(), picked);
        QCOMPARE(row.value(u"taeed_dat"_s).toString(), row.value(u"ersal_dat"_s).toString());
        QVERIFY(row.value(u"taeed2_dat"_s).isNull());
    }

    // The Ramsar letter fills one of its two small boxes black, the retired
    // one for a retired requester, else the employee one, and prints in the
    // letter's own families alone.
    void ramsarLetterFillsOneBox()
    {
        const qint64 owner = person(u"5555555555"_s, u"a"_s, u"b"_s, u"مازندران"_s, u"رامسر"_s);
        for (const bool retired : {true, false}) {
            Sql::update(u"personel"_s, {{u"semat"_s, retired ? ServiceText::Retired : u"کارشناس"_s}}, u"id=?"_s, {owner});
            QVERIFY(print_stay_letter(StayLetter::Ramsar, {{u"id"_s, 1}, {u"personel_id"_s, owner}}));
            PdfPages pages(win<ReportSheet>(stay_letter_sheet(StayLetter::Ramsar))->report());
            // The boxes' insides on the paper: the margin, then their places in the title band.
            const QRectF retiredBox(173.5, 79.5, 4, 4), employeeBox(133.5, 79.5, 4, 4);
            QVERIFY(pages.ink(0, retired ? retiredBox : employeeBox).width() > 3.5);
            QVERIFY(pages.ink(0, retired ? employeeBox : retiredBox).isEmpty());
            QCOMPARE(pages.fonts(), (QStringList{u"Nazli"_s, u"Nazli-Bold"_s, u"Titr-Bold"_s}));
        }
    }

    // Levels other than single, multi and admin file the stay under the user's
    // own person; a user without a person files none. Users without a
    // province belong to no office, even for requesters without one.
    void ownersAndOffices()
    {
        MsgRecorder msgs;
        const qint64 clerkPerson = person(u"5555555555"_s, u"e"_s, u"f"_s, QString(), QString());
        const Office clerk = office(u"city"_s, u"5555555555"_s, clerkPerson, {});
        become(clerk);
        inStays([&] {
            QVERIFY(openFromMenu(src->ui->N1, ins, [&] {
                QVERIFY(!ins->ui->lname->isEnabled());
                ins->ui->ostan->setCurrentText(u"مازندران"_s);
                ins->ui->city->setCurrentText(u"رامسر"_s);
                ins->ui->ins_btn->click();
            }));
        });
        QCOMPARE(Sql::scalar(u"select personel_id from khabghah"_s).toLongLong(), clerkPerson);

        const Office nobody = office(u"city"_s, u"6666666666"_s, 0, {});
        become(nobody);
        msgs.clear();
        inStays([&] {
            QVERIFY(openFromMenu(src->ui->N1, ins, [&] {
                ins->ui->ostan->setCurrentText(u"مازندران"_s);
                ins->ui->city->setCurrentText(u"رامسر"_s);
                ins->ui->dat1->setValue(u"1405/01/02"_s);
                ins->ui->ins_btn->click();
            }));
        });
        QCOMPARE(msgs.texts(), QStringList{RequestText::NoPersonRecord});
        QCOMPARE(Sql::scalar(u"select count(*) from khabghah"_s).toInt(), 1);

        // The clerk has no province, nor has the requester: no box.
        becomeUser(u"admin"_s, u"khabghah"_s, {1, 1, 1, 1});
        inStays([&] {
            approveWindow(listed().first(), [&] {
                QVERIFY(!ins->ui->taeed->isVisible() && !ins->ui->taeed2->isVisible());
            });
        });
    }
};

QTEST_MAIN(TestGuesthouseStays)
#include "test_guesthouse_stays.moc"
