#pragma once
// Letters and forms printed for one request: a report design of the window set
// whose named labels get captions from the request as listed, from its owner's
// person row and from the signatories of the settings lists, then the preview.
// A value that is missing (no owner, an empty settings list) prints empty.
//
//     const QList<LetterCaption> A51 = {
//         Letter::person("ostan", "ostan"),  Letter::column("typ", "typ"),
//         Letter::fullName("fname"),         Letter::signatory("raeis_edari", RequestText::SignatoryAdministration),
//     };
//     print_letter("vam_chap", list->currentRow(), A51, this);

#include <QList>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

class QWidget;

// What one letter is filled from: the request's row as listed (joined with
// its owner's person row) and the owner's person row, read when first asked.
class LetterSource {
public:
    explicit LetterSource(QVariantMap row) : m_row(std::move(row)) {}
    const QVariantMap& row() const { return m_row; }
    const QVariantMap& person() const; // throws DbError
private:
    QVariantMap m_row;
    mutable std::optional<QVariantMap> m_person;
};

struct LetterCaption {
    QString label;
    std::function<QString(const LetterSource&)> value;
    // The label is a box, filled black where the value is not empty.
    bool box = false;
};

namespace Letter {
// A column of the request's row.
LetterCaption column(const QString& label, const QString& column);
// "first-name surname" of the row.
LetterCaption fullName(const QString& label);
// A column of the owner's person row.
LetterCaption person(const QString& label, const QString& column);
// The name under a signatory's title in the settings.
LetterCaption signatory(const QString& label, const QString& title);
// The item of a list of the provincial settings for the owner's province, or
// otherwise when that province keeps none.
LetterCaption provincial(const QString& label, const QString& listName, const QString& otherwise = QString());
// A fixed text.
LetterCaption text(const QString& label, const QString& text);
// An amount of money of the request's row, in rials grouped by three ("12,345,000").
LetterCaption amount(const QString& label, const QString& column);
// A box that is filled black when filled says so, and left empty otherwise.
LetterCaption filledBox(const QString& label, const std::function<bool(const LetterSource&)>& filled);
} // namespace Letter

// Fills the captions of the report sheet of that window-set name and shows its
// preview. Nothing happens for an empty row (no current request). False when
// it could not be filled (after the database's message).
bool print_letter(const QString& sheet, const QVariantMap& row, const QList<LetterCaption>& captions,
                  QWidget* parent = nullptr);
// The same for a letter with a detail band per row that details reads
// (column -> value, such as a ticket's travellers); without rows the letter
// prints its other bands.
using LetterDetails = std::function<QList<QVariantMap>(const LetterSource&)>;
bool print_letter(const QString& sheet, const QVariantMap& row, const QList<LetterCaption>& captions,
                  const LetterDetails& details, QWidget* parent = nullptr);
