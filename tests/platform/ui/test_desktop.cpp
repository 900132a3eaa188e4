// Opening a file with the desktop: the desktop's helper failing (no
// application for the type) is told as where the file was written, then that
// it could not be opened; a helper that succeeds is no message.

#include "platform/ui/desktop.h"
#include "platform/ui/texts.h"
#include "tests/support/msg_recorder.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

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
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
