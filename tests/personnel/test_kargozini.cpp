// Leave and missions as the office works with them: the hierarchy makes a
// manager, a member of staff asks for leave, the manager, the guard and the HR
// office confirm it, the list shows the stamps and the slip prints; then the
// database and the printed page.

#include "core/list_window.h"
#include "core/main_window.h"
#include "core/shamsi_date.h"
#include "personnel/kargozini_ins.h"
#include "personnel/kargozini_src.h"
#include "core/lock_keys.h"
#include "personnel/marateb_k.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/report/elements.h"
#include "platform/report/report.h"
#include "services/request/approval_gate.h"
#include "services/request/request_entry.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/platform/report/pdf_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_kargozini_ins.h"
#include "ui_kargozini_src.h"
#include "ui_main.h"
#include "ui_marateb_k.h"

#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;
using namespace PersonnelText;

namespace {

const QString A = u"1111111111"_s; // the manager
const QString B = u"2222222222"_s; // the member of staff
const QString C = u"3333333333"_s; // another manager, not B's
const QString G = u"4444444444"_s; // the guard
const QString H = u"5555555555"_s; // the HR office

} // namespace

class TestKargozini : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tkargozini_src* list = nullptr;
    Tkargozini_ins* entry = nullptr;
    QHash<QString, qint64> personIds;
    QHash<QString, qint64> userIds;
    Report* previewed = nullptr;
    std::unique_ptr<PdfPages> printed;

    static qint64 person(const QString& nation, const QString& lname, const QString& fname)
    {
        return Sql::insert(u"personel"_s, {{u"nation"_s, nation}, {u"lname"_s, lname}, {u"fname"_s, fname},
                                           {u"loc"_s, u"ستاد"_s}, {u"semat"_s, u"کارشناس"_s},
                                           {u"cartsaat_no"_s, u"7788"_s}});
    }

    // The person's account, as the login leaves it, with its rights on both pages.
    void become(const QString& nation, const QString& level, const QString& semat = QString(),
                QList<int> rights = {1, 0, 1, 1})
    {
        if (!userIds.contains(nation)) {
            userIds[nation] = Sql::insert(u"users"_s, {{u"us"_s, nation}, {u"lev"_s, level}});
            grantRights(userIds[nation], u"kargozini"_s, rights);
            grantRights(userIds[nation], u"marateb"_s, {1, 0, 0, 1});
        }
        const qint64 pid = personIds.value(nation, 0);
        AdminPages::signIn({nation, QString::number(userIds[nation]), level, pid ? QString::number(pid) : QString(), semat});
    }

    QStringList shown(const QString& column) const
    {
        ListModel* model = list->requests()->list().model();
        model->fetchAll();
        QStringList out;
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->value(r, column).toString();
        return out;
    }

    void openList(const std::function<void()>& steps) { QVERIFY(openPage(main, u"N23"_s, list, steps)); }

    // A menu item of the list that opens the entry window; steps run in it.
    bool openEntry(QAction* item, const std::function<void()>& steps)
    {
        return openFromMenu(item, entry, steps);
    }

    static QVariantMap request(qint64 id)
    {
        return Sql::row(u"select * from kargozini where id=?"_s, {id});
    }

