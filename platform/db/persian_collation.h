#pragma once
// Persian alphabetical order for the embedded database: a collation registered
// on the SQLite connection, comparing with ICU's Persian collator, so that
// پ follows ب, چ follows ج, ژ follows ز and گ follows ک.

#include <QString>

class QSqlDatabase;
struct sqlite3;

namespace PersianCollation {
// The collation's name in SQL ("... order by lname collate persian").
QString name();
// Registers the collation on an open QSQLITE connection; false when it cannot.
bool registerOn(QSqlDatabase& db);
// The same on a connection opened through SQLite itself (a backup's copy, checked).
bool registerOn(sqlite3* handle);
// Compares two texts in Persian order (<0, 0, >0).
int compare(const QString& a, const QString& b);
}
