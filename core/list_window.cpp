#include "list_window.h"

#include "platform/db/sql.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDateTime>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSqlError>
#include <QSqlRecord>
#include <QTableView>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Rows read from the query at a time, as the grid scrolls.
constexpr int Batch = 256;

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// Dates and times sort by their value, as numbers.
std::optional<double> timeValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return double(v.toDate().toJulianDay());
    case QMetaType::QDateTime:
        return double(v.toDateTime().toMSecsSinceEpoch());
    case QMetaType::QTime:
        return double(v.toTime().msecsSinceStartOfDay());
    default:
        return std::nullopt;
    }
}

// A list's query stays open while its rows are read, so unlike the statement
// helper's queries it can go back and forth over them.
QSqlQuery openScrollable(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(Database::current().handle());
    if (!q.prepare(sql))
        throw DbError(q.lastError().text(), sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw DbError(q.lastError().text(), sql);
    return q;
}

QString boxText(QWidget* box)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return combo->currentText();
    return box->property("text").toString();
}

void clearBox(QWidget* box)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        edit->clear();
    } else if (auto* combo = qobject_cast<QComboBox*>(box)) {
        combo->setCurrentIndex(-1);
        combo->clearEditText();
    } else {
        box->setProperty("text", QString());
    }
}

} // namespace

// ---- ListModel ---------------------------------------------------------

QString ListModel::text(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QLocale::c().toString(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

void ListModel::setQuery(QSqlQuery&& query)
{
    beginResetModel();
    m_query = std::move(query);
    m_names.clear();
    const QSqlRecord record = m_query.record();
    for (int i = 0; i < record.count(); ++i) {
        // A name found in both tables of a join: the second one is name_1.
        QString name = record.fieldName(i);
        for (int n = 1; m_names.contains(name); ++n)
            name = record.fieldName(i) + QStringLiteral("_%1").arg(n);
        m_names << name;
    }
    m_rows = 0;
    m_atEnd = !m_query.isActive() || !m_query.isSelect();
    m_order.clear();
    m_sort.reset();
    endResetModel();
    fetchMore();
}

void ListModel::clear()
{
    setQuery(QSqlQuery());
}

bool ListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void ListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || m_atEnd)
        return;
    int rows = m_rows + Batch;
    if (!m_query.seek(rows - 1)) {
        // Fewer rows are left than a batch: the last one tells how many.
        rows = m_query.last() ? m_query.at() + 1 : m_rows;
        m_atEnd = true;
        if (m_query.lastError().isValid()) // the read broke off: say so, show what came
            Db::guard([&] { throw DbError(m_query.lastError().text(), m_query.lastQuery()); });
    }
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
}

void ListModel::fetchAll()
{
    while (canFetchMore())
        fetchMore();
}

QVariant ListModel::raw(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_names.size())
        return QVariant();
    const int at = m_order.isEmpty() ? row : m_order[row];
    if (m_query.at() != at && !m_query.seek(at))
        return QVariant();
    return m_query.value(column);
}

QVariant ListModel::value(int row, const QString& column) const
{
    return raw(row, columnOf(column));
}

QVariantMap ListModel::row(int row) const
{
    QVariantMap out;
    if (row < 0 || row >= m_rows)
        return out;
    for (int c = 0; c < m_names.size(); ++c)
        out.insert(m_names[c], raw(row, c));
    return out;
}

void ListModel::setTitles(const CaptionTable& titles)
{
    m_titles.clear();
    for (const auto& [name, title] : titles)
        if (!m_titles.contains(name))
            m_titles.insert(name, title);
    if (!m_names.isEmpty())
        emit headerDataChanged(Qt::Horizontal, 0, int(m_names.size()) - 1);
}

void ListModel::setBoldColumn(const QString& name)
{
    m_bold = name;
    if (!m_names.isEmpty())
        emit headerDataChanged(Qt::Horizontal, 0, int(m_names.size()) - 1);
}

void ListModel::sortRows(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_names.size())
        return;
    fetchAll();
    const int n = m_rows;

    // One key per row: its kind (empty, number, text), then its value.
    QCollator collator(QLocale(QLocale::Persian, QLocale::Iran));
    std::vector<int> kind(n), textAt(n, -1);
    std::vector<double> number(n);
    std::vector<QCollatorSortKey> texts;
    texts.reserve(n);
    for (int r = 0; r < n; ++r) {
        const int at = m_order.isEmpty() ? r : m_order[r];
        m_query.seek(at);
        const QVariant v = m_query.value(column);
        const QString shown = text(v);
        if (shown.isEmpty()) {
            kind[at] = 0;
        } else if (isNumber(v)) {
            kind[at] = 1;
            number[at] = v.toDouble();
        } else if (const auto t = timeValue(v)) {
            kind[at] = 1;
            number[at] = *t;
        } else {
            kind[at] = 2;
            textAt[at] = int(texts.size());
            texts.push_back(collator.sortKey(shown));
        }
    }
    const auto less = [&](int a, int b) {
        if (kind[a] != kind[b])
            return kind[a] < kind[b];
        if (kind[a] == 1)
            return number[a] < number[b];
        if (kind[a] == 2)
            return texts[textAt[a]].compare(texts[textAt[b]]) < 0;
        return false;
    };

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QList<int> before = m_order;
    QList<int> rows(n);
    std::iota(rows.begin(), rows.end(), 0); // equal rows keep the server's order
    if (order == Qt::AscendingOrder)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return less(b, a); });
    m_order = rows;
    m_sort = SortState{m_names[column], order};

    // The current row and the selection follow their rows.
    std::vector<int> shownAt(n);
    for (int r = 0; r < n; ++r)
        shownAt[m_order[r]] = r;
    const QModelIndexList old = persistentIndexList();
    QModelIndexList moved;
    for (const QModelIndex& i : old) {
        const int at = before.isEmpty() ? i.row() : before[i.row()];
        moved << index(shownAt[at], i.column());
    }
    changePersistentIndexList(old, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return text(raw(index.row(), index.column()));
    if (role == Qt::EditRole)
        return raw(index.row(), index.column());
    return QVariant();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_names.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString& name = m_names[section];
    switch (role) {
    case Qt::DisplayRole:
        return m_titles.value(name, name);
    case ColumnNameRole:
        return name;
    case Qt::FontRole:
        if (name == m_bold) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

// ---- ListWindow --------------------------------------------------------

ListWindow::ListWindow(ListSpec spec, QTableView* grid, QLabel* countLabel, QObject* parent)
    : QObject(parent), m_spec(std::move(spec)), m_grid(grid), m_count(countLabel),
      m_model(new ListModel(this))
{
    m_model->setTitles(m_spec.grid);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    if (m_spec.titleSort) {
        m_grid->horizontalHeader()->setSectionsClickable(true);
        connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this](int column) { sort_grid_by_title(m_grid, column); });
    }
}

