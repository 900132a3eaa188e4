// Internal messages as people use them: opened from the main menu by any
// user, recipients ticked, sent, read, marked, filtered and deleted; then the
// database and the main menu's unread mark.

#include "core/list_window.h"
#include "core/main_window.h"
#include "core/payam.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_main.h"
#include "ui_payam.h"

#include <QtTest>

using namespace AdminPages;
using namespace Qt::StringLiterals;

class TestPayam : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tpayam* payam = nullptr;
    // Two users with the same label, and one whose label misses its post.
    qint64 ali = 0, twin = 0, zahra = 0;
    const QString twinLabel = u"تهران*single*کارشناس*علي رضايي"_s;
    const QString zahraLabel = u"قم*single**زهرا"_s;

    static qint64 user(const QString& us, const QString& ostan, const QVariant& semat, const QString& nam)
    {
        return Sql::insert(u"users"_s, {{u"us"_s, us}, {u"ps"_s, u"-"_s}, {u"ver"_s, u"1"_s}, {u"lev"_s, u"single"_s},
                                        {u"ostan"_s, ostan}, {u"semat"_s, semat}, {u"nam"_s, nam},
                                        {u"status"_s, CoreText::ActiveStatus}});
    }

    static qint64 message(qint64 from, qint64 to, const QString& sent, const QString& read, const QString& subject,
                          const QString& text = QString())
    {
        return Sql::insert(u"payamha"_s, {{u"send_prs_id"_s, from}, {u"rec_prs_id"_s, to}, {u"send_dat"_s, sent},
                                          {u"show_dat"_s, read}, {u"mozo"_s, subject}, {u"cmt"_s, text.toUtf8()}});
    }

    static int count(const QString& where = u"1=1"_s)
    {
        return Sql::scalar(u"select count(*) from payamha where "_s + where).toInt();
    }

    void openFromMenu(const std::function<void()>& steps)
    {
        QVERIFY(WindowSteps::openFromMenu(main->ui->N9, payam, steps));
    }

    QList<QListWidgetItem*> items(const QString& label) const
    {
        return payam->ui->prs_list->findItems(label, Qt::MatchExactly);
    }

    // The subjects of the rows listed, in the order shown.
    QStringList subjects() const
    {
        QStringList out;
        ListModel* model = payam->list()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->value(r, u"mozo"_s).toString();
        return out;
    }

    void send(const QString& subject, const QString& text = u"متن"_s)
    {
        payam->ui->mozo->setEditText(subject);
        payam->ui->cmt->setPlainText(text);
        QTest::mouseClick(payam->ui->BitBtn1, Qt::LeftButton);
    }

