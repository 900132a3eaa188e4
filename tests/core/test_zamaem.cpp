// The attachments window as a person uses it: opened from the main menu by
// the user's rights, a file chosen and stored under a description, a row
// clicked to save and open its file, a row deleted; then the database and the
// files written.

#include "core/list_window.h"
#include "core/main_window.h"
#include "core/texts.h"
#include "core/zamaem.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "platform/ui/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_main.h"
#include "ui_zamaem.h"

#include <QtTest>

using namespace AdminPages;
using namespace WindowSteps;
using namespace Qt::StringLiterals;

class TestZamaem : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_files;
    Tmain* main = nullptr;
    Tzamaem* zamaem = nullptr;
    QStringList opened;

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_files.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static qint64 stored(const QString& cmt, const QString& pictype, const QByteArray& pic)
    {
        return Sql::insert(u"zamaem"_s, {{u"cmt"_s, cmt}, {u"ramz"_s, u"1"_s}, {u"pictype"_s, pictype}, {u"pic"_s, pic}});
    }

    static int rows() { return Sql::scalar(u"select count(*) from zamaem"_s).toInt(); }

    void add(const QString& description)
    {
        zamaem->ui->Combo_type->setEditText(description);
        QTest::mouseClick(zamaem->ui->ins_btn, Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(startProgram(main, zamaem, u"zamaem"_s));
        Desktop::setOpener([this](const QString& path) { opened << path; });
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        actAs(u"1234567890"_s, 7);
        opened.clear();
        zamaem->enableCommands(true, true);
        zamaem->prepareForOpening();
        zamaem->show();
        QVERIFY(QTest::qWaitForWindowExposed(zamaem));
    }

    void cleanup()
    {
        zamaem->close();
        m_db.reset();
    }

    // The menu item: the add button follows darj, the delete item hazf; the
    // boxes are emptied and every attachment is listed.
    void openedByRights()
    {
        zamaem->close();
        MsgRecorder msgs;
        main->ui->N12->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::NoPageAccess});
        grantRights(7, u"zamaem"_s, {0, 1, 1, 1});
        stored(CoreText::AttachmentLogo, u".png"_s, "png");
        zamaem->ui->Combo_type->setEditText(u"x"_s);
        zamaem->ui->ramz->setText(u"y"_s);
        QVERIFY(openFromMenu(main->ui->N12, zamaem, [&] {
            QVERIFY(!zamaem->ui->ins_btn->isEnabled());
            QVERIFY(zamaem->ui->N1->isEnabled());
            QVERIFY(zamaem->ui->Combo_type->currentText().isEmpty());
            QVERIFY(zamaem->ui->ramz->text().isEmpty());
            QCOMPARE(zamaem->list()->model()->rowCount(), 1);
            QCOMPARE(zamaem->list()->model()->headerData(zamaem->list()->model()->columnOf(u"cmt"_s), Qt::Horizontal),
                     QVariant(CoreText::AttachmentTitleDescription));
        }));
    }

    // A description that is taken or empty stores nothing, with its messages in
    // this order; a cancelled or unreadable file stores nothing either.
    void addRefused()
    {
        MsgRecorder msgs;
        stored(CoreText::AttachmentLogo, u".png"_s, "png");
        stored(QString(), QString(), {});
        add(CoreText::AttachmentLogo);
        QCOMPARE(msgs.texts(), QStringList{CoreText::AttachmentDuplicate});
        msgs.clear();
        add(QString());
        QCOMPARE(msgs.texts(), (QStringList{CoreText::AttachmentDuplicate, CoreText::AttachmentNoDescription}));
        QCOMPARE(rows(), 2);

        // A file was chosen once; a later cancel still stores nothing.
        msgs.clear();
        msgs.answerInput(file(u"a.pdf"_s, "first"));
        add(u"نامه اول"_s);
        QCOMPARE(rows(), 3);
        msgs.answerInput(std::nullopt);
        add(u"نامه دوم"_s);
        QCOMPARE(rows(), 3);
        msgs.answerInput(m_files.filePath(u"missing.pdf"_s));
        add(u"نامه سوم"_s);
        QCOMPARE(rows(), 3);
        QCOMPARE(msgs.texts(), QStringList{CoreText::AttachmentUnreadable});
        QCOMPARE(msgs.requests.first().kind, Msg::Kind::OpenFile);
    }

    // A chosen file is stored with its extension and its bytes under the typed
    // description (with the yeh the program looks it up by), and listed.
    void addStored()
    {
        MsgRecorder msgs;
        static constexpr char raw[] = "%PDF-1.4\n\x00\xff binary";
        const QByteArray bytes(raw, sizeof raw - 1);
        msgs.answerInput(file(u"help.PDF"_s, bytes));
        zamaem->ui->ramz->setText(u"1402"_s);
        add(u"راهنمايی حل مشکل نمايش فونت ها"_s); // the last yeh typed as the Persian keyboard does
        QVERIFY(msgs.texts().isEmpty());
        const QVariantMap row = Sql::row(u"select * from zamaem"_s);
        QCOMPARE(row.value(u"cmt"_s).toString(), CoreText::FontHelpFile);
        QCOMPARE(row.value(u"ramz"_s).toString(), u"1402"_s);
        QCOMPARE(row.value(u"pictype"_s).toString(), u".PDF"_s);
        QCOMPARE(row.value(u"pic"_s).toByteArray(), bytes);
        QCOMPARE(zamaem->list()->model()->rowCount(), 1);
    }

    // A click proposes the documents folder, saves the file where the user
    // says, with the stored extension added once, and opens that copy, the
    // one the user keeps; a cancel writes and opens nothing.
    void openClicked()
    {
        MsgRecorder msgs;
        stored(u"../../نامه/اداري"_s, u"/..x"_s, "hostile");
        stored(u"بخشنامه"_s, u".pdf"_s, "pdf bytes");
        zamaem->prepareForOpening();

        const QStringList before = QDir(m_files.path()).entryList(QDir::Files);
        msgs.answerInput(std::nullopt);
        clickRow(zamaem->ui->DBGrid1, 0);
        QCOMPARE(msgs.requests.size(), 1);
        QCOMPARE(msgs.requests[0].kind, Msg::Kind::SaveFile);
        QCOMPARE(msgs.requests[0].defaultText, Desktop::documentsFolder() + u"/_.._نامه_اداري.x"_s);
        QVERIFY(opened.isEmpty());
        QCOMPARE(QDir(m_files.path()).entryList(QDir::Files), before);

        msgs.answerInput(m_files.filePath(u"saved"_s));
        clickRow(zamaem->ui->DBGrid1, 0);
        QCOMPARE(read(m_files.filePath(u"saved.x"_s)), QByteArray("hostile"));
        // A type that is not a document, sheet, text, archive or picture is
        // not opened: the user is told where it is, never executable.
        QVERIFY(opened.isEmpty());
        const QString copyPath = m_files.filePath(u"saved.x"_s);
        QCOMPARE(msgs.texts().last(), UiText::FileNotOpened.arg(Msg::filePath(copyPath)));
        QCOMPARE(QFileInfo(copyPath).permissions() & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther),
                 QFileDevice::Permissions());
        msgs.requests.clear();

        // A name typed with its extension keeps it once.
        msgs.answerInput(m_files.filePath(u"circular.PDF"_s));
        clickRow(zamaem->ui->DBGrid1, 1);
        QCOMPARE(read(m_files.filePath(u"circular.PDF"_s)), QByteArray("pdf bytes"));
        QVERIFY(!QFile::exists(m_files.filePath(u"circular.PDF.pdf"_s)));
        QCOMPARE(opened, QStringList{m_files.filePath(u"circular.PDF"_s)});
        QVERIFY(msgs.texts().isEmpty());

        // A copy that cannot be saved is said so, with the cause, and nothing is opened.
        msgs.answerInput(m_files.filePath(u"no-such-folder/circular"_s));
        clickRow(zamaem->ui->DBGrid1, 1);
        QCOMPARE(msgs.texts(),
                 QStringList{UiText::FolderNotWritable.arg(Msg::filePath(m_files.filePath(u"no-such-folder/circular.pdf"_s)))});
        QCOMPARE(opened.size(), 1);

        for (const char* ext : {".desktop", ".sh", ".jar", ".exe", ".html", ".docm", "", "../x/.sh"})
            QVERIFY2(!Desktop::opensType(QLatin1String(ext)), ext);
        for (const char* ext : {".PDF", "xlsx", ".docx", ".jpg", ".zip", ".txt", ".csv"})
            QVERIFY2(Desktop::opensType(QLatin1String(ext)), ext);
    }

    void deleted()
    {
        MsgRecorder msgs;
        stored(u"الف"_s, u".txt"_s, "a");
        stored(u"ب"_s, u".txt"_s, "b");
        zamaem->prepareForOpening();
        const QString first = zamaem->list()->current(u"cmt"_s).toString();
        zamaem->ui->N1->trigger();
        QCOMPARE(msgs.texts(), QStringList{CoreText::RowDeleted});
        QCOMPARE(rows(), 1);
        QVERIFY(!Sql::exists(u"select id from zamaem where cmt=?"_s, {first}));
        QCOMPARE(zamaem->list()->model()->rowCount(), 1);
    }
};

QTEST_MAIN(TestZamaem)
#include "test_zamaem.moc"
