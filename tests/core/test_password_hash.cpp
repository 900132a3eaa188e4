// Password hashes of users.ps, and the plain text of accounts made before them.

#include "core/password_hash.h"

#include <QtTest>

class TestPasswordHash : public QObject {
    Q_OBJECT

private slots:
    void hashVerifiesOnlyItsPassword()
    {
        const QString password = QStringLiteral("رمز ي ی ك ک 123 'x\"");
        const QString h = PasswordHash::hash(password);
        QVERIFY(PasswordHash::isHash(h));
        QVERIFY(h.size() <= PasswordHash::MaxLength);
        QVERIFY(!h.contains(password));
        QVERIFY(PasswordHash::verify(h, password));
        QVERIFY(!PasswordHash::verify(h, password + QLatin1Char(' ')));
        QVERIFY(!PasswordHash::verify(h, QStringLiteral("رمز ی ی ک ک 123 'x\"")));
        QVERIFY(!PasswordHash::verify(h, QString()));
        QVERIFY(!PasswordHash::needsRehash(h));
        // A fresh salt each time.
        QVERIFY(PasswordHash::hash(password) != h);
    }

    void legacyPlainTextIsToldApart()
    {
        QVERIFY(!PasswordHash::isHash(QStringLiteral("1")));
        QVERIFY(!PasswordHash::isHash(QStringLiteral("$argon")));
        QVERIFY(PasswordHash::verify(QStringLiteral("1234"), QStringLiteral("1234")));
        QVERIFY(!PasswordHash::verify(QStringLiteral("1234"), QStringLiteral("12345")));
        QVERIFY(PasswordHash::needsRehash(QStringLiteral("1234")));
        // Text that only looks like a hash verifies nothing.
        QVERIFY(!PasswordHash::verify(QStringLiteral("$argon2id$v=19$broken"), QStringLiteral("$argon2id$v=19$broken")));
    }
};

QTEST_GUILESS_MAIN(TestPasswordHash)
#include "test_password_hash.moc"
