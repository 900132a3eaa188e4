#pragma once
// Usage: qint64 amount = Money::fromDb(query.value("mablagh")); // every money value read from the database
//
// Amounts of money are whole rials held in a signed 64-bit integer. Every
// backend's money column holds up to Money::Max: SQL Server's money tops out
// at 922,337,203,685,477 and the numeric(19,4) columns of the others at 15
// digits before the point.

#include <QVariant>
#include <QtGlobal>

namespace Money {

// The largest amount every backend stores.
inline constexpr qint64 Max = 922337203685477;

// A money value as the database gave it, in whole rials: NULL is 0; integers
// as they are; reals and decimal text ("2500000.0000", "-12.5000", as
// PostgreSQL's numeric and SQL Server's money are read) rounded half away
// from zero. Anything else throws DbError.
qint64 fromDb(const QVariant& value);

} // namespace Money
