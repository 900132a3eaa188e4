#include "places.h"

#include "core/list_behaviours.h"
#include "platform/db/sql.h"
#include "platform/ui/text_input.h"

#include <QComboBox>
#include <QSet>
#include <QSignalBlocker>

namespace Places {

namespace {

// Place names are compared folded: the stored form of typed text (the Persian
// and final-form yeh as the Arabic yeh) with either kaf as the Arabic kaf, so
// that rows imported or typed before folding match what is typed now.
QString folded(const QString& name)
{
    QString text = TextInput::normalize(name);
    text.replace(QChar(TextInput::Keheh), QChar(TextInput::ArabicKaf));
    return text;
}

// The condition that a gazetteer column, folded in the statement, equals a
// folded name; the column is the gazetteer's own name, the letters and the
// name are bound.
void foldedEqual(QString& where, QVariantList& values, const QString& column, const QString& name)
{
    where += (where.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and ")) +
             QStringLiteral("replace(replace(replace(%1, ?, ?), ?, ?), ?, ?)=?").arg(column);
    using namespace TextInput;
    values << QString(QChar(PersianYeh)) << QString(QChar(ArabicYeh)) << QString(QChar(FinalYeh))
           << QString(QChar(ArabicYeh)) << QString(QChar(Keheh)) << QString(QChar(ArabicKaf)) << folded(name);
}

QString distinct_sql(const QString& column, const QString& where)
{
    const QString order = Database::current().dialect().persianOrder(column);
    return QStringLiteral("select %1 from abadiha%2 group by %1 order by %3").arg(column, where, order);
}

// The distinct values of a column in their stored form, each once however
// the rows spell it (the first spelling in the order kept); an empty value
// (a place without that name) is no item.
QStringList column_of(const QString& sql, const QVariantList& values, const QString& column)
{
    QStringList items;
    QSet<QString> seen;
    QSqlQuery q = Sql::exec(sql, values);
    while (Sql::next(q)) {
        const QString item = TextInput::normalize(q.value(column).toString());
        if (item.trimmed().isEmpty())
            continue;
        if (!seen.contains(folded(item))) {
            seen.insert(folded(item));
            items << item;
        }
    }
    Sql::checkRead(q);
    return items;
}

QStringList distinct(const QString& column, const QList<QPair<QString, QString>>& equal)
{
    QString where;
    QVariantList values;
    for (const auto& [name, value] : equal)
        foldedEqual(where, values, name, value);
    return column_of(distinct_sql(column, where), values, column);
}

} // namespace

QStringList provinces()
{
    return distinct(QStringLiteral("ostan"), {});
}

QStringList counties(const QString& province)
{
    return distinct(QStringLiteral("city"), {{QStringLiteral("ostan"), province}});
}

bool pairExists(const QString& province, const QString& county)
{
    QString where;
    QVariantList values;
    foldedEqual(where, values, QStringLiteral("ostan"), province);
    foldedEqual(where, values, QStringLiteral("city"), county);
    return Sql::exists(QStringLiteral("select id from abadiha") + where, values);
}

MissingName missingName(const QString& province, const QString& county)
{
    if (province.trimmed().isEmpty())
        return MissingName::Province;
    if (county.trimmed().isEmpty())
        return MissingName::County;
    return MissingName::None;
}

void fillProvinces(const QList<QComboBox*>& lists)
{
    QStringList items;
    if (Db::guard([&] { items = provinces(); }))
        fill_list_items(lists, items);
}

void fillCounties(QComboBox* list, const QString& province)
{
    fillDistinct(list, QStringLiteral("city"), {{QStringLiteral("ostan"), province}});
}

void provinceChanged(QComboBox* county, const QString& province)
{
    fillCounties(county, province);
    const QString chosen = folded(county->currentText());
    if (chosen.isEmpty())
        return;
    for (int i = 0; i < county->count(); ++i)
        if (folded(county->itemText(i)) == chosen)
            return;
    const QSignalBlocker quiet(county);
    county->setCurrentIndex(-1);
    county->setEditText(QString());
}

void fillDistinct(QComboBox* list, const QString& column, const QList<QPair<QString, QString>>& equal)
{
    QStringList items;
    if (Db::guard([&] { items = distinct(column, equal); }))
        fill_list_items({list}, items);
}

} // namespace Places