private slots:
    void initTestCase()
    {
        QVERIFY(startProgram(main, list, u"kargozini_src"_s));
        entry = win<Tkargozini_ins>(u"kargozini_ins"_s);
        QVERIFY(entry);
        Report::setPreviewHandler([this](Report& r) {
            previewed = &r;
            printed = std::make_unique<PdfPages>(r);
        });
    }

    void cleanupTestCase() { Report::setPreviewHandler(nullptr); }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        personIds.clear();
        userIds.clear();
        previewed = nullptr;
        printed.reset();
        personIds[A] = person(A, u"احمدي"_s, u"علي"_s);
        personIds[B] = person(B, u"رضايي"_s, u"مريم"_s);
        personIds[C] = person(C, u"کريمي"_s, u"حسن"_s);
        personIds[G] = person(G, u"نوروزي"_s, u"رضا"_s);
        personIds[H] = person(H, u"صادقي"_s, u"زهرا"_s);
        for (const QString& typ : {DailyLeave, HourlyLeave, HourlyMission})
            Sql::insert(u"setting"_s, {{u"component"_s, KargoziniTypeList}, {u"cmt"_s, typ}});
    }

    void cleanup()
    {
        entry->close();
        list->close();
        m_db.reset();
    }

    // A made approver of B; B asks for an hourly leave; A confirms it as
    // manager, the guard and the HR office after him; the list shows each
    // stamp and counts its rows; the slip prints on its paper.
    void hourlyLeaveThroughItsConfirmations()
    {
        MsgRecorder msgs;
        const QString today = Shamsi::today();
        become(A, u"ostan"_s);
        auto* hierarchy = win<Tmarateb_k>(u"marateb_k"_s);
        QVERIFY(openPage(main, u"N22"_s, hierarchy, [&] {
            hierarchy->ui->master->setCurrentIndex(hierarchy->ui->master->findData(A));
            hierarchy->ui->slave->setCurrentIndex(hierarchy->ui->slave->findData(B));
            hierarchy->ui->ins_btn->click();
        }));

        become(B, u"single"_s);
        openList([&] {
            QVERIFY(openEntry(list->ui->N1, [&] {
                QVERIFY(entry->ui->ins_btn->isVisible());
                QVERIFY(!entry->ui->modir_btn->isVisible() && !entry->ui->negahbani_btn->isVisible()
                        && !entry->ui->edit_btn->isVisible());
                QCOMPARE(entry->ui->dat1->value(), today);
                choose(entry->ui->typ, HourlyLeave);
                QVERIFY(!entry->ui->roz->isEnabled() && !entry->ui->dat2->isEnabled() && !entry->ui->cmt->isEnabled());
                QCOMPARE(entry->ui->Label5->text(), OneDate);
                QTest::mouseClick(entry->ui->Label2, Qt::LeftButton); // the clock's time
                entry->ui->vorod_saat->setValue(u"11:30"_s);
                entry->ui->ins_btn->click();
                entry->ui->ins_btn->click(); // the same type while the first is pending
            }));
        });
        QCOMPARE(msgs.texts(), (QStringList{PersonnelText::Saved, PersonnelText::Saved, KargoziniDuplicate}));
        const qint64 id = Sql::scalar(u"select max(id) from kargozini"_s).toLongLong();
        QVariantMap row = request(id);
        QCOMPARE(row.value(u"personel_id"_s).toLongLong(), personIds[B]);
        QCOMPARE(row.value(u"roz"_s).toInt(), 0);
        QCOMPARE(row.value(u"ersal_dat"_s).toString(), today);
        QVERIFY(QRegularExpression(u"^\\d\\d:\\d\\d$"_s).match(row.value(u"exit_saat"_s).toString()).hasMatch());
        QVERIFY(row.value(u"modir_dat"_s).isNull() && row.value(u"taeed_dat"_s).isNull());

        // C approves nobody: his list is his own, and the manager's gate refuses him B.
        become(C, u"ostan"_s);
        openList([&] { QCOMPARE(list->ui->cnt->text(), u"0"_s); });
        msgs.clear();
        QVERIFY(!approver_gate(u"marateb_k"_s, B));
        QCOMPARE(msgs.texts(), QStringList{RequestText::NotManager});

        // A sees B's request and confirms it as manager.
        become(A, u"ostan"_s);
        openList([&] {
            QCOMPARE(shown(u"nation"_s), QStringList{B});
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openEntry(list->ui->N8, [&] {
                QVERIFY(entry->ui->modir_btn->isVisible() && !entry->ui->ins_btn->isVisible());
                QCOMPARE(entry->ui->vorod_saat->value(), u"11:30"_s);
                // Meanwhile B asks again on another workstation: the newer row stays unstamped.
                Sql::insert(u"kargozini"_s, {{u"personel_id"_s, personIds[B]}, {u"typ"_s, HourlyMission}});
                entry->ui->vorod_saat->setValue(u"11:45"_s);
                entry->ui->modir_btn->click();
                QVERIFY(!entry->isVisible());
            }));
        });
        row = request(id);
        QCOMPARE(row.value(u"modir_dat"_s).toString(), today);
        QCOMPARE(row.value(u"modir_name"_s).toString(), u"احمدي"_s);
        QCOMPARE(row.value(u"vorod_saat"_s).toString(), u"11:45"_s);
        QCOMPARE(Sql::scalar(u"select count(*) from kargozini where modir_dat is not null"_s).toInt(), 1);
        Sql::exec(u"delete from kargozini where id<>?"_s, {id});

        // The guard confirms the request as it stands, whatever is typed; a user
        // of another post is refused.
        Sql::exec(u"insert into marateb_k (master, slave) values (?, ?)"_s, {G, B});
        become(G, u"ostan"_s, u"کارمند"_s);
        msgs.clear();
        openList([&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(!openEntry(list->ui->N7, {}));
        });
        QCOMPARE(msgs.texts(), QStringList{NotGuard});
        become(G, u"ostan"_s, GuardPost);
        openList([&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openEntry(list->ui->N7, [&] {
                QVERIFY(entry->ui->negahbani_btn->isVisible());
                entry->ui->vorod_saat->setValue(u"12:00"_s);
                entry->ui->negahbani_btn->click();
            }));
        });
        row = request(id);
        QCOMPARE(row.value(u"negahbani_dat"_s).toString(), today);
        QCOMPARE(row.value(u"negahbani_name"_s).toString(), u"نوروزي"_s);
        QCOMPARE(row.value(u"vorod_saat"_s).toString(), u"11:45"_s);

        // The HR office, by its approve right.
        become(H, u"admin"_s, QString(), {0, 1, 0, 1});
        msgs.clear();
        openList([&] {
            QVERIFY(!list->ui->N1->isEnabled() && list->ui->N2->isEnabled());
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openEntry(list->ui->N2, [&] {
                QVERIFY(entry->ui->edit_btn->isVisible());
                entry->ui->edit_btn->click();
            }));
            // Every stamp in the list, and as many rows as counted.
            QCOMPARE(shown(u"modir_dat"_s), QStringList{today});
            QCOMPARE(shown(u"negahbani_name"_s), QStringList{u"نوروزي"_s});
            QCOMPARE(shown(u"taeed_name"_s), QStringList{u"صادقي"_s});
            QCOMPARE(shown(u"taeed_dat"_s), QStringList{today});
            QCOMPARE(list->ui->cnt->text().toInt(), shown(u"id"_s).size());
            ListModel* rows = list->requests()->list().model();
            QCOMPARE(rows->headerData(rows->columnOf(u"ersal_dat"_s), Qt::Horizontal, Qt::BackgroundRole).value<QColor>(),
                     QColor(Qt::yellow));

            // The slip of the current request.
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            list->ui->N4->trigger();
        });
        QVERIFY(msgs.texts().isEmpty());
        QVERIFY(printed);
        QCOMPARE(printed->pages.size(), 1);
        QVERIFY(qAbs(printed->paperMm(0).width() - 100) < 1);
        QVERIFY(qAbs(printed->paperMm(0).height() - 105) < 1);
        QStringList words;
        for (const PdfPages::Word& w : printed->words(0))
            words << w.text;
        for (const QString& value : {today, row.value(u"exit_saat"_s).toString(), u"11:45"_s, u"7788"_s})
            QVERIFY2(words.contains(value), qPrintable(value + u" in "_s + words.join(u' ')));
        QCOMPARE(previewed->find<ReportLabel>(u"lname"_s)->Caption, u"مريم رضايي"_s);
    }

    // The list of a user is his own requests and those of the persons he
    // approves, counted as listed: a user name inside another's national code
    // is no match.
    void scopeCountsWhatItLists()
    {
        const QString part = u"222222222"_s; // inside B's national code
        personIds[part] = person(part, u"مرادي"_s, u"سارا"_s);
        for (const QString& n : {part, B, C})
            Sql::insert(u"kargozini"_s, {{u"personel_id"_s, personIds[n]}, {u"typ"_s, HourlyLeave}});
        Sql::exec(u"insert into marateb_k (master, slave) values (?, ?)"_s, {part, C});
        become(part, u"single"_s);
        openList([&] {
            QCOMPARE(shown(u"nation"_s), (QStringList{part, C}));
            QCOMPARE(list->ui->cnt->text(), u"2"_s);
            // The surname filter narrows both alike.
            list->ui->CheckBox4->click();
            list->ui->lname->setText(u"کريمي"_s);
            list->ui->src_btn->click();
            QCOMPARE(shown(u"nation"_s), QStringList{C});
            QCOMPARE(list->ui->cnt->text(), u"1"_s);
        });
    }

    // A login without a person record files nothing; an empty day count is
    // stored as 0; the type switches the boxes it uses.
    void entryRules()
    {
        MsgRecorder msgs;
        become(u"9999999999"_s, u"single"_s); // no person record
        openList([&] {
            QVERIFY(openEntry(list->ui->N1, [&] {
                choose(entry->ui->typ, HourlyLeave);
                entry->ui->ins_btn->click();
            }));
        });
        QCOMPARE(msgs.texts(), QStringList{RequestText::NoPersonRecord});
        QCOMPARE(Sql::scalar(u"select count(*) from kargozini"_s).toInt(), 0);

        become(B, u"single"_s);
        openList([&] {
            QVERIFY(openEntry(list->ui->N1, [&] {
                choose(entry->ui->typ, HourlyMission);
                entry->ui->cmt->setText(u"بانک"_s);
                choose(entry->ui->typ, HourlyLeave);
                QVERIFY(entry->ui->cmt->text().isEmpty());
                choose(entry->ui->typ, HourlyMission);
                entry->ui->cmt->setText(u"بانک"_s);
                choose(entry->ui->typ, HourlyMission);
                QCOMPARE(entry->ui->cmt->text(), u"بانک"_s);
                choose(entry->ui->typ, DailyLeave);
                QVERIFY(entry->ui->roz->isEnabled() && entry->ui->dat2->isEnabled());
                QVERIFY(!entry->ui->exit_saat->isEnabled() && entry->ui->cmt->text().isEmpty());
                QCOMPARE(entry->ui->Label5->text(), FromDate);
                entry->ui->roz->clear();
                entry->ui->ins_btn->click();
            }));
        });
        const QVariantMap row = Sql::row(u"select roz, typ, dat2 from kargozini"_s);
        QCOMPARE(row.value(u"typ"_s).toString(), DailyLeave);
        QCOMPARE(row.value(u"roz"_s).toString(), u"0"_s);
    }

    // The daily slip asks for the substitute (blank when cancelled) and prints
    // the days three times; without a current row nothing prints.
    void dailySlip()
    {
        MsgRecorder msgs;
        become(B, u"single"_s);
        openList([&] {
            list->ui->N4->trigger(); // no request yet
            QVERIFY(!previewed);
        });
        Sql::insert(u"kargozini"_s, {{u"personel_id"_s, personIds[B]}, {u"typ"_s, DailyLeave}, {u"roz"_s, 3},
                                     {u"dat1"_s, u"1405/02/01"_s}, {u"dat2"_s, u"1405/02/03"_s}});
        msgs.answerInput(u"موسوي"_s);
        msgs.answerInput(std::nullopt);
        openList([&] {
            clickRow(list->ui->DBGrid1, 0);
            list->ui->N4->trigger();
            QVERIFY(previewed);
            QCOMPARE(previewed->find<ReportLabel>(u"janeshin"_s)->Caption, u"موسوي"_s);
            for (const QString& label : {u"roz"_s, u"roz2"_s, u"roz3"_s})
                QCOMPARE(previewed->find<ReportLabel>(label)->Caption, u"3"_s);
            QCOMPARE(previewed->find<ReportLabel>(u"semat"_s)->Caption, u"کارشناس"_s);
            QVERIFY(qAbs(printed->paperMm(0).width() - 148) < 1);
            list->ui->N4->trigger();
            QCOMPARE(previewed->find<ReportLabel>(u"janeshin"_s)->Caption, QString());
        });
        QCOMPARE(msgs.requests.size(), 2);
        QCOMPARE(msgs.requests[0].caption, SubstituteCaption);
        QCOMPARE(msgs.requests[0].text, SubstitutePrompt);
    }

    // A manager removed from the request's approvers while his confirmation
    // window is open: the confirmation checks the pairs as they are when it
    // is written, waits for the removal, and stamps nothing.
    void managerRemovedWhileConfirming()
    {
        MsgRecorder msgs;
        Sql::exec(u"insert into marateb_k (master, slave) values (?, ?)"_s, {A, B});
        const qint64 id = Sql::insert(u"kargozini"_s, {{u"personel_id"_s, personIds[B]}, {u"typ"_s, HourlyLeave}});
        become(A, u"ostan"_s);
        openList([&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openEntry(list->ui->N8, [&] {
                Meeting removing;
                SecondWorkstation other(m_db.options());
                other.start([&] {
                    Sql::exclusive(Keys::hierarchies(), [&] {
                        Sql::exec(u"delete from marateb_k where master=? and slave=?"_s, {A, B});
                        removing.arrive();
                        QThread::msleep(300); // the manager confirms meanwhile
                    });
                });
                QVERIFY(removing.awaitArrival());
                entry->ui->modir_btn->click();
                QVERIFY2(other.wait(), qPrintable(other.error()));
            }));
        });
        QCOMPARE(msgs.texts(), QStringList{RequestText::NotManager});
        QVERIFY(request(id).value(u"modir_dat"_s).isNull());
    }

    // An administrator who approves nobody is told so and confirms all the same.
    void adminPassesTheManagerGate()
    {
        MsgRecorder msgs;
        const qint64 id = Sql::insert(u"kargozini"_s, {{u"personel_id"_s, personIds[B]}, {u"typ"_s, HourlyLeave}});
        become(H, u"admin"_s);
        openList([&] {
            clickRow(list->ui->DBGrid1, u"id"_s, id);
            QVERIFY(openEntry(list->ui->N8, [&] { entry->ui->modir_btn->click(); }));
        });
        QCOMPARE(msgs.texts(), QStringList{RequestText::NotManager});
        QCOMPARE(request(id).value(u"modir_name"_s).toString(), u"صادقي"_s);
    }

    // The caption click takes the clock's hours and minutes, on the 24-hour clock.
    void clockText_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("afternoon") << QTime(14, 5, 59) << u"14:05"_s;
        QTest::newRow("noon") << QTime(12, 40) << u"12:40"_s;
        QTest::newRow("one digit") << QTime(9, 3) << u"09:03"_s;
        QTest::newRow("after midnight") << QTime(0, 7) << u"00:07"_s;
    }
    void clockText()
    {
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QCOMPARE(Tkargozini_ins::clockText(time), text);
    }
};

QTEST_MAIN(TestKargozini)
#include "test_kargozini.moc"