void ListWindow::filter(QCheckBox* check, const QList<QWidget*>& boxes, const QString& condition,
                        std::function<QVariantList(const QStringList&)> values)
{
    addFilter(check, boxes, [condition, values](const QStringList& texts) {
        return Condition{condition, values(texts)};
    });
}

void ListWindow::addFilter(QCheckBox* check, const QList<QWidget*>& boxes, Build build)
{
    m_filters.append({check, boxes, std::move(build)});
    for (QWidget* box : boxes)
        box->setEnabled(check->isChecked());
    const FilterLook look = m_spec.filterLook;
    connect(check, &QCheckBox::toggled, this,
            [=] { toggle_filter_box(check, boxes.value(0), boxes.value(1), look); });
}

void ListWindow::contains(QCheckBox* check, QWidget* box, const QString& expression)
{
    // The dialect is asked at each search: the window is made before the connection.
    addFilter(check, {box}, [expression](const QStringList& t) {
        return Condition{QStringLiteral(" and ") + Database::current().dialect().likeInsensitive(expression),
                         {QLatin1Char('%') + t[0] + QLatin1Char('%')}};
    });
}

void ListWindow::equals(QCheckBox* check, QWidget* box, const QString& expression)
{
    filter(check, {box}, QStringLiteral(" and %1=?").arg(expression),
           [](const QStringList& t) { return QVariantList{t[0]}; });
}

void ListWindow::range(QCheckBox* check, QWidget* from, QWidget* to, const QString& expression)
{
    filter(check, {from, to}, QStringLiteral(" and %1>=? and %1<=?").arg(expression),
           [](const QStringList& t) { return QVariantList{t[0], t[1]}; });
}

Condition ListWindow::conditions() const
{
    Condition where;
    if (m_scope)
        where = m_scope();
    for (const Filter& f : m_filters) {
        // The box, not the check box, says whether the filter is on.
        if (!f.boxes.first()->isEnabled())
            continue;
        QStringList texts;
        for (QWidget* box : f.boxes)
            texts << boxText(box);
        const Condition c = f.build(texts);
        where.sql += c.sql;
        where.values += c.values;
    }
    return where;
}

bool ListWindow::search()
{
    return run(conditions());
}

bool ListWindow::reload()
{
    return m_last ? run(*m_last) : search();
}

bool ListWindow::run(const Condition& where)
{
    const QString tail = m_spec.from + where.sql;
    QVariantList values = m_spec.values + where.values;
    // The conditions compare texts: an empty box is empty text, never NULL.
    for (QVariant& v : values)
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            v = QString(QLatin1String(""));
    QString count;
    QSqlQuery rows;
    const bool ok = Db::guard([&] {
        count = Sql::scalar(QStringLiteral("select count(*) from ") + tail, values).toString();
        QString sql = QStringLiteral("select ") + m_spec.columns + QStringLiteral(" from ") + tail;
        if (!m_spec.orderBy.isEmpty())
            sql += QStringLiteral(" order by ") + m_spec.orderBy;
        rows = openScrollable(sql, values);
    });
    if (!ok)
        return false;
    m_last = where;
    m_model->setQuery(std::move(rows));
    showColumns();
    if (m_count)
        m_count->setText(count);
    emit searched();
    return true;
}

void ListWindow::showColumns()
{
    QHeaderView* header = m_grid->horizontalHeader();
    const QStringList& names = m_model->columnNames();
    if (!m_spec.grid.isEmpty()) {
        for (int c = 0; c < names.size(); ++c)
            header->setSectionHidden(c, true);
        int position = 0;
        for (const auto& column : std::as_const(m_spec.grid)) {
            const int c = m_model->columnOf(column.first);
            if (c < 0)
                continue;
            header->setSectionHidden(c, false);
            header->moveSection(header->visualIndex(c), position++);
        }
    }
    // The first row is the current one, as after every search.
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, header->logicalIndex(0)));
}

void ListWindow::clearFilters()
{
    for (const Filter& f : std::as_const(m_filters)) {
        f.check->setChecked(false);
        toggle_filter_box(f.check, f.boxes.value(0), f.boxes.value(1), m_spec.filterLook);
        for (QWidget* box : f.boxes)
            clearBox(box);
    }
}

bool ListWindow::exportRows()
{
    return export_grid_to_excel(m_model, m_spec.exportTitles);
}

QVariantMap ListWindow::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? m_model->row(index.row()) : QVariantMap();
}
