// The settings windows and the stored-password prompt, driven as a person
// does: open from the main menu, choose a list, type, click, use the grid's
// context menu; then what the database holds.

#include "core/list_window.h"
#include "core/password_hash.h"
#include "core/setting.h"
#include "core/setting_list.h"
#include "core/setting_ost.h"
#include "core/setting_values.h"
#include "core/texts.h"
#include "platform/ui/window_set.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_setting.h"
#include "ui_setting_ost.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStyledItemDelegate>
#include <QTableView>

using namespace AdminPages;
using namespace WindowSteps;

class TestSettings : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tsetting* setting = nullptr;
    Tsetting_ost* ost = nullptr;

    // Replaces what the box holds with typed text.
    static void type(QLineEdit* box, const QString& text)
    {
        box->clear();
        typeText(box, text);
    }

    static QStringList column(QTableView* grid, const QString& name)
    {
        auto* rows = static_cast<ListModel*>(grid->model());
        QStringList out;
        for (int r = 0; r < rows->rowCount(); ++r)
            out << rows->value(r, name).toString();
        return out;
    }

    static qint64 addRow(const QString& component, const QString& cmt, const QVariant& def = QVariant())
    {
        return Sql::insert(QStringLiteral("setting"), {{QStringLiteral("component"), component},
                                                       {QStringLiteral("cmt"), cmt},
                                                       {QStringLiteral("def"), def}});
    }

    // The text the grid's own delegate gives a cell to draw.
    static QString drawnText(QTableView* grid, const QModelIndex& index)
    {
        // The delegate's own (protected, virtual) initStyleOption, called on
        // the delegate as it is, through a pointer to the member.
        struct Cells : QStyledItemDelegate {
            static auto init() { return &Cells::initStyleOption; }
        };
        auto* cells = qobject_cast<QStyledItemDelegate*>(grid->itemDelegateForIndex(index));
        QStyleOptionViewItem option;
        (cells->*Cells::init())(&option, index);
        return option.text;
    }

    // Every row of a list: item -> mark, in id order; a NULL mark reads "null".
    static QStringList marks(const QString& table, const QString& where, const QVariantList& values)
    {
        QStringList out;
        for (const QVariantMap& r : Sql::rows(QStringLiteral("select cmt, def from %1 where %2 order by id").arg(table, where), values))
            out << r.value("cmt").toString() + QLatin1Char('=') +
                       (r.value("def").isNull() ? QStringLiteral("null") : r.value("def").toString());
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(startProgram(main, setting, QStringLiteral("setting")));
        ost = win<Tsetting_ost>(QStringLiteral("setting_ost"));
        QVERIFY(ost);
    }

    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    void menuOpensByRights()
    {
        MsgRecorder msgs;
        // No rights row: the message, and nothing opens.
        becomeUser(QStringLiteral("single"));
        QVERIFY(!openPage(main, QStringLiteral("N26"), setting));
        QVERIFY(!openPage(main, QStringLiteral("N27"), ost));
        QCOMPARE(msgs.texts(), QStringList(2, CoreText::NoPageAccess));

        // View only: the window opens with add, mark and delete disabled, and
        // the delete does nothing (it was governed by no right before).
        addRow(CoreText::DeletePasswordList, QStringLiteral("1234"));
        becomeUser(QStringLiteral("keshvar"), QStringLiteral("setting"), {0, 1, 0, 1});
        msgs.clear();
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            QVERIFY(!setting->ui->ins_btn->isEnabled());
            QVERIFY(!setting->ui->N2->isEnabled());
            QVERIFY(!setting->ui->N1->isEnabled());
            QCOMPARE(column(setting->ui->DBGrid1, QStringLiteral("cmt")), QStringList{QStringLiteral("1234")});
            clickRow(setting->ui->DBGrid1, QStringLiteral("cmt"), QStringLiteral("1234"));
            setting->ui->N1->trigger();
            setting->N1Click();
        }));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from setting")).toInt(), 1);

        // Add and delete rights enable their commands.
        becomeUser(QStringLiteral("ostan"), QStringLiteral("setting"), {1, 0, 1, 1});
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            QVERIFY(setting->ui->ins_btn->isEnabled());
            QVERIFY(setting->ui->N2->isEnabled());
            QVERIFY(setting->ui->N1->isEnabled());
        }));
        QVERIFY(msgs.texts().isEmpty());
    }

    void addToAList()
    {
        MsgRecorder msgs;
        becomeUser(QStringLiteral("admin"), QStringLiteral("setting"), {1, 1, 1, 1});
        const QString bank = setting->ui->component->itemText(8);
        const QString posts = setting->ui->component->itemText(16);
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            QCOMPARE(setting->ui->component->currentIndex(), -1);
            choose(setting->ui->component, bank);
            setting->ui->ins_btn->click(); // nothing typed
            QCOMPARE(msgs.last(), CoreText::SettingEnterValue);
            type(setting->ui->cmt, QStringLiteral("ملت 'مرکزي'"));
            setting->ui->ins_btn->click();
            QCOMPARE(msgs.last(), CoreText::SettingSaved);
            QCOMPARE(column(setting->ui->DBGrid1, QStringLiteral("cmt")), QStringList{QStringLiteral("ملت 'مرکزي'")});
            setting->ui->ins_btn->click(); // the same again
            QCOMPARE(msgs.last(), CoreText::SettingDuplicate);
            choose(setting->ui->component, posts); // the same item in another list is allowed
            setting->ui->ins_btn->click();
            QCOMPARE(msgs.last(), CoreText::SettingSaved);
        }));
        QCOMPARE(msgs.texts().size(), 4);
        const QVariantMap row = Sql::row(QStringLiteral("select * from setting where component=?"), {bank});
        QCOMPARE(row.value("cmt").toString(), QStringLiteral("ملت 'مرکزي'"));
        QVERIFY(row.value("def").isNull());
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from setting")).toInt(), 2);
    }

    void markAndDelete()
    {
        MsgRecorder msgs;
        const QString list = QStringLiteral("انواع وام");
        addRow(list, QStringLiteral("ضروري"));
        addRow(list, QStringLiteral("مسکن"), QString());
        addRow(list, QStringLiteral("خودرو"), QStringLiteral("1"));
        addRow(list, QStringLiteral("مسکن")); // the same text twice in one list
        addRow(QStringLiteral("بانک"), QStringLiteral("مسکن"), QStringLiteral("1"));
        becomeUser(QStringLiteral("admin"), QStringLiteral("setting"), {1, 1, 1, 1});
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            choose(setting->ui->component, list);
            QCOMPARE(column(setting->ui->DBGrid1, QStringLiteral("cmt")).size(), 4);
            clickRow(setting->ui->DBGrid1, QStringLiteral("cmt"), QStringLiteral("مسکن"));
            setting->ui->N2->trigger();
            QCOMPARE(setting->ui->cmt->text(), QStringLiteral("مسکن"));
            QCOMPARE(column(setting->ui->DBGrid1, QStringLiteral("def")),
                     (QStringList{QString(), QStringLiteral("1"), QString(), QStringLiteral("1")}));

            clickRow(setting->ui->DBGrid1, QStringLiteral("cmt"), QStringLiteral("مسکن"));
            setting->ui->N1->trigger();
            QCOMPARE(column(setting->ui->DBGrid1, QStringLiteral("cmt")),
                     (QStringList{QStringLiteral("ضروري"), QStringLiteral("خودرو")}));
        }));
        // Marking cleared every other mark of the list, NULL ones too; the
        // delete took both rows of the text; the other list kept its row.
        QCOMPARE(marks(QStringLiteral("setting"), QStringLiteral("component=?"), {list}),
                 (QStringList{QStringLiteral("ضروري="), QStringLiteral("خودرو=")}));
        QCOMPARE(marks(QStringLiteral("setting"), QStringLiteral("component=?"), {QStringLiteral("بانک")}),
                 QStringList{QStringLiteral("مسکن=1")});
        QVERIFY(msgs.texts().isEmpty());
    }

    // An item another workstation deleted after the list showed it takes no
    // mark, and the list keeps its own.
    void markOfAnItemDeletedMeanwhile()
    {
        MsgRecorder msgs;
        const QString list = QStringLiteral("انواع وام");
        addRow(list, QStringLiteral("ضروري"), QStringLiteral("1"));
        addRow(list, QStringLiteral("مسکن"));
        becomeUser(QStringLiteral("admin"), QStringLiteral("setting"), {1, 1, 1, 1});
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            choose(setting->ui->component, list);
            clickRow(setting->ui->DBGrid1, QStringLiteral("cmt"), QStringLiteral("مسکن"));
            Sql::exec(QStringLiteral("delete from setting where cmt=?"), {QStringLiteral("مسکن")});
            setting->ui->N2->trigger();
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::RecordGone});
        QCOMPARE(marks(QStringLiteral("setting"), QStringLiteral("component=?"), {list}),
                 QStringList{QStringLiteral("ضروري=1")});
    }

    void everyRowInPersianOrderWithPasswordsMasked()
    {
        for (const char* name : {"گلاره", "کاوه", "ژاله", "زهره", "چمران", "پرويز", "بهرام"})
            addRow(QString::fromUtf8(name), QStringLiteral("x"));
        addRow(CoreText::DeletePasswordList, PasswordHash::hash(QStringLiteral("رمز-1")));
        becomeUser(QStringLiteral("admin"), QStringLiteral("setting"), {1, 1, 1, 1});
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            QTableView* grid = setting->ui->DBGrid1;
            QCOMPARE(column(grid, QStringLiteral("component")),
                     (QStringList{"بهرام", "پرويز", "چمران", CoreText::DeletePasswordList, "زهره", "ژاله", "کاوه",
                                  "گلاره"}));
            auto* rows = static_cast<ListModel*>(grid->model());
            const int cmt = rows->columnOf(QStringLiteral("cmt"));
            for (int r = 0; r < rows->rowCount(); ++r) {
                const QString shown = drawnText(grid, rows->index(r, cmt));
                if (rows->value(r, QStringLiteral("component")).toString() == CoreText::DeletePasswordList)
                    QCOMPARE(shown, QString(8, QChar(0x25CF)));
                else
                    QCOMPARE(shown, QStringLiteral("x"));
                // Copied, a cell is what it shows.
                grid->setCurrentIndex(rows->index(r, cmt));
                QTest::keySequence(grid, QKeySequence::Copy);
                QCOMPARE(QGuiApplication::clipboard()->text(), shown);
            }
            // The item box of a password list is masked too.
            choose(setting->ui->component, CoreText::DeletePasswordList);
            QCOMPARE(setting->ui->cmt->echoMode(), QLineEdit::Password);
            choose(setting->ui->component, setting->ui->component->itemText(0));
            QCOMPARE(setting->ui->cmt->echoMode(), QLineEdit::Normal);
        }));
    }

    // Marking a stored password as the default, or deleting it, leaves its
    // hash out of the item box: choosing another list and adding stores nothing.
    void aStoredPasswordStaysInItsRow()
    {
        MsgRecorder msgs;
        const QString hash = PasswordHash::hash(QStringLiteral("رمز-1"));
        addRow(CoreText::DeletePasswordList, hash);
        becomeUser(QStringLiteral("admin"), QStringLiteral("setting"), {1, 1, 1, 1});
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            choose(setting->ui->component, CoreText::DeletePasswordList);
            clickRow(setting->ui->DBGrid1, QStringLiteral("cmt"), hash);
            setting->ui->N2->trigger();
            QCOMPARE(column(setting->ui->DBGrid1, QStringLiteral("def")), QStringList{QStringLiteral("1")});
            QCOMPARE(setting->ui->cmt->text(), QString());
            choose(setting->ui->component, setting->ui->component->itemText(0));
            setting->ui->ins_btn->click();
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::SettingEnterValue});
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from setting")).toInt(), 1);
    }

    void passwordsAddedInTheWindowAreStoredHashed()
    {
        MsgRecorder msgs;
        becomeUser(QStringLiteral("keshvar"), QStringLiteral("setting"), {1, 1, 1, 1});
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            choose(setting->ui->component, CoreText::DeletePasswordList);
            type(setting->ui->cmt, QStringLiteral("Ab'c 1"));
            setting->ui->ins_btn->click();
        }));
        const QString stored = setting_value(CoreText::DeletePasswordList);
        QVERIFY(!stored.isEmpty());
        // The same password again, its digit typed in Persian, is found among the hashes.
        QVERIFY(openPage(main, QStringLiteral("N26"), setting, [&] {
            choose(setting->ui->component, CoreText::DeletePasswordList);
            type(setting->ui->cmt, QStringLiteral("Ab'c ۱"));
            setting->ui->ins_btn->click();
        }));
        QCOMPARE(msgs.last(), CoreText::SettingDuplicate);
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from setting")).toInt(), 1);
        QVERIFY(!stored.contains(QStringLiteral("Ab'c 1")));
        msgs.answerInput(QStringLiteral("Ab'c 1"));
        QVERIFY(ask_delete_password(CoreText::DeletePasswordList));
        msgs.answerInput(QStringLiteral("ab'c 1"));
        QVERIFY(!ask_delete_password(CoreText::DeletePasswordList));
    }

    void storedPasswordPrompt()
    {
        MsgRecorder msgs;
        const QString list = CoreText::LoanManagerPasswordList;
        // No stored password: nothing passes, not even an empty answer.
        msgs.answerInput(QString());
        QVERIFY(!ask_delete_password(list));
        msgs.answerInput(QStringLiteral("?"));
        QVERIFY(!ask_delete_password(list));
        // The prompt is masked and names the list.
        QCOMPARE(msgs.requests.size(), 2);
        QCOMPARE(msgs.requests[0].kind, Msg::Kind::Password);
        QCOMPARE(msgs.requests[0].caption, CoreText::DeletePasswordCaption);
        QCOMPARE(msgs.requests[0].text, list);

        // The first row's item counts, exactly.
        addRow(list, QStringLiteral("Ab'c 1"));
        addRow(list, QStringLiteral("second"));
        msgs.answerInput(QStringLiteral("Ab'c 1"));
        QVERIFY(ask_delete_password(list));
        for (const QString& wrong : {QStringLiteral("ab'c 1"), QStringLiteral("second"), QStringLiteral("Ab'c 1 ")}) {
            msgs.answerInput(wrong);
            QVERIFY(!ask_delete_password(list));
        }
        msgs.answerInput(std::nullopt); // cancelled
        QVERIFY(!ask_delete_password(list));
        QVERIFY(msgs.texts().isEmpty());
        QCOMPARE(setting_value(list), QStringLiteral("Ab'c 1"));
        QCOMPARE(setting_value(QStringLiteral("بانک")), QString());
    }

    void provincialSettings()
    {
        MsgRecorder msgs;
        const QString fars = QStringLiteral("فارس");
        const QString qom = QStringLiteral("قم");
        for (const QString& p : {fars, qom, fars})
            Sql::insert(QStringLiteral("abadiha"), {{QStringLiteral("ostan"), p}});
        const QString expert = ost->ui->component->itemText(2);
        Sql::insert(QStringLiteral("setting_ost"), {{QStringLiteral("ostan"), qom}, {QStringLiteral("component"), expert},
                                                    {QStringLiteral("cmt"), QStringLiteral("حسني")}, {QStringLiteral("def"), QStringLiteral("1")}});

        // A province's user works on the own province only.
        becomeUser(QStringLiteral("ostan"), QStringLiteral("setting_ost"), {1, 1, 1, 1}, fars);
        QVERIFY(openPage(main, QStringLiteral("N27"), ost, [&] {
            QCOMPARE(ost->ui->ostan->currentText(), fars);
            QVERIFY(!ost->ui->ostan->isEnabled());
            QCOMPARE(ost->ui->ostan->count(), 2);
            choose(ost->ui->component, expert);
            QCOMPARE(ost->ui->DBGrid1->model()->rowCount(), 0);
            type(ost->ui->cmt, QStringLiteral("حسني"));
            ost->ui->ins_btn->click();
            QCOMPARE(msgs.last(), CoreText::SettingSaved);
            ost->ui->ins_btn->click();
            QCOMPARE(msgs.last(), CoreText::SettingDuplicate);
            type(ost->ui->cmt, QStringLiteral("کريمي"));
            ost->ui->ins_btn->click();
            clickRow(ost->ui->DBGrid1, QStringLiteral("cmt"), QStringLiteral("کريمي"));
            ost->ui->N2->trigger();
            QCOMPARE(column(ost->ui->DBGrid1, QStringLiteral("def")), (QStringList{QString(), QStringLiteral("1")}));
            clickRow(ost->ui->DBGrid1, QStringLiteral("cmt"), QStringLiteral("حسني"));
            ost->ui->N1->trigger();
            QCOMPARE(column(ost->ui->DBGrid1, QStringLiteral("cmt")), QStringList{QStringLiteral("کريمي")});
        }));
        // The other province's row was neither unmarked nor deleted.
        QCOMPARE(marks(QStringLiteral("setting_ost"), QStringLiteral("ostan=?"), {qom}), QStringList{QStringLiteral("حسني=1")});
        QCOMPARE(marks(QStringLiteral("setting_ost"), QStringLiteral("ostan=?"), {fars}), QStringList{QStringLiteral("کريمي=1")});
        QCOMPARE(setting_ost_value(fars, expert), QStringLiteral("کريمي"));

        // Other levels choose the province; the list was filled once.
        Sql::insert(QStringLiteral("abadiha"), {{QStringLiteral("ostan"), QStringLiteral("يزد")}});
        becomeUser(QStringLiteral("keshvar"), QStringLiteral("setting_ost"), {1, 1, 1, 1}, fars);
        QVERIFY(openPage(main, QStringLiteral("N27"), ost, [&] {
            QVERIFY(ost->ui->ostan->isEnabled());
            QCOMPARE(ost->ui->ostan->currentText(), QString());
            QCOMPARE(ost->ui->ostan->count(), 2);
            QCOMPARE(ost->ui->DBGrid1->model()->rowCount(), 0);
        }));
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
