// The guesthouse registry as the office uses it: opened from the main menu by
// the user's rights, a suite entered and edited, a day status added, photos
// uploaded, opened and deleted; then the database and the files written.

#include "core/list_window.h"
#include "core/main_window.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "services/khabgahha_ins.h"
#include "services/khabgahha_pic.h"
#include "services/khabgahha_src.h"
#include "services/khabgahha_status.h"
#include "services/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_khabgahha_ins.h"
#include "ui_khabgahha_pic.h"
#include "ui_khabgahha_src.h"
#include "ui_khabgahha_status.h"
#include "ui_main.h"

#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

namespace {

// Answers the file dialog through a recorder, and runs a step of another
// workstation while the dialog is open.
class DialogHook final : public Msg::Handler {
public:
    explicit DialogHook(MsgRecorder& inner) : m_inner(inner) { Msg::setHandler(this); }
    ~DialogHook() override { Msg::setHandler(&m_inner); }
    Msg::Button message(const Msg::Request& r) override { return m_inner.message(r); }
    std::optional<QString> input(const Msg::Request& r) override
    {
        if (r.kind == Msg::Kind::OpenFile && whileOpen)
            std::exchange(whileOpen, {})();
        return m_inner.input(r);
    }
    std::function<void()> whileOpen;

private:
    MsgRecorder& m_inner;
};

} // namespace

