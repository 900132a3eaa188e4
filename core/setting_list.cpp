#include "setting_list.h"

#include "core/entry.h"
#include "core/exclusive_save.h"
#include "core/list_window.h"
#include "core/password_hash.h"
#include "core/setting_values.h"
#include "core/texts.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

const QString Item = QStringLiteral("cmt");
const QString ListColumn = QStringLiteral("component");

class MaskedCells final : public GridCells {
public:
    using GridCells::GridCells;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        GridCells::initStyleOption(option, index);
        option->text = PasswordCells::shownText(index);
    }
};

void putIntoBox(QComboBox* box, const QString& value)
{
    if (box->isEditable())
        box->setCurrentText(value);
    else
        box->setCurrentIndex(box->findText(value));
}

} // namespace

QString PasswordCells::shownText(const QModelIndex& index)
{
    const auto* rows = qobject_cast<const ListModel*>(index.model());
    if (rows && rows->columnNames().value(index.column()) == Item &&
        is_password_list(rows->value(index.row(), ListColumn).toString()))
        return QString(8, QChar(0x25CF));
    return index.data().toString();
}

SettingList::SettingList(Table table, QLineEdit* item, QTableView* grid, QObject* parent)
    : QObject(parent), m_table(std::move(table)), m_item(item), m_grid(grid)
{
    limit_to_column(m_item, m_table.name, Item);
    for (const auto& [column, box] : std::as_const(m_table.keys))
        limit_to_column(box, m_table.name, column);
    connect(m_table.keys.last().second, &QComboBox::currentTextChanged, this, &SettingList::maskItemBox);
    m_grid->installEventFilter(this);
}

bool SettingList::eventFilter(QObject* watched, QEvent* event)
{
    // The view's own copy puts the model's text on the clipboard, which for a
    // stored password is its hash.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched != m_grid || !key || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const QModelIndex current = m_grid->currentIndex();
        if (current.isValid())
            QGuiApplication::clipboard()->setText(PasswordCells::shownText(current));
    }
    event->accept();
    return true;
}

void SettingList::ensureList()
{
    // The order names the connection's Persian collation, known only once connected.
    const QString order = Database::current().dialect().persianOrder(ListColumn) + QStringLiteral(", id");
    if (m_list && order == m_order)
        return;
    ListDescription desc;
    desc.from = m_table.name + QStringLiteral(" where 1=1");
    desc.orderBy = order;
    desc.grid = m_table.grid;
    ListWindow* previous = m_list;
    m_list = new ListWindow(desc, m_grid, nullptr, this);
    m_list->setScope([this] {
        if (!m_shown)
            return Condition{};
        return Condition{QStringLiteral(" and ") + keyCondition(), QVariantList(m_shown->begin(), m_shown->end())};
    });
    m_order = order;
    delete previous;
    // After the list window's own cells: a grid has one delegate, and the
    // password items must not show their stored hashes.
    QAbstractItemDelegate* plain = m_grid->itemDelegate();
    m_grid->setItemDelegate(new MaskedCells(m_grid));
    delete plain;
}

QString SettingList::listName() const { return m_table.keys.last().second->currentText(); }

QStringList SettingList::keyValues() const
{
    QStringList values;
    for (const auto& key : m_table.keys)
        values << key.second->currentText();
    return values;
}

QString SettingList::keyCondition() const
{
    QStringList parts;
    for (const auto& key : m_table.keys)
        parts << key.first + QStringLiteral("=?");
    return parts.join(QStringLiteral(" and "));
}

void SettingList::show(std::optional<QStringList> keys)
{
    ensureList();
    m_shown = std::move(keys);
    m_list->search();
}

void SettingList::showAll() { show(std::nullopt); }

void SettingList::choose() { show(keyValues()); }

void SettingList::clear()
{
    if (m_list)
        m_list->model()->clear();
}

void SettingList::maskItemBox()
{
    m_item->setEchoMode(is_password_list(listName()) ? QLineEdit::Password : QLineEdit::Normal);
}

