#include "entry.h"

#include "core/list_behaviours.h"
#include "core/mon_edit.h"
#include "core/texts.h"
#include "platform/db/money.h"
#include "platform/ui/masked_box.h"
#include "platform/ui/msg.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QWidget>
#include <cmath>

namespace {

QString text_of(const QWidget* box)
{
    if (auto* masked = qobject_cast<const MaskedBox*>(box))
        return masked->value();
    if (auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    if (auto* list = qobject_cast<const QComboBox*>(box))
        return list->currentText();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(box))
        return plain->toPlainText();
    if (auto* label = qobject_cast<const QLabel*>(box))
        return label->text();
    return QString();
}

// Shows a text in a list: its item when it has one; otherwise the text stays
// in the box (a list that cannot be typed into gets it as an item of its own).
void show_in_list(QComboBox* list, const QString& text)
{
    int at = list->findText(text);
    if (at < 0 && !list->isEditable() && !text.isEmpty()) {
        list->addItem(text);
        at = list->count() - 1;
    }
    list->setCurrentIndex(at);
    if (list->isEditable())
        list->setEditText(text);
}

void set_text(QWidget* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    if (auto* masked = qobject_cast<MaskedBox*>(box))
        masked->setValue(text);
    else if (auto* money = qobject_cast<TMonEdit*>(box))
        money->setAmountText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else if (auto* list = qobject_cast<QComboBox*>(box)) {
        const QSignalBlocker quietLine(list->lineEdit());
        show_in_list(list, text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        plain->setPlainText(text);
    else if (auto* label = qobject_cast<QLabel*>(box))
        label->setText(text);
}

} // namespace

Entry::Entry(const QString& table, QWidget* window) : QObject(window), m_table(table)
{
    window->installEventFilter(this);
}

void Entry::bind(const QList<QPair<QWidget*, QString>>& boxes)
{
    m_boxes += boxes;
    // A date or time box holds what its mask holds.
    for (const auto& [box, column] : boxes)
        if (!qobject_cast<MaskedBox*>(box))
            limit_to_column(box, m_table, column);
}

void Entry::settingList(QComboBox* box, const QString& listName, SettingOrder order)
{
    m_lists.append({box, listName, order});
}

void Entry::refillLists()
{
    for (const auto& [box, listName, order] : m_lists) {
        const QString text = box->currentText();
        const QSignalBlocker quiet(box);
        const QSignalBlocker quietLine(box->lineEdit());
        fill_combo_from_setting(box, listName, order);
        show_in_list(box, text);
    }
}

bool Entry::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched == parent())
        refillLists();
    return false;
}

void Entry::modeButtons(QWidget* insert, QWidget* edit)
{
    m_insert = insert;
    m_edit = edit;
    showMode();
}

void Entry::showMode()
{
    if (m_insert)
        m_insert->setVisible(!isEdit());
    if (m_edit)
        m_edit->setVisible(isEdit());
}

void Entry::openNew()
{
    m_id = -1;
    for (const auto& [box, column] : m_boxes)
        set_text(box, QString());
    showMode();
}

void Entry::openEdit(const QVariantMap& row)
{
    m_id = row.value(QStringLiteral("id")).toLongLong();
    fill(row);
    showMode();
}

void Entry::fill(const QVariantMap& row)
{
    for (const auto& [box, column] : m_boxes) {
        if (!row.contains(column))
            continue;
        if (auto* money = qobject_cast<TMonEdit*>(box)) {
            const QSignalBlocker quiet(money);
            money->setValue(Money::fromDb(row.value(column)));
        } else {
            set_text(box, row.value(column).toString());
        }
    }
}

std::optional<Row> Entry::values() const
{
    Row values;
    for (const auto& [box, column] : m_boxes) {
        if (auto* masked = qobject_cast<MaskedBox*>(box); masked && masked->state() == MaskedBox::Partial) {
            Msg::info(qobject_cast<TimeBox*>(box) ? CoreText::TimeHalfTyped : CoreText::DateHalfTyped);
            box->setFocus();
            return std::nullopt;
        }
        // An amount is the whole number of rials the money box shows.
        if (auto* money = qobject_cast<TMonEdit*>(box))
            values.append({column, qint64(money->GetValue())});
        else
            values.append({column, text_of(box)});
    }
    return values;
}

std::optional<qint64> Entry::insert(const Row& values, const std::function<void(qint64 id)>& more) const
{
    qint64 id = 0;
    const bool done = Db::guard([&] {
        Sql::transaction([&] {
            id = Sql::insert(m_table, values);
            if (more)
                more(id);
        });
    });
    if (!done)
        return std::nullopt;
    return id;
}

bool Entry::updateInTransaction(const Row& values) const
{
    return Sql::update(m_table, values, QStringLiteral("id=?"), {m_id}) > 0;
}

bool Entry::update(const Row& values, const std::function<void()>& more) const
{
    bool there = false;
    const bool done = Db::guard([&] {
        Sql::transaction([&] {
            there = updateInTransaction(values);
            if (there && more)
                more();
        });
    });
    if (done && !there)
        sayGone();
    return done && there;
}

void Entry::sayGone()
{
    Msg::info(CoreText::RecordGone);
}

void drop_column(Row& values, const QString& column)
{
    values.removeIf([&](const QPair<QString, QVariant>& v) { return v.first == column; });
}

QVariant column_value(const Row& values, const QString& column)
{
    for (const auto& [name, value] : values)
        if (name == column)
            return value;
    return {};
}
