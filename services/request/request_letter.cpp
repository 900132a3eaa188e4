#include "request_letter.h"

#include "core/setting_values.h"
#include "platform/db/money.h"
#include "platform/db/sql.h"
#include "platform/report/elements.h"
#include "platform/report/report_sheet.h"
#include "platform/ui/window_set.h"

#include <QLocale>
#include <QStandardItemModel>

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

LetterCaption provincial(const QString& label, const QString& listName, const QString& otherwise)
{
    return {label, [listName, otherwise](const LetterSource& s) {
                const QString item =
                    setting_ost_value(s.person().value(QStringLiteral("ostan")).toString(), listName);
                return item.isEmpty() ? otherwise : item;
            }};
}

LetterCaption text(const QString& label, const QString& text)
{
    return {label, [text](const LetterSource&) { return text; }};
}

LetterCaption amount(const QString& label, const QString& column)
{
    return {label, [column](const LetterSource& s) {
                return QLocale(QLocale::English).toString(Money::fromDb(s.row().value(column)));
            }};
}

LetterCaption filledBox(const QString& label, const std::function<bool(const LetterSource&)>& filled)
{
    return {label, [filled](const LetterSource& s) { return filled(s) ? QStringLiteral("1") : QString(); }, true};
}

} // namespace Letter

bool print_letter(const QString& sheet, const QVariantMap& row, const QList<LetterCaption>& captions,
                  QWidget* parent)
{
    return print_letter(sheet, row, captions, LetterDetails(), parent);
}

bool print_letter(const QString& sheet, const QVariantMap& row, const QList<LetterCaption>& captions,
                  const LetterDetails& details, QWidget* parent)
{
    auto* letter = win<ReportSheet>(sheet);
    if (row.isEmpty() || !letter)
        return false;
    const LetterSource source(row);
    QStringList filled;
    QList<QVariantMap> rows;
    if (!Db::guard([&] {
            for (const LetterCaption& c : captions)
                filled.append(c.value(source));
            if (details)
                rows = details(source);
        }))
        return false;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const LetterCaption& c = captions[i];
        if (!c.box)
            letter->report().setCaption(c.label, filled[i]);
        else if (auto* box = letter->report().find<ReportText>(c.label))
            box->background = filled[i].isEmpty() ? QColor() : QColor(Qt::black);
    }
    if (details) {
        // The rows stay with the sheet until its next print.
        auto* model = letter->findChild<QStandardItemModel*>(QString(), Qt::FindDirectChildrenOnly);
        if (!model)
            model = new QStandardItemModel(letter);
        model->clear();
        const QStringList columns = rows.isEmpty() ? QStringList() : rows.first().keys();
        model->setHorizontalHeaderLabels(columns);
        for (const QVariantMap& r : std::as_const(rows)) {
            QList<QStandardItem*> items;
            for (const QString& column : columns)
                items << new QStandardItem(r.value(column).toString());
            model->appendRow(items);
        }
        letter->report().setModel(model);
    }
    letter->Preview(parent);
    return true;
}
