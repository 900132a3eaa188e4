#include "request_letter.h"

#include "core/setting_values.h"
#include "platform/db/sql.h"
#include "platform/report/report_sheet.h"
#include "platform/ui/window_set.h"

const QVariantMap& LetterSource::person() const
{
    if (!m_person)
        m_person = Sql::row(QStringLiteral("select * from personel where id=?"),
                            {m_row.value(QStringLiteral("personel_id")).toLongLong()});
    return *m_person;
}

namespace Letter {

LetterCaption column(const QString& label, const QString& column)
{
    return {label, [column](const LetterSource& s) { return s.row().value(column).toString(); }};
}

LetterCaption fullName(const QString& label)
{
    return {label, [](const LetterSource& s) {
                return s.row().value(QStringLiteral("fname")).toString() + QLatin1Char(' ') +
                       s.row().value(QStringLiteral("lname")).toString();
            }};
}

LetterCaption person(const QString& label, const QString& column)
{
    return {label, [column](const LetterSource& s) { return s.person().value(column).toString(); }};
}

LetterCaption signatory(const QString& label, const QString& title)
{
    return {label, [title](const LetterSource&) { return setting_value(title); }};
}

LetterCaption text(const QString& label, const QString& text)
{
    return {label, [text](const LetterSource&) { return text; }};
}

} // namespace Letter

bool print_letter(const QString& sheet, const QVariantMap& row, const QList<LetterCaption>& captions,
                  QWidget* parent)
{
    auto* letter = win<ReportSheet>(sheet);
    if (row.isEmpty() || !letter)
        return false;
    const LetterSource source(row);
    QList<QPair<QString, QString>> filled;
    if (!Db::guard([&] {
            for (const LetterCaption& c : captions)
                filled.append({c.label, c.value(source)});
        }))
        return false;
    for (const auto& [label, caption] : std::as_const(filled))
        letter->report().setCaption(label, caption);
    letter->Preview(parent);
    return true;
}
