#pragma once
// Every key of the serialising mechanism (Sql::exclusive), named once. A
// command that must hold against another workstation takes the keys of what
// it checks and writes, from here, through exclusive_save (core/exclusive_save.h)
// or Entry; the data layer takes them in the order below, whatever order a
// command lists them in:
//
//   1. tables, in this order: rights, persons, accounts, hierarchies,
//      dependants, then every other table by name (the rights first: every
//      write of a page takes their key shared with its own keys, to check
//      the clerk's right, and a key the write takes later comes after it);
//   2. records (one row, or the rows of one owner), by name.
//
// A table's key is taken exclusively by a command that checks or writes the
// table as a whole (a duplicate check, a replace, a switch of many rows), and
// shared by a write of one row (Entry does it), so that the whole-table
// command and the single-row writers end one after the other, while writers
// of different rows do not wait for each other.

#include "platform/db/sql.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace Keys {

// ---- Tables ----
// The persons: a national code checked or carried to the accounts and
// hierarchies, a person added or deleted, the insurance of many switched.
LockKey persons(bool shared = false);
// The accounts: a login checked or set, an account added for a person.
LockKey accounts(bool shared = false);
// The rights rows of every account (one row per account and page): written
// by a rights save and a new person's account; shared by every write of a
// page, which checks the clerk's right on it (exclusive_save with a PageWrite).
// The standing of every account too (there, active, its level): shared by
// every write of a signed-in clerk, which checks the clerk's account as
// stored (core/account_now.h); held whole by an account's delete (a person's
// takes its account along) and an edit of an account's row.
LockKey rights(bool shared = false);
// Both approval hierarchies.
LockKey hierarchies(bool shared = false);
// The dependants.
LockKey dependants(bool shared = false);
// Any other table, by its name (the gazetteer, the phone book, a settings
// list, a request table, the stored files of a table, the card serials).
LockKey table(const QString& name, bool shared = false);

// ---- Records ----
// One row of a table: its edits, approvals and the rows that hang on it.
LockKey record(const QString& table, qint64 id);
// The rows of one owner in a table (an account's scope, a sender's messages,
// a suite's reservations).
LockKey rowsOf(const QString& table, qint64 owner);

// ---- Rows that belong to another ----
// A row that hangs on a row of another table, its owner (a person's documents
// and dependants, a request's travellers, a suite's pictures, an account's
// rights), is written only while the owner is there. Every pair is named
// once, in belongings() below, with the keys that every delete of an owner
// row takes: a writer of such rows takes ownerKeys() (the same keys, shared
// where they hold a whole table), so that its check and its write never
// interleave with that delete, and asks ownerThere() inside them; when the
// owner is gone it writes nothing and the clerk is told the pair's words.
//
//     const Keys::Belonging& pair = Keys::belonging("personel_pic", "personel_id");
//     bool gone = false;
//     exclusive_save(Keys::ownerKeys(pair, person) + more, QString(), [&] {
//         gone = !Keys::ownerThere(pair, person);
//         if (!gone)
//             Sql::insert("personel_pic", values);
//     });
//     if (gone)
//         Msg::info(pair.gone);
struct Belonging {
    QString child;  // the table of the rows that belong: "personel_pic"
    QString column; // its column of the owner's id: "personel_id"
    QString owner;  // the owner's table: "personel"
    // The keys every delete of one owner row takes (besides what else it takes).
    std::function<QList<LockKey>(qint64 ownerId)> deleteKeys;
    // What the clerk is told when the owner is gone.
    QString gone;
};
// Every pair.
const QList<Belonging>& belongings();
// The pair of a child table's column; nullptr when the column names no owner.
const Belonging* belongingOf(const QString& child, const QString& column);
// The same for a pair the program names (a missing one is a fault of the program).
const Belonging& belonging(const QString& child, const QString& column);
// The keys a delete of the owner row takes (the same for every pair of that owner).
QList<LockKey> deleteKeys(const QString& owner, qint64 ownerId);
// The keys of a write of rows that belong to that owner row: the tables of
// the delete's keys shared, and the owner's row where the delete holds no
// table whole.
QList<LockKey> ownerKeys(const Belonging& pair, qint64 ownerId);
// Whether the owner row is there, read inside ownerKeys. An id that is no
// whole number is no owner. Throws DbError.
bool ownerThere(const Belonging& pair, const QVariant& ownerId);

// ---- Writes without a key ----
// Every write runs under a key of its table, but for the few named here and
// in lock_keys.cpp (the tables whose rows are only appended, the log), and
// the scopes made with one of the reasons of Why (the only way to make a
// Sql::UnkeyedScope). The test build's guard (Sql::setWriteGuard) stops any
// other write, and a key taken against the order of keys.
class Unkeyed {
public:
    enum class Why {
        Installer, // the installer's statements on a new database, before anyone uses it
    };
    explicit Unkeyed(Why why);

private:
    static const char* whyText(Why why);
    Sql::UnkeyedScope m_scope;
};

// Turns the guard of writes on (the test build does; report is told each
// offence) or off (an empty report).
void guardWrites(Sql::Offence report);

} // namespace Keys