private slots:
    void initTestCase() { QVERIFY(startProgram(main, payam, u"payam"_s)); }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        ali = user(u"1111111111"_s, u"تهران"_s, u"کارشناس"_s, u"علي رضايي"_s);
        twin = user(u"2222222222"_s, u"تهران"_s, u"کارشناس"_s, u"علي رضايي"_s);
        zahra = user(u"3333333333"_s, u"قم"_s, QVariant(), u"زهرا"_s);
        actAs(u"admin"_s, 1, u"admin"_s);
    }

    void cleanup() { m_db.reset(); }

    // Each ticked item's own user gets the message, also when another user has
    // the same label or a part of the label is missing; the text is kept as
    // UTF-8 bytes.
    void sentByIdOfEachItem()
    {
        MsgRecorder msgs;
        const QString text = u"جلسه فردا ساعت ۹\nلطفاً گزارش را بياوريد"_s;
        QVariant ticked;
        Sql::insert(u"setting"_s, {{u"component"_s, CoreText::MessagesSubjectList}, {u"cmt"_s, u"جلسه"_s}});
        openFromMenu([&] {
            QVERIFY(main->ui->N9->isEnabled());
            QCOMPARE(payam->ui->mozo->count(), 1); // the subjects of the settings list
            const QList<QListWidgetItem*> twins = items(twinLabel);
            QCOMPARE(twins.size(), 2);
            QCOMPARE(items(zahraLabel).size(), 1);
            QCOMPARE(payam->ui->girande->count(), 4);
            // Even at its smallest the window shows every label whole.
            payam->resize(payam->minimumSizeHint());
            QTRY_VERIFY(payam->ui->prs_list->viewport()->width() >= payam->ui->prs_list->sizeHintForColumn(0));
            twins[1]->setCheckState(Qt::Checked);
            items(zahraLabel)[0]->setCheckState(Qt::Checked);
            ticked = twins[1]->data(Qt::UserRole);
            send(u"جلسه"_s, text);
            QCOMPARE(msgs.texts(), QStringList{CoreText::MessagesSent});
            QCOMPARE(payam->list()->model()->rowCount(), 2);
        });
        const QList<QVariantMap> sent = Sql::rows(u"select * from payamha order by rec_prs_id"_s);
        QCOMPARE(sent.size(), 2);
        QList<qint64> recipients{sent[0].value(u"rec_prs_id"_s).toLongLong(), sent[1].value(u"rec_prs_id"_s).toLongLong()};
        QList<qint64> expected{ticked.toLongLong(), zahra};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(recipients, expected);
        for (const QVariantMap& row : sent) {
            QCOMPARE(row.value(u"send_prs_id"_s).toLongLong(), 1);
            QCOMPARE(row.value(u"send_dat"_s).toString(), Shamsi::today());
            QCOMPARE(row.value(u"show_dat"_s).toString(), QString());
            QCOMPARE(row.value(u"mozo"_s).toString(), u"جلسه"_s);
            QCOMPARE(row.value(u"cmt"_s).toByteArray(), text.toUtf8());
        }
    }

    // One message a sender, recipient, subject and day; nothing ticked sends
    // nothing; the group box ticks and unticks everyone.
    void oneMessageAPerRecipientSubjectAndDay()
    {
        MsgRecorder msgs;
        const QString yesterday = Shamsi::fromDate(QDate::currentDate().addDays(-1));
        message(1, ali, yesterday, QString(), u"جلسه"_s);
        actAs(u"admin"_s, 1, u"admin"_s);
        openFromMenu([&] {
            payam->ui->CheckBox1->click();
            for (int i = 0; i < payam->ui->prs_list->count(); ++i)
                QCOMPARE(payam->ui->prs_list->item(i)->checkState(), Qt::Checked);
            payam->ui->CheckBox1->click();
            for (int i = 0; i < payam->ui->prs_list->count(); ++i)
                QCOMPARE(payam->ui->prs_list->item(i)->checkState(), Qt::Unchecked);

            send(u"جلسه"_s);
            QCOMPARE(count(), 1);
            QCOMPARE(msgs.texts(), QStringList{CoreText::MessagesSent});

            for (QListWidgetItem* item : payam->ui->prs_list->findItems(u"*"_s, Qt::MatchContains))
                if (item->data(Qt::UserRole).toLongLong() == ali)
                    item->setCheckState(Qt::Checked);
            send(u"جلسه"_s);
            send(u"جلسه"_s);
            QCOMPARE(count(), 2); // yesterday's and today's
            send(u"جلسه دوم"_s);
            QCOMPARE(count(), 3);
            QCOMPARE(msgs.texts().size(), 4);
        });
    }

    // Everyone reads his or her own messages, newest day first; the
    // administrator reads all and lists one recipient's by a chosen item or a
    // typed user name.
    void listedByRecipient()
    {
        MsgRecorder msgs;
        message(twin, ali, u"1403/01/01"_s, QString(), u"اول"_s, u"متن اول"_s);
        message(zahra, ali, u"1403/01/05"_s, QString(), u"دوم"_s, u"متن دوم"_s);
        message(ali, twin, u"1403/01/03"_s, QString(), u"به همنام"_s);
        message(ali, 1, u"1403/01/02"_s, QString(), u"به مدير"_s);

        actAs(u"1111111111"_s, ali);
        openFromMenu([&] {
            QVERIFY(!payam->ui->girande->isEnabled());
            QCOMPARE(subjects(), (QStringList{u"دوم"_s, u"اول"_s}));
            QCOMPARE(payam->list()->current(u"ferestande"_s).toString(), u"3333333333"_s);
            QCOMPARE(payam->ui->DBMemo1->toPlainText(), u"متن دوم"_s);
            payam->ui->N6->trigger();
            payam->ui->N2->trigger();
            QCOMPARE(msgs.texts(), (QStringList{zahraLabel, twinLabel}));
        });

        actAs(u"admin"_s, 1, u"admin"_s);
        openFromMenu([&] {
            QComboBox* girande = payam->ui->girande;
            QVERIFY(girande->isEnabled());
            QCOMPARE(subjects(), (QStringList{u"دوم"_s, u"به همنام"_s, u"به مدير"_s, u"اول"_s}));
            // The two items of one label each list their own user's messages.
            const int first = girande->findData(ali);
            const int second = girande->findData(twin);
            girande->setCurrentIndex(first);
            QCOMPARE(subjects(), (QStringList{u"دوم"_s, u"اول"_s}));
            girande->setCurrentIndex(second);
            QCOMPARE(subjects(), QStringList{u"به همنام"_s});
            girande->setEditText(u"1111111111"_s);
            QCOMPARE(subjects(), (QStringList{u"دوم"_s, u"اول"_s}));
            girande->setEditText(u"nobody"_s);
            QCOMPARE(subjects(), QStringList());
            girande->setEditText(QString());
            QCOMPARE(subjects().size(), 4);
        });
    }

    // Marking read dates the message today; closing the window sets the main
    // menu's mark by what is still unread.
    void readMarkAndMenuMark()
    {
        message(twin, ali, u"1403/01/01"_s, QString(), u"اول"_s);
        message(twin, ali, u"1403/01/02"_s, QString(), u"دوم"_s);
        main->setMessagesWaiting(true);
        actAs(u"1111111111"_s, ali);
        openFromMenu([&] { payam->ui->N1->trigger(); });
        QCOMPARE(count(u"show_dat='"_s + Shamsi::today() + u"' and mozo='دوم'"_s), 1);
        QCOMPARE(main->ui->N9->text(), CoreText::MessagesWaiting);
        openFromMenu([&] {
            QTableView* grid = payam->ui->DBGrid1;
            grid->setCurrentIndex(grid->model()->index(1, grid->currentIndex().column()));
            QCOMPARE(payam->list()->current(u"mozo"_s).toString(), u"اول"_s);
            payam->ui->N1->trigger();
            payam->reject(); // closed otherwise than by the close box
            QVERIFY(!payam->isVisible());
        });
        QCOMPARE(count(u"show_dat=''"_s), 0);
        QCOMPARE(main->ui->N9->text(), CoreText::MessagesItem);
    }

    // A message sent while another workstation deletes its recipient's
    // account: the send waits for the delete, finds the account gone and
    // writes nothing.
    void sentWhileTheRecipientIsDeleted()
    {
        MsgRecorder msgs;
        Meeting deleting;
        SecondWorkstation other(m_db.options());
        openFromMenu([&] {
            items(zahraLabel)[0]->setCheckState(Qt::Checked);
            AdminPages::deleteAccountMeanwhile(other, deleting, zahra); // this workstation sends meanwhile
            QVERIFY(deleting.awaitArrival());
            send(u"جلسه"_s);
            QVERIFY2(other.wait(), qPrintable(other.error()));
            QCOMPARE(msgs.texts(), QStringList{CoreText::UserGone});
            QVERIFY(items(zahraLabel).isEmpty());
        });
        QCOMPARE(count(), 0);
    }

    // Only the administrator deletes: the current message, the selected read
    // ones, or every read message of every user.
    void deletedByAdministratorOnly()
    {
        MsgRecorder msgs;
        message(twin, ali, u"1403/01/01"_s, u"1403/01/02"_s, u"خوانده علي"_s);
        message(twin, ali, u"1403/01/03"_s, QString(), u"نخوانده علي"_s);
        message(ali, twin, u"1403/01/04"_s, u"1403/01/05"_s, u"خوانده همنام"_s);
        message(ali, twin, u"1403/01/06"_s, QString(), u"نخوانده همنام"_s);

        actAs(u"1111111111"_s, ali);
        openFromMenu([&] {
            payam->ui->DBGrid1->selectAll();
            for (QAction* item : {payam->ui->N3, payam->ui->N4, payam->ui->N5})
                item->trigger();
        });
        QCOMPARE(msgs.texts(), QStringList(3, CoreText::MessagesDeleteAdminOnly));
        QCOMPARE(count(), 4);

        msgs.clear();
        actAs(u"admin"_s, 1, u"admin"_s);
        openFromMenu([&] {
            payam->ui->girande->setEditText(u"1111111111"_s);
            payam->ui->DBGrid1->selectAll();
            payam->ui->N5->trigger(); // the read one of the two selected
            QCOMPARE(subjects(), QStringList{u"نخوانده علي"_s});
            payam->ui->girande->setEditText(QString());
            payam->ui->N4->trigger(); // every read message, listed or not
            QCOMPARE(subjects(), (QStringList{u"نخوانده همنام"_s, u"نخوانده علي"_s}));
            payam->ui->N3->trigger(); // the current one, unread as it is
            QCOMPARE(subjects(), QStringList{u"نخوانده علي"_s});
        });
        QCOMPARE(msgs.texts(), QStringList(3, CoreText::RowDeleted));
        QCOMPARE(count(), 1);
    }
};

QTEST_MAIN(TestPayam)
#include "test_payam.moc"
