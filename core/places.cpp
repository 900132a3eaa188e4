#include "places.h"

#include "core/list_behaviours.h"
#include "platform/db/sql.h"

namespace Places {

namespace {

QString distinct_sql(const QString& column, const QString& where)
{
    const QString order = Database::current().dialect().persianOrder(column);
    return QStringLiteral("select %1 from abadiha%2 group by %1 order by %3").arg(column, where, order);
}

QStringList column_of(const QString& sql, const QVariantList& values, const QString& column)
{
    QStringList items;
    QSqlQuery q = Sql::exec(sql, values);
    while (q.next())
        items << q.value(column).toString();
    return items;
}

} // namespace

QStringList provinces()
{
    return column_of(distinct_sql(QStringLiteral("ostan"), {}), {}, QStringLiteral("ostan"));
}

QStringList counties(const QString& province)
{
    return column_of(distinct_sql(QStringLiteral("city"), QStringLiteral(" where ostan=?")), {province},
                     QStringLiteral("city"));
}

bool pairExists(const QString& province, const QString& county)
{
    return Sql::exists(QStringLiteral("select id from abadiha where ostan=? and city=?"), {province, county});
}

void fillProvinces(const QList<QComboBox*>& lists)
{
    fill_list_from_query(lists, distinct_sql(QStringLiteral("ostan"), {}), {}, QStringLiteral("ostan"));
}

void fillCounties(QComboBox* list, const QString& province)
{
    fillDistinct(list, QStringLiteral("city"), {{QStringLiteral("ostan"), province}});
}

void fillDistinct(QComboBox* list, const QString& column, const QList<QPair<QString, QString>>& equal)
{
    // The columns are the gazetteer's own names; only the values are bound.
    QString where;
    QVariantList values;
    for (const auto& [name, value] : equal) {
        where += (where.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and ")) + name + QStringLiteral("=?");
        values << value;
    }
    fill_list_from_query({list}, distinct_sql(column, where), values, column);
}

} // namespace Places
