#pragma once
// Passwords of user accounts: users.ps holds a salted, slow hash
// (libsodium's crypto_pwhash_str, Argon2id), never the password itself.
// Accounts written before hashing hold plain text; the login tells the two
// apart and replaces plain text by a hash once the password was right.
// Digits count as their ASCII digits on both sides of every check and hash, so
// a password typed on a Persian keyboard matches one made from ASCII digits
// (the mobile number); every other character counts as it is.

#include <QString>
#include <optional>

namespace PasswordHash {

// The longest hash text (fits users.ps).
constexpr int MaxLength = 128;

// The password as it is hashed and compared: Persian and Arabic-Indic digits
// as ASCII digits, the rest untouched.
QString fold(const QString& password);
// A new hash of the folded password (its UTF-8 bytes), with a fresh salt.
// Empty only when the machine cannot spare the memory the hash needs.
QString hash(const QString& password);
// The hash of a password about to be saved; when it cannot be made, the user
// is told so in one Persian message and nothing may be written (nullopt).
std::optional<QString> hashForSaving(const QString& password);
// Whether stored is a hash made by hash() (otherwise it is legacy plain text).
bool isHash(const QString& stored);
// Whether the typed password matches what is stored: a hash is checked by
// libsodium (a hash made before digits were folded matches the password as
// typed then); legacy plain text is compared folded. An empty password never
// matches, nor does anything an empty stored text: such an account has no
// usable password until one is set.
bool verify(const QString& stored, const QString& typed);
// Whether stored should be replaced by a new hash (plain text, or a hash made
// with weaker settings than today's).
bool needsRehash(const QString& stored);
// The same after typed matched stored: also when it matched only unfolded.
bool needsRehash(const QString& stored, const QString& typed);

} // namespace PasswordHash
