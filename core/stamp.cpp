#include "stamp.h"

#include "core/shamsi_date.h"

namespace {

QDate g_testDate;

Row withStamps(Row values, const QStringList& columns)
{
    const QString today = Stamp::serverShamsiDate();
    for (const QString& c : columns)
        values.append({c, today});
    return values;
}

} // namespace

namespace Stamp {

QString serverShamsiDate()
{
    const QDate d = g_testDate.isValid() ? g_testDate : Sql::serverDate();
    uint16_t y = uint16_t(d.year()), m = uint16_t(d.month()), day = uint16_t(d.day());
    return miladi_to_shamsi(y, m, day);
}

qint64 insert(const QString& table, const Row& values, const QStringList& stampColumns, Sql::Where where)
{
    return Sql::insert(table, withStamps(values, stampColumns), where);
}

int update(const QString& table, const QStringList& stampColumns, const QString& condition,
           const QVariantList& conditionValues, const Row& values, Sql::Where where)
{
    return Sql::update(table, withStamps(values, stampColumns), condition, conditionValues, where);
}

void setServerDateForTests(const QDate& date) { g_testDate = date; }

} // namespace Stamp
