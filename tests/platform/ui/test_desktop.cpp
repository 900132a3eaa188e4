// Opening a file with the desktop: the desktop's helper failing (no
// application for the type) is told as where the file was written, then that
// it could not be opened; a helper that succeeds is no message.

#include "platform/ui/desktop.h"
#include "platform/ui/save_file.h"
#include "platform/ui/texts.h"
#include "tests/support/msg_recorder.h"

#include <QDir>
#include <QtTest>
#include <cerrno>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// While set, a folder's sync fails: this fsync stands before the C library's.
static bool g_folderSyncFails = false;
extern "C" int fsync(int fd)
{
    struct stat st {};
    if (g_folderSyncFails && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode))
        return errno = EIO, -1;
    return int(::syscall(SYS_fsync, fd));
}

class TestDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void helperExitCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("opened");
        QTest::newRow("opened") << 0 << true;
        QTest::newRow("no application for the type") << 3 << false;
        QTest::newRow("the application failed") << 4 << false;
    }
    void helperExitCode()
    {
        QFETCH(int, code);
        QFETCH(bool, opened);
        // A stand-in for the desktop's helper, first on the search path.
        const QString helper = m_dir.filePath(u"xdg-open"_s);
        QFile script(helper);
        QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(QStringLiteral("#!/bin/sh\nexit %1\n").arg(code).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", (m_dir.path() + u':' + qEnvironmentVariable("PATH")).toLocal8Bit());
        const QString file = m_dir.filePath(u"list.xlsx"_s);

        MsgRecorder msgs;
        QCOMPARE(Desktop::openFile(file), opened);
        QCOMPARE(msgs.texts(), opened ? QStringList() : QStringList{UiText::FileOpenFailed.arg(Msg::filePath(file))});
        if (!opened) // written, only not opened: no error
            QVERIFY(msgs.requests.first().icon != Msg::Icon::Error);
    }

    // A path in a message is isolated as left-to-right text, a mark after
    // each separator keeping Persian folder names in their order.
    void pathInAMessage()
    {
        const QString path = u"/home/کاربر/اسناد/ليست کارکنان.xlsx"_s;
        QCOMPARE(Msg::filePath(path), u"\u2066/\u200Ehome/\u200Eکاربر/\u200Eاسناد/\u200Eليست کارکنان.\u200Exlsx\u2069"_s);
    }

    // A read-only file where the clerk saves is named as the file (the folder
    // can be written), and stays as it was. Root may write any file: there
    // the clerk's side runs as nobody, in a child process.
    void readOnlyFileIsNamed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"list.xlsx"_s);
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        QVERIFY(earlier.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const auto saved = [&] {
            const SaveFile::Outcome out = SaveFile::write(path, "new");
            return out.failure == SaveFile::Failure::ReadOnlyFile &&
                   out.message() == UiText::ReadOnlyFile.arg(Msg::filePath(path));
        };
        if (::geteuid() != 0) {
            QVERIFY(saved());
        } else {
            QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)));
            const pid_t child = ::fork();
            if (child == 0)
                ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && saved() ? 0 : 1);
            int status = -1;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    }

    // A folder not synced after the move fails the save, whole or by a
    // partial, said as a file that may not be kept; the whole file stays.
    void folderNotSyncedIsAFailure()
    {
        g_folderSyncFails = true;
        const auto restore = qScopeGuard([] { g_folderSyncFails = false; });
        const QString path = m_dir.filePath(u"list.xlsx"_s), backup = m_dir.filePath(u"backup.db"_s);
        QCOMPARE(SaveFile::write(path, "whole").message(), UiText::FileNotKept.arg(Msg::filePath(path)));
        SaveFile::Partial partial(backup);
        QFile written(partial.fileName());
        QVERIFY(written.open(QIODevice::WriteOnly) && written.write("whole") == 5 && written.flush());
        QVERIFY(!partial.moveIntoPlace(nullptr));
        QCOMPARE(QFileInfo(path).size() + QFileInfo(backup).size(), 10);
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