void SettingList::add()
{
    // A password is kept exactly as typed; any other item in its stored form.
    const QString item = is_password_list(listName()) ? m_item->text() : TextInput::boxText(m_item);
    if (item.isEmpty()) {
        Msg::info(CoreText::SettingEnterValue);
        return;
    }
    // A stored password is kept as its salted hash, never as typed.
    QString stored = item;
    if (is_password_list(listName())) {
        const std::optional<QString> hashed = PasswordHash::hashForSaving(item);
        if (!hashed)
            return;
        stored = *hashed;
    }
    const QStringList keys = keyValues();
    QVariantList values(keys.begin(), keys.end());
    const bool password = is_password_list(listName());
    bool duplicate = false;
    // Checked and written as one: the same item added at once from another
    // workstation waits, and then is found.
    const bool done = exclusive_save(SettingWindow::AddItem.right, {Keys::table(m_table.name)}, CoreText::SettingDuplicate, [&] {
        if (password) {
            // Stored passwords are hashes: the typed one is verified against each.
            for (const QVariantMap& r :
                 Sql::rows(QStringLiteral("select cmt from %1 where %2").arg(m_table.name, keyCondition()), values))
                duplicate = duplicate || PasswordHash::verify(r.value(Item).toString(), item);
        } else {
            duplicate = Sql::exists(
                QStringLiteral("select id from %1 where %2 and cmt=?").arg(m_table.name, keyCondition()),
                values + QVariantList{item});
        }
        if (duplicate)
            return;
        Row row;
        for (int k = 0; k < keys.size(); ++k)
            row.append({m_table.keys[k].first, keys[k]});
        row.append({Item, stored});
        row += m_table.addedColumns;
        Sql::insert(m_table.name, row);
    });
    if (!done)
        return;
    if (duplicate) {
        Msg::info(CoreText::SettingDuplicate);
        return;
    }
    Msg::info(CoreText::SettingSaved);
    show(keys);
}

bool SettingList::takeCurrentRow(QStringList* keys, QString* item)
{
    const QVariantMap row = m_list ? m_list->currentRow() : QVariantMap();
    if (row.isEmpty())
        return false;
    for (const auto& key : m_table.keys) {
        const QString value = row.value(key.first).toString();
        putIntoBox(key.second, value);
        *keys << value;
    }
    *item = row.value(Item).toString();
    // A stored password's hash never leaves its row: its box stays empty, so
    // that no other list is shown it or stores it.
    m_item->setText(is_password_list(row.value(ListColumn).toString()) ? QString() : *item);
    return true;
}

void SettingList::markDefault()
{
    QStringList keys;
    QString item;
    if (!takeCurrentRow(&keys, &item))
        return;
    const QVariantList where(keys.begin(), keys.end());
    // One default at a time: a mark made at once from another workstation
    // waits, and then takes the mark from this one's item.
    // An item another workstation deleted meanwhile takes no mark, and the
    // list keeps the one it had.
    bool gone = false;
    const bool done = exclusive_save(SettingWindow::MarkDefault.right, {Keys::table(m_table.name)}, QString(), [&] {
        const QString itemCondition = keyCondition() + QStringLiteral(" and cmt=?");
        gone = !Sql::exists(QStringLiteral("select id from %1 where %2").arg(m_table.name, itemCondition),
                            where + QVariantList{item});
        if (gone)
            return;
        Sql::update(m_table.name, {{QStringLiteral("def"), QString()}}, keyCondition(), where);
        Sql::update(m_table.name, {{QStringLiteral("def"), QStringLiteral("1")}}, itemCondition, where + QVariantList{item});
    });
    if (!done)
        return;
    if (gone)
        Entry::sayGone();
    show(keys);
}

void SettingList::remove()
{
    QStringList keys;
    QString item;
    if (!takeCurrentRow(&keys, &item))
        return;
    QVariantList values(keys.begin(), keys.end());
    values << item;
    // Every row of the list with that text: the table's key, as its add takes it.
    int deleted = 0;
    if (!exclusive_save(SettingWindow::DeleteItem.right, {Keys::table(m_table.name)}, QString(), [&] {
            deleted = Sql::exec(QStringLiteral("delete from %1 where %2 and cmt=?").arg(m_table.name, keyCondition()),
                                values)
                          .numRowsAffected();
        }))
        return;
    if (deleted == 0)
        Entry::sayGone();
    show(keys);
}

// ---- SettingWindow -------------------------------------------------------

void SettingWindow::setUp(SettingList::Table table, QComboBox* component, QLineEdit* cmt, QPushButton* ins_btn,
                          QTableView* grid, QAction* N2, QAction* N1)
{
    m_list = new SettingList(std::move(table), cmt, grid, this);
    m_add = ins_btn;
    m_mark = N2;
    m_delete = N1;
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid->addAction(N2);
    grid->addAction(N1);
    connect(component, &QComboBox::activated, this, &SettingWindow::componentChange);
    connect(ins_btn, &QPushButton::clicked, this, &SettingWindow::ins_btnClick);
    connect(N2, &QAction::triggered, this, &SettingWindow::N2Click);
    connect(N1, &QAction::triggered, this, &SettingWindow::N1Click);
}

void SettingWindow::enableCommands(const PageRights& rights)
{
    enable_commands(this, Commands, rights);
}

void SettingWindow::componentChange() { m_list->choose(); }

void SettingWindow::ins_btnClick()
{
    if (m_add->isEnabled())
        m_list->add();
}

void SettingWindow::N2Click()
{
    if (m_mark->isEnabled())
        m_list->markDefault();
}

void SettingWindow::N1Click()
{
    if (m_delete->isEnabled())
        m_list->remove();
}
