#include "entry.h"

#include "core/exclusive_save.h"
#include "core/list_behaviours.h"
#include "core/mon_edit.h"
#include "core/schema.h"
#include "core/texts.h"
#include "platform/db/money.h"
#include "platform/ui/masked_box.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QWidget>
#include <QtDebug>
#include <cmath>
#include <limits>

namespace {

// The digits of the largest number an integer column holds (2147483647).
constexpr int IntDigits = std::numeric_limits<int>::digits10 + 1;

// What a box holds; what was typed or pasted in its stored form.
QString text_of(const QWidget* box)
{
    if (auto* masked = qobject_cast<const MaskedBox*>(box))
        return masked->value();
    if (qobject_cast<const QLineEdit*>(box) || qobject_cast<const QComboBox*>(box) ||
        qobject_cast<const QPlainTextEdit*>(box))
        return TextInput::boxText(box);
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
    if (event->type() == QEvent::Show && watched == parent()) {
        refillLists();
        // The windows make their boxes digits-only after binding them: the
        // number boxes are known by the time the window shows. One digit more
        // than the column's largest number has: a longer number pasted is cut
        // to one still too large, refused by values(), never to a smaller one.
        for (const auto& [box, column] : m_boxes)
            if (auto* line = qobject_cast<QLineEdit*>(box); line && isNumberBox(box, column))
                line->setMaxLength(IntDigits + 1);
    }
    return false;
}

void Entry::modeButtons(QWidget* insert, QWidget* edit)
{
    m_insert = insert;
    m_edit = edit;
    showMode();
}

void Entry::commands(const PageCommand& add, const PageCommand& edit)
{
    m_addRight = add.right;
    m_editRight = edit.right;
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
    m_stored.clear();
    for (const auto& [box, column] : m_boxes)
        set_text(box, QString());
    showMode();
}

void Entry::openEdit(const QVariantMap& row)
{
    m_id = row.value(QStringLiteral("id")).toLongLong();
    keepStored();
    fill(row);
    showMode();
}

QVariantMap stored_record(const QString& table, qint64 id)
{
    return Sql::row(QStringLiteral("select * from %1 where id=?").arg(table), {id});
}

QVariantMap Entry::readStored() const
{
    return stored_record(m_table, m_id);
}

void Entry::keepStored()
{
    m_stored.clear();
    if (!isEdit())
        return;
    // Without it the save only loses its check against other workstations.
    try {
        m_stored = readStored();
    } catch (const DbError& e) {
        qWarning().noquote() << "the record could not be read back:" << e.driverText;
    }
}

RecordNow record_now(const QString& table, qint64 id, const QVariantMap& expected)
{
    const QVariantMap now = stored_record(table, id);
    if (now.isEmpty())
        return RecordNow::Gone;
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        if (now.value(it.key()) != it.value())
            return RecordNow::Changed;
    return RecordNow::Same;
}

void Entry::showChangedElsewhere()
{
    sayChanged();
    keepStored();
    if (!m_stored.isEmpty())
        fill(m_stored);
}

void Entry::sayChanged()
{
    Msg::info(CoreText::RecordChangedElsewhere);
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

bool date_time_usable(MaskedBox* box)
{
    const MaskedBox::State state = box->state();
    if (state == MaskedBox::Empty || state == MaskedBox::Complete)
        return true;
    const bool time = qobject_cast<TimeBox*>(box);
    if (state == MaskedBox::Partial)
        Msg::info(time ? CoreText::TimeHalfTyped : CoreText::DateHalfTyped);
    else
        Msg::info(time ? CoreText::TimeImpossible : CoreText::DateImpossible);
    box->setFocus();
    return false;
}

bool Entry::isNumberBox(const QWidget* box, const QString& column) const
{
    return TextInput::takesDigitsOnly(box) && Schema::columnWidth(m_table, column) == 0;
}

std::optional<Row> Entry::values() const
{
    Row values;
    for (const auto& [box, column] : m_boxes) {
        if (auto* masked = qobject_cast<MaskedBox*>(box); masked && !date_time_usable(masked))
            return std::nullopt;
        // An amount is the whole number of rials the money box shows.
        if (auto* money = qobject_cast<TMonEdit*>(box)) {
            values.append({column, qint64(money->GetValue())});
        } else if (isNumberBox(box, column)) {
            // What was typed, or nothing: never a number the box did not show.
            const QString digits = text_of(box).trimmed();
            bool ok = true;
            const int number = digits.toInt(&ok);
            if (!digits.isEmpty() && !ok) {
                Msg::info(CoreText::NumberTooLarge.arg(std::numeric_limits<int>::max()));
                box->setFocus();
                return std::nullopt;
            }
            values.append({column, digits.isEmpty() ? QVariant() : QVariant(number)});
        } else {
            values.append({column, text_of(box)});
        }
    }
    return values;
}

std::optional<qint64> Entry::insert(const Row& values, const std::function<void(qint64 id)>& more,
                                    const Unique& unique) const
{
    qint64 id = 0;
    bool taken = false;
    // With a rule the table's key is had alone: the check cannot go stale.
    if (!exclusive_save(m_addRight, {Keys::table(m_table, !unique.taken)}, unique.message, [&] {
            taken = unique.taken && unique.taken();
            if (taken)
                return;
            id = Sql::insert(m_table, values);
            if (more)
                more(id);
        }))
        return std::nullopt;
    if (taken) {
        Msg::info(unique.message);
        return std::nullopt;
    }
    return id;
}

void Entry::updateInTransaction(const Row& values) const
{
    Sql::update(m_table, values, QStringLiteral("id=?"), {m_id});
}

Entry::Saved Entry::saveEdit(const QList<LockKey>& keys, const QString& duplicateMessage,
                             const std::function<void()>& body, Allowed allowed)
{
    RecordNow now = RecordNow::Same;
    QVariantMap saved;
    const QList<LockKey> all = keys + QList<LockKey>{Keys::table(m_table, true), Keys::record(m_table, m_id)};
    const auto save = [&] {
        // A window whose record could not be read back checks only that it is there.
        now = record_now(m_table, m_id, m_stored);
        if (now != RecordNow::Same)
            return;
        body();
        // What the next save compares with: the row as this save
        // left it, read under its keys, before another can change it.
        saved = readStored();
    };
    const bool done = allowed == Allowed::ByOwnGate ? exclusive_save(all, duplicateMessage, save)
                                                    : exclusive_save(m_editRight, all, duplicateMessage, save);
    if (!done)
        return Saved::Failed;
    switch (now) {
    case RecordNow::Changed:
        showChangedElsewhere();
        return Saved::Changed;
    case RecordNow::Gone:
        sayGone();
        return Saved::Gone;
    case RecordNow::Same:
        break;
    }
    m_stored = saved;
    return Saved::Done;
}

bool Entry::update(const Row& values, const std::function<void()>& more, const Unique& unique)
{
    bool taken = false;
    const QList<LockKey> keys = unique.taken ? QList<LockKey>{Keys::table(m_table)} : QList<LockKey>{};
    const Saved saved = saveEdit(keys, unique.message, [&] {
        taken = unique.taken && unique.taken();
        if (taken)
            return;
        updateInTransaction(values);
        if (more)
            more();
    });
    if (saved == Saved::Done && taken) {
        Msg::info(unique.message);
        return false;
    }
    return saved == Saved::Done;
}

bool delete_record(const QString& table, qint64 id, const std::function<void()>& more, PageWrite write)
{
    bool gone = false;
    if (!exclusive_save(write, {Keys::table(table, true), Keys::record(table, id)}, QString(), [&] {
            gone = Sql::exec(QStringLiteral("delete from %1 where id=?").arg(table), {id}).numRowsAffected() == 0;
            if (!gone && more)
                more();
        }))
        return false;
    if (gone)
        Entry::sayGone();
    return !gone;
}

void Entry::sayGone()
{
    Msg::info(CoreText::RecordGone);
}

void fit_to_columns(Row& values, const QString& table)
{
    for (auto& [column, value] : values) {
        const int width = Schema::columnWidth(table, column);
        if (width > 0 && value.typeId() == QMetaType::QString)
            value = TextInput::cut(value.toString(), width);
    }
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
