// Password hashes of users.ps, and the plain text of accounts made before them.

#include "core/password_hash.h"
#include "core/texts.h"
#include "tests/support/low_memory.h"
#include "tests/support/msg_recorder.h"

#include <QtTest>
#include <sodium.h>

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

    // A hash that cannot be made is no password: it is said so, and an empty
    // stored text lets no password in, not even an empty one.
    void aHashThatCannotBeMadeIsAnError()
    {
        MsgRecorder msgs;
        QString made = QStringLiteral("x");
        std::optional<QString> saved = QStringLiteral("x");
        withLittleMemory([&] {
            made = PasswordHash::hash(QStringLiteral("pw"));
            saved = PasswordHash::hashForSaving(QStringLiteral("pw"));
        });
        QVERIFY(made.isEmpty());
        QVERIFY(!saved);
        QCOMPARE(msgs.texts(), QStringList{CoreText::PasswordHashFailed});
        QVERIFY(!PasswordHash::verify(QString(), QString()));
        QVERIFY(!PasswordHash::verify(QString(), QStringLiteral("pw")));
        QVERIFY(PasswordHash::hashForSaving(QStringLiteral("pw")).has_value());
    }

    // Digits count as ASCII digits on both sides of a check, whatever script
    // made or typed them; the rest counts as it is. A hash made from Persian
    // digits before they were folded still verifies them, and is to be
    // replaced. No account verifies an empty password.
    void digitsCountAlikeOnBothSides()
    {
        const QStringList forms = {QStringLiteral("Ab۰۹۱۲"), QStringLiteral("Ab٠٩١٢"), QStringLiteral("Ab0912")};
        for (const QString& made : forms) {
            const QString h = PasswordHash::hash(made);
            for (const QString& typed : forms)
                QVERIFY(PasswordHash::verify(h, typed) && PasswordHash::verify(made, typed));
            QVERIFY(!PasswordHash::verify(h, QStringLiteral("ab0912")));
        }
        const QByteArray bytes = forms[0].toUtf8();
        char old[crypto_pwhash_STRBYTES];
        QCOMPARE(crypto_pwhash_str(old, bytes.constData(), quint64(bytes.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                   crypto_pwhash_MEMLIMIT_INTERACTIVE), 0);
        QVERIFY(PasswordHash::verify(QString::fromLatin1(old), forms[0]));
        QVERIFY(PasswordHash::needsRehash(QString::fromLatin1(old), forms[0]));
        QVERIFY(!PasswordHash::needsRehash(PasswordHash::hash(forms[0]), forms[0]));
        QVERIFY(!PasswordHash::verify(PasswordHash::hash(QString()), QString()));
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
