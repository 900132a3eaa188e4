#pragma once
// The database schema and its installer. The installer creates every table of
// the system in its column order (inserts that give their values by position
// rely on it), gives users without a level the level "single", adds the two
// newer columns of takafol, and on an empty database seeds the administrator
// and the administrator's right on the users page. It may be run any number of
// times: a table or column that exists is left as it is and is no failure;
// any other failure is reported with its step.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Dialect;

namespace Schema {

struct Failure {
    int step = 0;
    QString what;  // the table or the change of the step
    QString error; // the database's own words
};

// What the current database holds of the program's tables.
struct Contents {
    bool empty = false;          // no table or view at all
    QStringList missingTables;   // the program's tables it lacks
    QStringList missingColumns;  // "table.column": the program's columns its tables lack
    QStringList unknownRequired; // "table.column": a column not the program's that no insert fills
    // The program's own database: its accounts table with every column of it.
    // A database that holds tables but not those is another program's (or
    // its accounts were taken from it): the installer leaves it untouched.
    bool own() const;
    // Whether every table and column the program needs is there, and none
    // of another's refuses its inserts.
    bool complete() const;
    // What is missing or in the way, as one Persian sentence's list (leaving
    // out the tables named in skip).
    QString faults(const QStringList& skip = {}) const;
};
// Reads the current database's tables and columns; throws DbError.
Contents examine();

struct Result {
    bool cancelled = false; // the administrator's password was not given: nothing was done
    // The database is not the program's: nothing was done; the message names what it lacks.
    QString refused;
    // What the program needs and the installer could not give (a column of a
    // table that holds rows, a column of another's that refuses inserts), in Persian.
    QString faults;
    QList<Failure> failures;
    // Unique indexes not made because rows already break them: one Persian
    // sentence each, naming the rows. The installer goes on without them.
    QStringList notUnique;
    bool ok() const { return !cancelled && refused.isEmpty() && faults.isEmpty() && failures.isEmpty(); }
};

// Runs every step on the current database: an empty one, or the program's own
// (whose missing tables it makes; a live database's rows are written under
// the keys their writers take). Any other database is left as it is
// (Result::refused). When the users table is to be made,
// the administrator's first password is adminPassword or, without it, asked
// through Msg (twice, equal, not empty); it is stored hashed.
Result install(const std::optional<QString>& adminPassword = std::nullopt);

// Where the server allows it, indexes that make the "contains" searches of
// the log viewer (the user, the action text) and of the phone book fast;
// install makes them, each once however many workstations install at once.
// False when the server refused them: nothing else changes, the searches are
// only slower.
bool ensureContainsIndexes();
// The name of the index of a column's "contains" searches (whether the server
// allowed it or not), also of the kept texts ("k") of a column's table of
// texts; empty for a column that has none.
QString containsIndexName(const QString& table, const QString& column);
// Indexes of the columns that the lists' scopes search on, of the phone
// book's names in the order it lists them, and where the backend has them
// (Dialect::indexesTitleSorts) of the log's columns in the order of a sort
// by a clicked title; install makes them.
// False when the database refused them: the lists are only slower.
bool ensureSearchIndexes();
// Whether a column's "contains" searches test its few distinct values, listed
// through its index, rather than every row.
bool containsAmongFewValues(const QString& table, const QString& column);
// The table of a column's distinct texts that its "contains" searches test
// (Dialect::createContainsTexts), where the backend keeps one (whether the
// server allowed it or not); empty otherwise.
QString containsTextsName(const QString& table, const QString& column);

// The unique indexes of what is really unique: a person's national code
// (when not empty) and an account's login; install makes them. Each one that
// rows already break is left out, and its sentence says which rows.
QStringList ensureUniqueIndexes();

// Shows the outcome: "all settings done" when every step succeeded, otherwise
// the failed steps and what the database still lacks; a database that is not
// the program's, with what it lacks. Nothing when the run was cancelled.
void report(const Result& result);

// The installer as the settings window runs it: connect by the login window's
// choice, install, report. Nothing is sent when the connection fails.
void run();

// Every table the installer makes, in its order.
QStringList tableNames();
// The number of characters a text column holds, as the installer makes it
// (users.us: 25); 0 for a column of another type, or an unknown one.
int columnWidth(const QString& table, const QString& column);
// Whether a column of that name holds amounts of money in some table.
bool holdsMoney(const QString& column);
// The CREATE TABLE statement of one of them in a dialect (empty for an unknown name).
QString createStatement(const Dialect& dialect, const QString& table);

} // namespace Schema
