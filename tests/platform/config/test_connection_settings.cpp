// The settings files: the scrambled password, every byte kept, owner-only files.

#include "platform/config/connection_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestConnectionSettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString file(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void scrambleReversesAndDecreasesEveryByte()
    {
        QCOMPARE(Settings::scramble("abc"), QByteArray("ba`"));
        QCOMPARE(Settings::unscramble("ba`"), QByteArray("abc"));
        QCOMPARE(Settings::scramble(QByteArray("\x00\xff", 2)), QByteArray("\xfe\xff", 2));
        QCOMPARE(Settings::scramble(QByteArray()), QByteArray());
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        QCOMPARE(Settings::unscramble(Settings::scramble(all)), all);
    }

    void everyPasswordSurvivesSaveAndReload_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("plain") << QStringLiteral("secret");
        QTest::newRow("persian") << QStringLiteral("رمز عبور ي ی ك ک");
        QTest::newRow("signs") << QStringLiteral("=;#[x]\\n\"' %$!");
        QTest::newRow("line breaks") << QStringLiteral("a\nb\r\nc\t");
        QTest::newRow("nul and del") << QString::fromUtf8("a\0b\x7f", 4);
        QTest::newRow("emoji") << QStringLiteral("🔑 key");
        QTest::newRow("spaces around") << QStringLiteral("  x  ");
        // "A" scrambles to "@"; a byte 0x01 to 0x00.
        QTest::newRow("control") << QString::fromUtf8("\x01\x02\x1b");
    }

    void everyPasswordSurvivesSaveAndReload()
    {
        QFETCH(QString, password);
        ConnectionSettings s;
        s.sqlServerName = QStringLiteral("db.office,5433");
        s.dataBase = QStringLiteral("Tuvek");
        s.userName = QStringLiteral("clerk=1");
        s.password = password;
        s.authentication = QStringLiteral("SQL Server");
        s.serverType = QStringLiteral("PostgreSQL");
        const QString path = file("user.ini");
        QVERIFY(Settings::write(path, s));
        const std::optional<ConnectionSettings> back = Settings::read(path);
        QVERIFY(back);
        QCOMPARE(back->password, password);
        QCOMPARE(back->sqlServerName, s.sqlServerName);
        QCOMPARE(back->userName, s.userName);
        QCOMPARE(back->authentication, s.authentication);
        QCOMPARE(back->serverType, s.serverType);
        // The password is not in the file as it was typed.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        if (password.size() > 3)
            QVERIFY(!QString::fromUtf8(f.readAll()).contains(password));
    }

    void fileIsTheOwnersOnly()
    {
        const QString path = file("sub/folder/user.ini");
        QVERIFY(Settings::write(path, ConnectionSettings()));
        QCOMPARE(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void missingFileIsNoSettingsAndMissingValuesAreEmpty()
    {
        QVERIFY(!Settings::read(file("none.ini")));
        const QString path = file("outside.ini");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[kelvanotirsa]\nTuvekSqlServerName=C:\\data\\tuvek.db\nTuvekAuthentication=Access\n"
                "TuvekSystemType=64-bit\n");
        f.close();
        std::optional<ConnectionSettings> s = Settings::read(path);
        QVERIFY(s);
        QCOMPARE(s->authentication, QStringLiteral("Access"));
        QCOMPARE(s->systemType, QStringLiteral("64-bit"));
        QCOMPARE(s->dataBase, QString());
        QCOMPARE(s->password, QString());
        // The settings window writes its values; what it does not set stays.
        s->authentication = QStringLiteral("Windows");
        QVERIFY(Settings::write(path, *s));
        s = Settings::read(path);
        QCOMPARE(s->authentication, QStringLiteral("Windows"));
        QCOMPARE(s->systemType, QStringLiteral("64-bit"));
        QCOMPARE(s->sqlServerName, QStringLiteral("C:\\data\\tuvek.db"));
    }

    void pathsFollowTheEnvironment()
    {
        qputenv("TUVEK_USER_SETTINGS", file("u.ini").toLocal8Bit());
        qputenv("TUVEK_INSTALL_SETTINGS", file("i.ini").toLocal8Bit());
        qputenv("TUVEK_DATA_DIR", m_dir.path().toLocal8Bit());
        QCOMPARE(Settings::userFile(), file("u.ini"));
        QCOMPARE(Settings::installFile(), file("i.ini"));
        QCOMPARE(Settings::embeddedDatabase(), file("tuvek.sqlite"));
    }

    void unwritableFileFails()
    {
        QVERIFY(!Settings::write(QStringLiteral("/proc/no/such/folder/user.ini"), ConnectionSettings()));
    }
};

QTEST_GUILESS_MAIN(TestConnectionSettings)
#include "test_connection_settings.moc"
