#include "password_hash.h"

#include "core/texts.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <sodium.h>

namespace {

bool ready()
{
    static const bool ok = sodium_init() >= 0;
    return ok;
}

bool verifyHash(const QString& stored, const QString& password)
{
    const QByteArray h = stored.toLatin1();
    const QByteArray bytes = password.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), bytes.constData(), quint64(bytes.size())) == 0;
}

} // namespace

static_assert(crypto_pwhash_STRBYTES <= PasswordHash::MaxLength + 1, "users.ps is too narrow for the hash");

namespace PasswordHash {

QString fold(const QString& password) { return TextInput::asciiDigits(password); }

QString hash(const QString& password)
{
    if (!ready())
        return {};
    const QByteArray bytes = fold(password).toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.constData(), quint64(bytes.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return {};
    return QString::fromLatin1(out);
}

std::optional<QString> hashForSaving(const QString& password)
{
    QString h = hash(password);
    if (h.isEmpty()) {
        Msg::error(CoreText::PasswordHashFailed);
        return std::nullopt;
    }
    return h;
}

bool isHash(const QString& stored)
{
    return stored.startsWith(QLatin1String("$argon2id$")) || stored.startsWith(QLatin1String("$argon2i$"));
}

bool verify(const QString& stored, const QString& typed)
{
    if (stored.isEmpty() || typed.isEmpty())
        return false;
    const QString folded = fold(typed);
    if (!isHash(stored))
        return fold(stored) == folded;
    if (!ready())
        return false;
    return verifyHash(stored, folded) || (folded != typed && verifyHash(stored, typed));
}

bool needsRehash(const QString& stored)
{
    if (!isHash(stored) || !ready())
        return true;
    const QByteArray h = stored.toLatin1();
    return crypto_pwhash_str_needs_rehash(h.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0;
}

bool needsRehash(const QString& stored, const QString& typed)
{
    if (needsRehash(stored))
        return true;
    const QString folded = fold(typed);
    return folded != typed && !verifyHash(stored, folded);
}

} // namespace PasswordHash
