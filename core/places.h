#pragma once
// The gazetteer (table abadiha): the source of every province and county list
// and the check that a province and a county belong together. Names are
// compared folded (either yeh, either kaf), and listed in the stored form of
// typed text, each once, whichever way the rows spell them; a place without
// a name in a column gives that column's list no empty item.

#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;

namespace Places {

// The distinct provinces, in Persian alphabetical order. Throws DbError.
QStringList provinces();
// The distinct counties of a province, in Persian alphabetical order. Throws DbError.
QStringList counties(const QString& province);
// Whether the gazetteer has a place with this province and this county. Throws DbError.
bool pairExists(const QString& province, const QString& county);

// The rule of a place, however it comes in (typed in the entry window, a row
// of an imported sheet): it names its province and its county. The first of
// the two that is blank (spaces only count as blank), or None.
enum class MissingName { None, Province, County };
MissingName missingName(const QString& province, const QString& county);

// Fills drop-down lists with the provinces; the texts in the boxes stay. On a
// database error the message is shown and the lists keep their items.
void fillProvinces(const QList<QComboBox*>& lists);
// Fills a drop-down list with the counties of a province, the same way.
void fillCounties(QComboBox* list, const QString& province);
// After the user changed the province: the county list holds that province's
// counties, and a county of another province leaves the box.
void provinceChanged(QComboBox* county, const QString& province);
// Fills a drop-down list with the distinct values of a gazetteer column among
// the places whose columns hold the given values, the same way.
void fillDistinct(QComboBox* list, const QString& column, const QList<QPair<QString, QString>>& equal);

} // namespace Places
