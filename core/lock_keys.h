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

#include <QString>

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
