#pragma once
// Stamping a row with the server's date. Request, approval and change dates
// are Persian text (yyyy/mm/dd); the day is the database server's, not the
// workstation's. The server's date is read, converted to Persian text and
// written in the same statement that inserts or updates the row, so a stamped
// column never holds anything but the Persian date of the stamping day.
//
//     Stamp::insert("vam", {{"personel_id", id}, {"typ", typ}}, {"ersal_dat"});
//     Stamp::update("vam", {"taeed_dat"}, "id = ?", {id});
//
// A database error throws DbError (see platform/db/sql.h).

#include "platform/db/sql.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace Stamp {

// The server's today as Persian date text (one plain read of the server's date).
QString serverShamsiDate();

// INSERT of values plus every stamp column set to the server's Persian date;
// returns the new row's id. where: the caller's line, for the guard of writes.
qint64 insert(const QString& table, const Row& values, const QStringList& stampColumns,
              Sql::Where where = Sql::Where::current());
// UPDATE of values plus every stamp column set to the server's Persian date;
// returns the number of rows changed.
int update(const QString& table, const QStringList& stampColumns, const QString& condition,
           const QVariantList& conditionValues = {}, const Row& values = {}, Sql::Where where = Sql::Where::current());

// Tests: the server's date is taken as this day until reset with an invalid date.
void setServerDateForTests(const QDate& date);

} // namespace Stamp