class TestGuesthouseRegistry : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_files;
    Tmain* main = nullptr;
    Tkhabgahha_src* src = nullptr;
    Tkhabgahha_ins* ins = nullptr;
    Tkhabgahha_status* status = nullptr;
    Tkhabgahha_pic* pic = nullptr;
    QStringList opened;

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_files.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static qint64 suite(const QString& ostan, const QString& shahrestan, const QString& no)
    {
        return Sql::insert(u"khabgahha"_s, {{u"ostan"_s, ostan}, {u"shahrestan"_s, shahrestan}, {u"no"_s, no},
                                            {u"nam"_s, u"مهمانسرا "_s + no}, {u"hazine"_s, 0}});
    }

    static int count(const QString& sql, const QVariantList& values = {})
    {
        return Sql::scalar(sql, values).toInt();
    }

    // Opens the registry from the main menu and works in it.
    void inRegistry(const std::function<void()>& steps) { QVERIFY(openPage(main, u"N25"_s, src, steps)); }

    // A command of the registry that shows a window modally; the steps run while it is shown.
    static bool command(QAction* item, QWidget* window, const std::function<void()>& steps = {})
    {
        return openFromMenu(item, window, steps);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(startProgram(main, src, u"khabgahha_src"_s));
        ins = win<Tkhabgahha_ins>(u"khabgahha_ins"_s);
        status = win<Tkhabgahha_status>(u"khabgahha_status"_s);
        pic = win<Tkhabgahha_pic>(u"khabgahha_pic"_s);
        QVERIFY(ins && status && pic);
        Desktop::setOpener([this](const QString& path) { opened << path; });
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        becomeUser(u"ostan"_s, u"khabghahha"_s, {1, 1, 0, 1});
        for (const auto& [ostan, city] : {std::pair{u"گيلان"_s, u"رشت"_s}, {u"گيلان"_s, u"لاهيجان"_s},
                                          {u"مازندران"_s, u"رامسر"_s}})
            Sql::insert(u"abadiha"_s, {{u"ostan"_s, ostan}, {u"city"_s, city}});
        opened.clear();
    }

    void cleanup()
    {
        for (QWidget* w : std::initializer_list<QWidget*>{pic, status, ins, src})
            w->close();
        m_db.reset();
    }

    // A suite entered through the window, refused a second time in its county,
    // edited; a status for today, refused twice on one day; the list filtered
    // by province.
    void suitesAndStatuses()
    {
        MsgRecorder msgs;
        suite(u"مازندران"_s, u"رامسر"_s, u"1"_s);
        inRegistry([&] {
            // The opener runs no search: nothing shows before the first press.
            QCOMPARE(src->list()->model()->rowCount(), 0);
            QVERIFY(src->ui->N1->isEnabled() && src->ui->N2->isEnabled() && !src->ui->N3->isEnabled());
            QVERIFY(command(src->ui->N1, ins, [&] {
                QCOMPARE(ins->ui->hazine->text(), u"0"_s);
                QVERIFY(ins->ui->ins_btn->isVisible() && !ins->ui->edit_btn->isVisible());
                choose(ins->ui->ostan, u"گيلان"_s);
                choose(ins->ui->shahrestan, u"لاهيجان"_s);
                QCOMPARE(ins->ui->shahrestan->count(), 2);
                ins->ui->nam->setText(u"مجتمع رفاهي"_s);
                ins->ui->no->setText(u"12"_s);
                typeKeys(ins->ui->otagh, u"3a"_s);
                ins->ui->tabaghe->setCurrentIndex(1);
                ins->ui->hazine->setText(u"1,250,000"_s);
                ins->ui->ins_btn->click();
                ins->ui->ins_btn->click(); // the same number again in that county
            }));
            QCOMPARE(msgs.texts(), (QStringList{ServiceText::SuiteSaved, ServiceText::SuiteDuplicate}));
            QCOMPARE(src->list()->model()->rowCount(), 2); // the list shows the new suite
            const QVariantMap added = Sql::row(u"select * from khabgahha where no='12'"_s);
            QCOMPARE(added.value(u"otagh"_s).toInt(), 3);
            QCOMPARE(added.value(u"hazine"_s).toDouble(), 1250000.0);
            QCOMPARE(added.value(u"tabaghe"_s).toString(), ins->ui->tabaghe->itemText(1));

            // An edit that keeps the number is not tested again, even moved
            // to a county where that number exists; a changed number is.
            msgs.clear();
            clickRow(src->ui->DBGrid1, u"no"_s, u"12"_s);
            QVERIFY(command(src->ui->N2, ins, [&] {
                QVERIFY(!ins->ui->ins_btn->isVisible() && ins->ui->edit_btn->isVisible());
                QCOMPARE(ins->ui->hazine->text(), u"1,250,000"_s);
                ins->ui->ostan->setCurrentText(u"مازندران"_s);
                ins->ui->shahrestan->setCurrentText(u"رامسر"_s);
                ins->ui->no->setText(u"1"_s);
                ins->ui->edit_btn->click();
                QCOMPARE(msgs.texts(), QStringList{ServiceText::SuiteDuplicate});
                ins->ui->no->setText(u"12"_s);
                ins->ui->edit_btn->click();
                QVERIFY(!ins->isVisible());
            }));
            QCOMPARE(count(u"select count(*) from khabgahha where ostan=? and no='12'"_s, {u"مازندران"_s}), 1);

            // Today's status is proposed as free; a second one that day is refused.
            msgs.clear();
            clickRow(src->ui->DBGrid1, u"no"_s, u"12"_s);
            const QVariant id = src->currentSuite();
            QVERIFY(command(src->ui->N4, status, [&] {
                QCOMPARE(status->ui->dat->text(), Shamsi::today());
                QCOMPARE(status->ui->status->currentText(), ServiceText::StatusFree);
                status->ui->ins_btn->click();
                status->ui->status->setCurrentIndex(1);
                status->ui->ins_btn->click();
                QCOMPARE(status->list()->model()->rowCount(), 1);
            }));
            QCOMPARE(msgs.texts(), QStringList{ServiceText::StatusDuplicate});
            QCOMPARE(Sql::row(u"select * from khabgahha_rezerv"_s).value(u"khabgahha_id"_s).toLongLong(), id.toLongLong());
            QVERIFY(Sql::row(u"select * from khabgahha_rezerv"_s).value(u"personel_id"_s).isNull());
            QCOMPARE(src->statuses()->model()->rowCount(), 1);

            src->ui->CheckBox1->setChecked(true);
            src->ui->ostan->setCurrentText(u"گيلان"_s);
            src->ui->BitBtn1->click();
            QCOMPARE(src->ui->cnt->text(), u"0"_s);
        });
    }

    // Before the first search there is no current suite: edit, status and
    // photos open nothing and write nothing.
    void nothingWithoutASuite()
    {
        suite(u"گيلان"_s, u"رشت"_s, u"5"_s);
        inRegistry([&] {
            QVERIFY(!command(src->ui->N2, ins));
            QVERIFY(!command(src->ui->N4, status));
            QVERIFY(!command(src->ui->N7, pic));
        });
        QCOMPARE(count(u"select count(*) from khabgahha_rezerv"_s), 0);
    }

    // Two uploads at once, one from another workstation, land on their own
    // suites and leave the old staging table alone; a click opens a copy in
    // the private folder under a built name; a wrong password deletes nothing.
    void photos()
    {
        MsgRecorder msgs;
        const qint64 mine = suite(u"گيلان"_s, u"رشت"_s, u"1"_s);
        const qint64 theirs = suite(u"مازندران"_s, u"رامسر"_s, u"2"_s);
        Sql::insert(u"setting"_s, {{u"component"_s, CoreText::DeletePasswordList}, {u"cmt"_s, u"1234"_s}});
        Database other(u"other-workstation"_s);
        QVERIFY(other.open(m_db.options()));

        src->list()->search();
        clickRow(src->ui->DBGrid1, u"id"_s, mine);
        QVERIFY(command(src->ui->N7, pic, [&] {
            QVERIFY(!pic->stored());
            pic->ui->ins_btn->click(); // no description: no dialog
            QCOMPARE(msgs.texts(), QStringList{ServiceText::PhotoNoDescription});
            QCOMPARE(msgs.requests.size(), 1);

            DialogHook hook(msgs);
            hook.whileOpen = [&] {
                Sql::insert(other, u"new_pic"_s, {{u"new_id"_s, theirs}, {u"cmt"_s, u"نما"_s}, {u"pictyp"_s, u".png"_s}, {u"pic"_s, QByteArray("theirs")}});
                Sql::insert(other, u"khabgahha_pic"_s, {{u"khabgahha_id"_s, theirs}, {u"cmt"_s, u"نما"_s}, {u"ext"_s, u".png"_s}, {u"pic"_s, QByteArray("theirs")}});
            };
            msgs.answerInput(file(u"room.jpg"_s, QByteArray("\xff\xd8 mine", 7)));
            pic->ui->cmt->setCurrentIndex(0);
            pic->ui->ins_btn->click();
            QVERIFY(pic->stored());
            QCOMPARE(pic->list()->model()->rowCount(), 1);

            msgs.answerInput(std::nullopt); // a cancelled dialog changes nothing
            pic->ui->ins_btn->click();
            QVERIFY(!pic->stored());
            QCOMPARE(pic->list()->model()->rowCount(), 1);

            clickRow(pic->ui->DBGrid1, 0);
            QCOMPARE(opened.size(), 1);
            const QFileInfo copy(opened[0]);
            QCOMPARE(copy.absolutePath(), QFileInfo(Desktop::privateTempFolder()).absoluteFilePath());
            QVERIFY(copy.fileName().endsWith(u".jpg"_s) && copy.fileName().size() > 4);
            QFile f(opened[0]);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("\xff\xd8 mine", 7));

            msgs.clear();
            msgs.answerInput(u"0000"_s);
            pic->ui->N1->trigger();
            QCOMPARE(msgs.texts(), QStringList{CoreText::DeletePasswordWrong});
            msgs.answerInput(u"1234"_s);
            pic->ui->N1->trigger();
            QCOMPARE(pic->list()->model()->rowCount(), 0);
        }));
        QCOMPARE(msgs.last(), CoreText::RowDeleted);
        QCOMPARE(count(u"select count(*) from khabgahha_pic where khabgahha_id=?"_s, {mine}), 0);
        QCOMPARE(Sql::scalar(u"select pic from khabgahha_pic where khabgahha_id=?"_s, {theirs}).toByteArray(), QByteArray("theirs"));
        QCOMPARE(count(u"select count(*) from khabgahha_pic"_s), 1);
        QCOMPARE(count(u"select count(*) from new_pic"_s), 1); // untouched
        other.close();
    }
};

QTEST_MAIN(TestGuesthouseRegistry)
#include "test_guesthouse_registry.moc"
