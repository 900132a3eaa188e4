#pragma once
// The supplementary health insurance of staff and their dependants, and the
// charge onto staff bank cards: the commands of the personnel list that act
// on its current person or on every person it lists.
//
//     const FamilyHead head = FamilyHead::fromRow(list->currentRow());
//     if (Insurance::askSwitchFamily(head, true))     // the question, one transaction
//         list->reload();
//     Insurance::exportInsurerList(Insurance::insurerSelection(Session::user(), filters));
//     Insurance::printLetter(head, this);              // the A5 request letter
//     Insurance::printChargeList(listedRows, this);     // the card-charge list

#include "core/list_window.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <optional>

struct CurrentUser;
class Database;
class QWidget;

// The head of a family as the windows of the family need it: taken from the
// personnel list's row when the command starts, so that another search of
// the list meanwhile changes nothing.
struct FamilyHead {
    QVariant id; // personel.id
    QString fname;
    QString lname;
    QString father;
    QString birthday;
    QString nation;
    QString bime_no;

    static FamilyHead fromRow(const QVariantMap& row);
    bool isValid() const { return id.isValid() && !id.isNull(); }
};

namespace Insurance {

// Whether the current user may run a command for the administrator only;
// otherwise the message that sends others to the dependants window is shown.
bool adminOnly();

// One family in or out of the insurance: the person and every dependant, in
// one transaction. False after a database error's message, or after the
// message that the person was deleted (by another workstation; nothing written).
bool switchFamily(const QVariant& personId, bool insured);
// The same for every listed family, all in one transaction; a person deleted
// meanwhile is passed over.
bool switchFamilies(const QVariantList& personIds, bool insured);
// The commands: the administrator check, the question (with the person's name,
// or the number of persons), then the switch. True when something changed
// and the list should be read again.
bool askSwitchFamily(const FamilyHead& head, bool insured);
bool askSwitchFamilies(const QVariantList& personIds, bool insured);

// The personnel list's filters that take part in the insurer's list, each
// set while its box is switched on.
struct ListFilters {
    std::optional<QString> lname;      // contained in the surname
    std::optional<QStringList> places; // the service place contains one of them
    std::optional<QString> semat;      // contained in the post
    QString gender;                    // equal; empty: both
    std::optional<QString> nation;     // equal to the national code
    std::optional<QString> vahed;      // contained in the unit
    std::optional<QString> hamkari;    // contained in the kind of cooperation
    std::optional<QString> company;    // contained in the company
};

// The persons whose families the insurer's list holds (" and ..." over
// personel, with its values): the user's scope for this list, then the filters.
Condition insurerSelection(const CurrentUser& user, const ListFilters& filters);

// The insurer's list, read in one statement: the insured heads and the
// insured dependants of the selected persons, family by family (the head
// first), each row with the 17 values the insurer asks for.
QStringList insurerColumns();
QList<QVariantList> insurerRows(const Condition& selection);
// The same on another connection.
QList<QVariantList> insurerRows(Database& db, const Condition& selection);

// The insurer's list as a workbook, opened with the desktop.
bool exportInsurerList(const Condition& selection);
// The national codes of the insurer's list, one a line (CR LF), written to a
// text file in the documents folder named after the list and today's date,
// and opened; administrator only. The file's path, or nothing.
std::optional<QString> writeNationalCodes(const Condition& selection);

// The amount charged to every listed card, as the user typed it.
struct ChargeTexts {
    QString perRow; // grouped by thousands, or the typed text when it is no number
    QString total;  // the amount times the rows, grouped; empty when it cannot be formed
};
// A whole number typed with Persian, Arabic or ASCII digits, with or without
// group commas and a sign; nothing when the text is no such number.
std::optional<qint64> amountOf(const QString& typed);
// Digits in groups of three from the right, joined by ",", a minus sign kept.
QString groupThousands(qint64 value);
ChargeTexts chargeTexts(const QString& typed, qint64 rows);

// The A5 request letter of one family: the head and the insured dependants,
// read for the letter alone. Shown in the preview.
void printLetter(const FamilyHead& head, QWidget* parent = nullptr);
// The card-charge list of the listed persons (fname, lname, pec of each): the
// amount asked for, every row charged with it, the total of the rows printed.
void printChargeList(const QList<QVariantMap>& persons, QWidget* parent = nullptr);

} // namespace Insurance
