#include "list_window.h"

#include "core/mon_edit.h"
#include "core/failure.h"
#include "core/schema.h"
#include "core/texts.h"
#include "platform/db/money.h"
#include "platform/db/sql.h"
#include "platform/ui/command.h"
#include "platform/ui/progress.h"
#include "platform/ui/text_input.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QElapsedTimer>
#include <QFont>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QTableView>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>

namespace {

// Rows read from the query at a time, as the grid scrolls.
constexpr int Batch = 256;

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Splits text at a separator or finds a word, outside brackets and quotes.
// at(i) is asked at each place i at the top level; true stops the scan.
void scanTopLevel(const QString& text, const std::function<bool(qsizetype)>& at)
{
    int depth = 0;
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && at(i)) {
            return;
        }
    }
}

// Whether the tables of a list already have their own WHERE.
bool hasWhere(const QString& tail)
{
    bool found = false;
    const QLatin1String where("where");
    scanTopLevel(tail, [&](qsizetype i) {
        found = (i == 0 || !isWordChar(tail[i - 1])) &&
                QStringView(tail).mid(i, 5).compare(where, Qt::CaseInsensitive) == 0 &&
                (i + 5 >= tail.size() || !isWordChar(tail[i + 5]));
        return found;
    });
    return found;
}

// One expression of an ORDER BY.
struct Term {
    QString expression;
    bool descending = false;
    bool nullsFirstAlways = false; // NULL before every value ascending, whatever the backend's habit
};

QList<Term> orderTerms(const QString& orderBy)
{
    QStringList parts;
    qsizetype from = 0;
    scanTopLevel(orderBy, [&](qsizetype i) {
        if (orderBy[i] == QLatin1Char(',')) {
            parts << orderBy.mid(from, i - from);
            from = i + 1;
        }
        return false;
    });
    parts << orderBy.mid(from);
    static const QRegularExpression direction(QStringLiteral("^(.*\\S)\\s+(asc|desc)$"),
                                              QRegularExpression::CaseInsensitiveOption |
                                                  QRegularExpression::DotMatchesEverythingOption);
    QList<Term> terms;
    for (const QString& part : std::as_const(parts)) {
        const QString p = part.trimmed();
        if (p.isEmpty())
            continue;
        const QRegularExpressionMatch m = direction.match(p);
        if (m.hasMatch())
            terms.append({m.captured(1), m.captured(2).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0});
        else
            terms.append({p});
    }
    return terms;
}

// An order whose every term sorts in the connection's Persian alphabetical order.
QString persianOrderOf(const QString& orderBy)
{
    const Dialect& d = Database::current().dialect();
    QStringList parts;
    for (const Term& t : orderTerms(orderBy))
        parts << d.persianOrder(t.expression) + (t.descending ? QStringLiteral(" desc") : QString());
    return parts.join(QStringLiteral(", "));
}

// The query's order, ending with its key unless the order already ends with it.
QList<Term> queryOrder(const ListQuery& query)
{
    QList<Term> terms = orderTerms(query.orderBy);
    const QString last = terms.isEmpty() ? QString() : terms.last().expression;
    const QString column = query.key.section(QLatin1Char('.'), -1);
    if (last.compare(query.key, Qt::CaseInsensitive) != 0 && last.compare(column, Qt::CaseInsensitive) != 0)
        terms.append({query.key});
    return terms;
}

bool nullsBefore(const Dialect& d, const Term& t)
{
    // NULL is the smallest value where the backend or the term says so.
    const bool smallest = t.nullsFirstAlways || d.nullsFirst();
    return smallest != t.descending;
}

// The rows that come after a row in an order whose last term tells every row
// apart: those after it by the first term, or equal to it there and after it
// by the next, and so on. NULLs compare with "is null" and sit where the
// order puts them; with values only, NULLs of term i are left out.
void appendAfter(const Dialect& d, const QList<Term>& terms, const QVariantList& row, int i, bool valuesOnly,
                 Condition& out)
{
    const Term& t = terms[i];
    const QString& e = t.expression;
    const QVariant& v = row[i];
    QString after;
    QVariantList afterValues;
    if (v.isNull()) {
        if (nullsBefore(d, t))
            after = e + QStringLiteral(" is not null");
    } else {
        const QString compare = t.descending ? QStringLiteral(" < ?") : QStringLiteral(" > ?");
        after = nullsBefore(d, t) || valuesOnly ? e + compare : QStringLiteral("(%1%2 or %1 is null)").arg(e, compare);
        afterValues << v;
    }
    if (i + 1 == terms.size()) {
        out.sql += after.isEmpty() ? QStringLiteral("1=0") : after;
        out.values += afterValues;
        return;
    }
    out.sql += QLatin1Char('(');
    if (!after.isEmpty()) {
        out.sql += after + QStringLiteral(" or ");
        out.values += afterValues;
    }
    if (v.isNull()) {
        out.sql += QLatin1Char('(') + e + QStringLiteral(" is null and ");
    } else {
        out.sql += QLatin1Char('(') + e + QStringLiteral(" = ? and ");
        out.values << v;
    }
    appendAfter(d, terms, row, i + 1, false, out);
    out.sql += QStringLiteral("))");
}

// The rows after a row, as conditions whose rows follow one another in the
// order. When the NULLs of the first term come after its values, those are two:
// the values after the row, then the NULLs, so that an index on the first term
// can start at the row instead of reading every row before it.
QList<Condition> afterRow(const Dialect& d, const QList<Term>& terms, const QVariantList& row)
{
    const Term& first = terms.first();
    if (row[0].isNull()) {
        Condition c;
        appendAfter(d, terms, row, 0, false, c);
        return {c};
    }
    Condition values;
    values.sql = first.expression + (first.descending ? QStringLiteral(" <= ? and ") : QStringLiteral(" >= ? and "));
    values.values << row[0];
    appendAfter(d, terms, row, 0, true, values);
    if (nullsBefore(d, first))
        return {values};
    return {values, {first.expression + QStringLiteral(" is null"), {}}};
}

} // namespace

// A list's statement in its order, in the pieces that a page adds its
// condition and its number of rows to.
struct ListPlan {
    QString head;    // "with ... select ... from ..."
    QString join;    // what joins a condition to head: " and " or " where "
    QString orderBy; // " order by ..."
    // The few matches' keys are sorted alone first, and only a page of their
    // rows read whole, where the backend does so (Dialect::amongKeys).
    bool keysFirst = false;
    QString key;
    QString source;
    QList<Term> terms;
    QVariantList values;
};

namespace {

// sortColumn < 0: the query's own order; otherwise the rows sorted by that
// column first (of `columns` shown), empty values first.
ListPlan makePlan(const ListQuery& query, int sortColumn, bool descending, bool text, int columns)
{
    const Dialect& d = Database::current().dialect();
    ListPlan p;
    p.terms = queryOrder(query);
    p.values = query.values;
    QString shown, source;
    if (sortColumn < 0) {
        shown = query.columns;
        source = query.tail;
        p.join = hasWhere(query.tail) ? QStringLiteral(" and ") : QStringLiteral(" where ");
    } else {
        // Sorted by a title: the rows of the search become a table whose
        // columns are named by their place, so that any of them can be sorted
        // on, a second id of a join or a computed one as well.
        QStringList names, inner, outer;
        for (int c = 0; c < columns; ++c)
            outer << QStringLiteral("c%1").arg(c);
        names = outer;
        for (Term& t : p.terms) {
            names << QStringLiteral("o%1").arg(inner.size());
            inner << t.expression;
            t.expression = names.last();
        }
        p.head = QStringLiteral("with list_rows (%1) as (select %2, %3 from %4) ")
                     .arg(names.join(QStringLiteral(", ")), query.columns, inner.join(QStringLiteral(", ")),
                          query.tail);
        shown = outer.join(QStringLiteral(", "));
        source = QStringLiteral("list_rows");
        p.join = QStringLiteral(" where ");
        const QString column = QStringLiteral("c%1").arg(sortColumn);
        p.terms.prepend({text ? d.persianOrder(column) : column, descending, true});
    }

    // The shown columns, then the row's place in the order, as exact values.
    QStringList exact, orderBy;
    for (const Term& t : std::as_const(p.terms)) {
        // Named apart from the shown columns, which the order may name.
        exact << d.exactValue(t.expression) + QStringLiteral(" as list_k%1").arg(exact.size());
        const QString e = query.few && sortColumn < 0 ? d.orderUnindexed(t.expression) : t.expression;
        orderBy << (t.nullsFirstAlways ? d.orderNullsFirst(e, t.descending)
                                       : e + (t.descending ? QStringLiteral(" desc") : QString()));
    }
    p.keysFirst = query.few && sortColumn < 0;
    p.key = query.key;
    p.source = source;
    p.head += QStringLiteral("select %1, %2 from %3").arg(shown, exact.join(QStringLiteral(", ")), source);
    p.orderBy = QStringLiteral(" order by ") + orderBy.join(QStringLiteral(", "));
    return p;
}

// Up to `rows` rows after the row `after` (from the first without), each read
// to its end at once: the connection is free again for any statement.
QList<QVariantList> readRows(const ListPlan& p, const QVariantList* after, int rows, QSqlRecord* record = nullptr)
{
    const Dialect& d = Database::current().dialect();
    const QList<Condition> parts =
        after ? afterRow(d, p.terms, after->mid(after->size() - p.terms.size())) : QList<Condition>{{}};
    QList<QVariantList> out;
    for (const Condition& part : parts) {
        const QString after = part.sql.isEmpty() ? QString() : p.join + QLatin1Char('(') + part.sql + QLatin1Char(')');
        const QString page = p.orderBy + d.firstRows(rows - int(out.size()));
        const QString among =
            p.keysFirst ? d.amongKeys(p.key, QStringLiteral("select %1 from %2").arg(p.key, p.source) + after + page)
                        : QString();
        QString sql = p.head;
        QVariantList values = p.values;
        if (among.isEmpty()) {
            sql += after;
        } else {
            sql += p.join + among;
            values += p.values;
        }
        values += part.values;
        sql += page;
        QSqlQuery q = Sql::exec(sql, values);
        if (record)
            *record = q.record();
        const int width = q.record().count();
        while (Sql::next(q)) {
            QVariantList row;
            row.reserve(width);
            for (int c = 0; c < width; ++c)
                row << q.value(c);
            out << row;
        }
        Sql::checkRead(q);
        if (out.size() == rows)
            break;
    }
    return out;
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

void ListModel::setQuery(const ListQuery& query)
{
    QSqlRecord record;
    QList<QVariantList> rows = readRows(makePlan(query, -1, false, false, 0), nullptr, Batch, &record);
    QList<bool> text;
    const qsizetype shown = record.count() - queryOrder(query).size();
    const QStringList names = Sql::columnNames(record).mid(0, shown);
    for (int i = 0; i < shown; ++i)
        text << (record.field(i).metaType().id() == QMetaType::QString);

    beginResetModel();
    m_failureTold = false;
    m_query = query;
    m_sortColumn = -1;
    m_names = names;
    m_text = text;
    m_money.clear();
    for (const QString& name : names)
        m_money << Schema::holdsMoney(name);
    m_atEnd = rows.size() < Batch;
    m_rows = std::move(rows);
    m_sort.reset();
    endResetModel();
}

void ListModel::clear() { setNoRows(m_beforeSearch); }

void ListModel::setColumnsBeforeSearch(const QStringList& names)
{
    m_beforeSearch = names;
    if (m_query.tail.isEmpty())
        setNoRows(names);
}

void ListModel::setNoRows(const QStringList& names)
{
    beginResetModel();
    m_failureTold = false;
    m_query = {};
    m_sortColumn = -1;
    m_names = names;
    m_text = QList<bool>(names.size(), false);
    m_money.clear();
    for (const QString& name : names)
        m_money << Schema::holdsMoney(name);
    m_rows.clear();
    m_atEnd = true;
    m_sort.reset();
    endResetModel();
}

bool ListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void ListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || m_atEnd || m_rows.isEmpty())
        return;
    QList<QVariantList> page;
    if (!Db::guard([&] { page = readRows(plan(), &m_rows.last(), Batch); })) {
        m_atEnd = true; // the read broke off: it was said, and the rows read stay
        return;
    }
    m_atEnd = page.size() < Batch;
    if (page.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + page.size()) - 1);
    m_rows += page;
    endInsertRows();
}

void ListModel::fetchAll()
{
    while (canFetchMore())
        fetchMore();
}

void ListModel::readAll(const std::function<void(const QVariantList&)>& take) const
{
    if (m_query.tail.isEmpty()) // no search ran
        return;
    // One statement read forward: the rows pass through one at a time, whatever
    // their number, and nothing else runs on the connection until the last.
    const ListPlan p = plan();
    const QString sql = p.head + p.orderBy;
    QSqlQuery q = Sql::exec(sql, p.values);
    const int shown = int(m_names.size());
    QVariantList row;
    while (Sql::next(q)) {
        row.clear();
        for (int c = 0; c < shown; ++c)
            row << q.value(c);
        take(row);
    }
    Sql::checkRead(q);
}

ListPlan ListModel::plan() const
{
    const bool text = m_sortColumn >= 0 && m_text[m_sortColumn];
    return makePlan(m_query, m_sortColumn, m_descending, text, int(m_names.size()));
}

QVariant ListModel::raw(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_names.size())
        return QVariant();
    return m_rows[row][column];
}

QVariant ListModel::value(int row, const QString& column) const
{
    return raw(row, columnOf(column));
}

QVariantMap ListModel::row(int row) const
{
    QVariantMap out;
    if (row < 0 || row >= m_rows.size())
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

void ListModel::setTitleColour(const QString& name, const QColor& colour)
{
    m_titleColours.insert(name, colour);
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
    if (column < 0 || column >= m_names.size() || m_query.tail.isEmpty())
        return;
    const bool descending = order == Qt::DescendingOrder;
    // As many rows as were read, so that the current row can follow its record.
    const int rows = std::max(int(m_rows.size()), Batch);
    QList<QVariantList> page;
    const ListPlan sorted = makePlan(m_query, column, descending, m_text[column], int(m_names.size()));
    if (!Db::guard([&] { page = readRows(sorted, nullptr, rows); }))
        return;
    m_sortColumn = column;
    m_descending = descending;
    m_sort = SortState{m_names[column], order};
    m_atEnd = page.size() < rows;
    if (page.size() != m_rows.size()) { // others added or deleted rows meanwhile
        beginResetModel();
        m_rows = std::move(page);
        endResetModel();
        return;
    }

    // The current row and the selection follow their records, told apart by
    // the key at the end of each row.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QHash<QString, int> rowOf;
    for (int r = 0; r < page.size(); ++r)
        rowOf.insert(page[r].last().toString(), r);
    const QModelIndexList old = persistentIndexList();
    QModelIndexList moved;
    for (const QModelIndex& i : old) {
        const int r = rowOf.value(m_rows[i.row()].last().toString(), -1);
        moved << (r < 0 ? QModelIndex() : index(r, i.column()));
    }
    m_rows = std::move(page);
    changePersistentIndexList(old, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant ListModel::notShown() const
{
    // Once for these rows: a cell painted again says nothing more.
    if (!std::exchange(m_failureTold, true))
        Command::tellAfter(Failure::told(std::current_exception()));
    return QVariant();
}

// Asked while the view paints: an error is caught here, never unwound through
// the view's own painting, which would leave its painter open.
QVariant ListModel::data(const QModelIndex& index, int role) const
{
    try {
        return cell(index, role);
    } catch (...) {
        return notShown();
    }
}

QVariant ListModel::cell(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole) {
        // Amounts show grouped; the export keeps them as numbers.
        const QVariant value = raw(index.row(), index.column());
        if (m_money.value(index.column()) && !value.isNull())
            return TMonEdit::Grouped(Money::fromDb(value));
        return text(value);
    }
    if (role == Qt::EditRole)
        return raw(index.row(), index.column());
    return QVariant();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    try {
        return title(section, orientation, role);
    } catch (...) {
        return notShown();
    }
}

QVariant ListModel::title(int section, Qt::Orientation orientation, int role) const
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
    case Qt::BackgroundRole:
        return m_titleColours.contains(name) ? QVariant(m_titleColours.value(name)) : QVariant();
    default:
        return QVariant();
    }
}

// ---- GridCells ---------------------------------------------------------

Qt::LayoutDirection GridCells::direction(const QString& text)
{
    return text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

namespace {

// Whether a cell's text shows cut: laid out as the style paints it, in the
// cell's room and wrapped at words where the grid wraps them, it needs more
// width or more lines than the cell has.
bool textCut(const QStyleOptionViewItem& cell)
{
    const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
    const QRect room =
        style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget).adjusted(margin, 0, -margin, 0);
    QTextOption option;
    option.setWrapMode(cell.features & QStyleOptionViewItem::WrapText ? QTextOption::WordWrap : QTextOption::ManualWrap);
    option.setTextDirection(cell.direction);
    QString text = cell.text;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, cell.font);
    layout.setTextOption(option);
    qreal height = 0;
    bool tooWide = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room.width());
        height += line.height();
        tooWide = tooWide || line.naturalTextWidth() > room.width();
    }
    layout.endLayout();
    return tooWide || height > room.height();
}

} // namespace

bool GridCells::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                          const QModelIndex& index)
{
    // A text cut at its column's width shows whole as the cell's tooltip,
    // until the mouse leaves the cell.
    if (event->type() == QEvent::ToolTip) {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        if (!cell.text.isEmpty() && textCut(cell)) {
            QToolTip::showText(event->globalPos(), cell.text, view->viewport(), option.rect);
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void GridCells::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.isEmpty() || direction(option->text) == Qt::RightToLeft)
        return;
    option->direction = Qt::LeftToRight;
    option->displayAlignment = (option->displayAlignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight;
}

// ---- ListWindow --------------------------------------------------------

ListWindow::ListWindow(ListDescription desc, QTableView* grid, QLabel* countLabel, QObject* parent)
    : QObject(parent), m_desc(std::move(desc)), m_grid(grid), m_count(countLabel),
      m_model(new ListModel(this))
{
    m_model->setTitles(m_desc.grid);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new GridCells(m_grid));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    // Columns are fitted to the rows in sight, and widened as others come
    // into sight: measuring every row read would cost each search its time.
    m_grid->horizontalHeader()->setResizeContentsPrecision(0); // a column's rows: those in sight
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &ListWindow::widenColumns);
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &ListWindow::widenColumns);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    if (m_desc.titleSort) {
        m_grid->horizontalHeader()->setSectionsClickable(true);
        connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this](int column) { sort_grid_by_title(m_grid, column); });
    }
    // The columns a grid shows before its first search, and their titles'
    // widths (their texts laid out), are set when the grid is first shown:
    // set for every list as its window is made, they cost the program's start
    // a tenth of its time.
    m_grid->installEventFilter(this);
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::Show) {
        m_grid->removeEventFilter(this);
        QStringList described;
        for (const auto& column : std::as_const(m_desc.grid))
            described << column.first;
        m_model->setColumnsBeforeSearch(described);
        if (m_fitted.isEmpty())
            showColumns();
    }
    return QObject::eventFilter(watched, event);
}

void ListWindow::filter(QCheckBox* check, const QList<QWidget*>& boxes, const QString& condition,
                        std::function<QVariantList(const QStringList&)> values)
{
    addFilter(check, boxes, [condition, values](const QStringList& texts) {
        return Condition{condition, values(texts)};
    });
}

void ListWindow::filter(QCheckBox* check, const QList<QWidget*>& boxes,
                        std::function<Condition(const QStringList&)> build)
{
    addFilter(check, boxes, std::move(build));
}

void ListWindow::addFilter(QCheckBox* check, const QList<QWidget*>& boxes, Build build)
{
    m_filters.append({check, boxes, std::move(build)});
    for (QWidget* box : boxes)
        box->setEnabled(check->isChecked());
    const FilterLook look = m_desc.filterLook;
    connect(check, &QCheckBox::toggled, this,
            [=] { toggle_filter_box(check, boxes.value(0), boxes.value(1), look); });
}

namespace {

// Whether a search's own index or table of texts is there for this login to
// read; not where the question itself fails: the search says what is wrong
// with the connection.
bool searchIndexThere(const Dialect& d, const QString& name)
{
    try {
        return Sql::scalar(d.containsIndexExistsQuery(), {name}).toInt() > 0;
    } catch (const DbError&) {
        return false;
    }
}

// The condition of a contains search of table.column (or of column in a list
// of table) through the column's own index, where the backend searches through
// one apart from the plain LIKE and the index is there; nothing otherwise.
std::optional<Condition> indexedContains(const Dialect& d, const QString& table, const QString& expression,
                                         const QString& pattern)
{
    if (table.isEmpty())
        return std::nullopt;
    static const QRegularExpression column(QStringLiteral("^(?:(\\w+)\\.)?(\\w+)$"));
    const QRegularExpressionMatch m = column.match(expression);
    if (!m.hasMatch() || (m.hasCaptured(1) && m.captured(1).compare(table, Qt::CaseInsensitive) != 0))
        return std::nullopt;
    const QString index = Schema::containsIndexName(table, m.captured(2));
    if (index.isEmpty())
        return std::nullopt;
    const Dialect::BoundSql indexed = d.containsIndexed(index, table + QStringLiteral(".id"), expression, pattern);
    if (indexed.sql.isEmpty())
        return std::nullopt;
    if (!searchIndexThere(d, index))
        return std::nullopt;
    return Condition{QStringLiteral(" and ") + indexed.sql, indexed.values};
}

// The first table of a list's from: "log where ..." gives log.
QString firstTable(const QString& from)
{
    return from.trimmed().section(QRegularExpression(QStringLiteral("\\s")), 0, 0);
}

} // namespace

Condition ListWindow::containsCondition(const QString& expression, const QString& text, const QString& table)
{
    // Every text holds the empty one: the rows with a value, which an index
    // of the column answers without testing their texts.
    if (text.isEmpty())
        return Condition{QStringLiteral(" and %1 is not null").arg(expression), {}};
    // The dialect is asked at each search: the window is made before the connection.
    const Dialect& d = Database::current().dialect();
    static const QRegularExpression column(QStringLiteral("^(?:(\\w+)\\.)?(\\w+)$"));
    const QRegularExpressionMatch m = column.match(expression);
    const bool ofTable =
        !table.isEmpty() && m.hasMatch() && (!m.hasCaptured(1) || m.captured(1).compare(table, Qt::CaseInsensitive) == 0);
    // A column of few values, or one whose distinct texts are kept apart
    // (found through their own text index): the values that hold the text,
    // each tested as the plain search tests a row, then the rows of those values.
    QString values, valuesTable;
    if (const QString texts = ofTable ? Schema::containsTextsName(table, m.captured(2)) : QString(); !texts.isEmpty()) {
        if (searchIndexThere(d, texts)) {
            values = QStringLiteral("select k from %1 where k is not null").arg(texts);
            valuesTable = texts;
        }
    } else if (ofTable && Schema::containsAmongFewValues(table, m.captured(2))) {
        values = d.distinctValuesQuery(table, m.captured(2));
    }
    if (!values.isEmpty()) {
        const Condition among = containsCondition(QStringLiteral("k"), text, valuesTable);
        return Condition{QStringLiteral(" and %1 in (%2%3)").arg(expression, values, among.sql), among.values};
    }
    QString pattern = QLatin1Char('%') + text + QLatin1Char('%');
    const QChar kaf(TextInput::ArabicKaf), keheh(TextInput::Keheh);
    if (!pattern.contains(kaf) && !pattern.contains(keheh)) {
        // SQLite's LIKE is case-insensitive as the index is: the two find the same rows.
        if (std::optional<Condition> indexed = indexedContains(d, table, expression, pattern))
            return *indexed;
        // A text without letters of two cases (Persian, digits, signs) is
        // found by the plain LIKE as by the case-blind one, which folds the
        // case of every row it tests: half the time over the rows a text index
        // gives (a tenth of 100,000 phone entries: 11 ms against 23 ms).
        if (text.toLower() == text && text.toUpper() == text)
            return Condition{QStringLiteral(" and %1 like ?").arg(expression), {pattern}};
        return Condition{QStringLiteral(" and ") + d.likeInsensitive(expression), {pattern}};
    }
    // Stored texts hold both kafs: either one typed finds both.
    if (const QString regex = d.regexInsensitive(expression); !regex.isEmpty()) {
        // One condition the server estimates and serves from its text index
        // as the plain search's: the typed text, its wildcards as LIKE reads
        // them, either kaf in place of each kaf.
        QString either;
        for (const QChar c : text) {
            if (c == kaf || c == keheh)
                either += QStringLiteral("[%1%2]").arg(kaf, keheh);
            else if (c == QLatin1Char('%'))
                either += QStringLiteral(".*");
            else if (c == QLatin1Char('_'))
                either += QLatin1Char('.');
            else if (QStringLiteral("\\^$.|?*+()[]{}").contains(c))
                either += QLatin1Char('\\') + c;
            else
                either += c;
        }
        return Condition{QStringLiteral(" and ") + regex, {either}};
    }
    Condition either;
    // Where the column has a text index, the rows are first narrowed through
    // it to those that hold the text with any one letter in place of each kaf:
    // every row the kaf-blind test finds is among them, and the index answers
    // for the stretches between the kafs (of three letters or more) at once.
    static const QRegularExpression kafs(QStringLiteral("[%1%2]").arg(kaf, keheh));
    const QStringList stretches = text.split(kafs);
    const bool indexable = std::any_of(stretches.begin(), stretches.end(), [](const QString& s) { return s.size() >= 3; });
    if (indexable && !table.isEmpty() && m.hasMatch() && !Schema::containsIndexName(table, m.captured(2)).isEmpty()) {
        const QString anyKaf = QLatin1Char('%') + stretches.join(QLatin1Char('_')) + QLatin1Char('%');
        either = indexedContains(d, table, expression, anyKaf)
                     .value_or(Condition{QStringLiteral(" and ") + d.likeInsensitive(expression), {anyKaf}});
    }
    pattern.replace(kaf, keheh);
    either.sql += QStringLiteral(" and ") + d.likeInsensitive(QStringLiteral("replace(%1, ?, ?)").arg(expression));
    either.values += QVariantList{QString(kaf), QString(keheh), pattern};
    return either;
}

void ListWindow::contains(QCheckBox* check, QWidget* box, const QString& expression)
{
    addFilter(check, {box}, [expression, table = firstTable(m_desc.from)](const QStringList& t) {
        return containsCondition(expression, t[0], table);
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
    m_filters.last().range = true;
}

Condition ListWindow::conditions() const
{
    Condition where;
    if (m_scope)
        where = m_scope();
    const Condition filters = filterConditions();
    where.sql += filters.sql;
    where.values += filters.values;
    return where;
}

Condition ListWindow::filterConditions(const QList<QCheckBox*>& leaveOut) const
{
    Condition where;
    for (const Filter& f : m_filters) {
        // The box, not the check box, says whether the filter is on.
        if (!f.boxes.first()->isEnabled() || leaveOut.contains(f.check))
            continue;
        QStringList texts;
        // What was typed, in the form the database stores.
        for (QWidget* box : f.boxes)
            texts << TextInput::boxText(box);
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

bool ListWindow::listAll()
{
    return run(m_scope ? m_scope() : Condition{});
}

bool ListWindow::reload()
{
    return m_last ? run(*m_last) : search();
}

namespace {

// The tables and conditions of a statement. The conditions begin with
// " and": a from without its own WHERE gets one.
QString tailOf(const QString& from, const Condition& where)
{
    QString tail = from;
    if (!where.sql.isEmpty() && !hasWhere(tail))
        tail += QStringLiteral(" where 1=1");
    return tail + where.sql;
}

// The values of a statement's conditions. They compare texts: an empty box is
// empty text, never NULL.
QVariantList boundValues(const QVariantList& base, const Condition& where)
{
    QVariantList values = base + where.values;
    for (QVariant& v : values)
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            v = QString(QLatin1String(""));
    return values;
}

} // namespace

QVariant ListWindow::aggregate(const QString& expression) const
{
    const Condition where = m_last.value_or(conditions());
    return Sql::scalar(QStringLiteral("select ") + expression + QStringLiteral(" from ") + tailOf(m_desc.from, where),
                       boundValues(m_desc.values, where));
}

bool ListWindow::run(const Condition& where)
{
    const QString tail = tailOf(m_desc.from, where);
    const QVariantList values = boundValues(m_desc.values, where);
    QString key = m_desc.key;
    if (key.isEmpty()) // the first table's id
        key = firstTable(m_desc.from) + QStringLiteral(".id");
    // Few matches are sorted rather than read along an index of the order,
    // which can mean reading most of a table when they lie at its far end. Up
    // to FewRows always; up to ManyRows when a range of dates is searched and
    // counting the matches was quick: the rows of a range lie together in the
    // order, far back in a log of millions of rows when the range is, while
    // the matches of other conditions are spread over the order and fill a
    // page soon when read along it.
    constexpr qint64 FewRows = 50000, ManyRows = 500000;
    constexpr qint64 QuickCountMs = 100;
    const bool ranged = std::any_of(m_filters.cbegin(), m_filters.cend(),
                                    [](const Filter& f) { return f.range && f.boxes.first()->isEnabled(); });
    QString count;
    const bool ok = Db::guard([&] {
        QElapsedTimer counting;
        counting.start();
        const QVariant n = Sql::scalar(QStringLiteral("select count(*) from ") + tail, values);
        count = n.toString();
        const bool few = n.toLongLong() <= FewRows ||
                         (ranged && n.toLongLong() <= ManyRows && counting.elapsed() <= QuickCountMs);
        // The collation is the connection's, known only at the search.
        const QString order = m_desc.persianOrder ? persianOrderOf(m_desc.orderBy) : m_desc.orderBy;
        m_model->setQuery({m_desc.columns, tail, values, order, key, few});
    });
    if (!ok)
        return false;
    m_found = count.toLongLong();
    m_last = where;
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
    if (!m_desc.grid.isEmpty()) {
        for (int c = 0; c < names.size(); ++c)
            header->setSectionHidden(c, true);
        int position = 0;
        for (const auto& column : std::as_const(m_desc.grid)) {
            const int c = m_model->columnOf(column.first);
            if (c < 0)
                continue;
            header->setSectionHidden(c, false);
            header->moveSection(header->visualIndex(c), position++);
        }
    }
    m_fitted.clear();
    for (int c = 0; c < names.size(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        header->resizeSection(c, fittedWidth(c));
        m_fitted.insert(c, header->sectionSize(c));
    }
    // The first row is the current one, as after every search.
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, header->logicalIndex(0)));
}

int ListWindow::fittedWidth(int column) const
{
    // A title is never cut.
    constexpr int Widest = WidestColumn;
    const QHeaderView* header = m_grid->horizontalHeader();
    const int title = header->sectionSizeHint(column);
    // The rows in sight (the table view's own measure, public through its base).
    const QAbstractItemView* view = m_grid;
    const int fitted = std::min(std::max(view->sizeHintForColumn(column), title), std::max(Widest, title));
    return std::max(fitted, m_desc.widths.value(m_model->columnNames().value(column), 0));
}

void ListWindow::widenColumns()
{
    QHeaderView* header = m_grid->horizontalHeader();
    for (auto it = m_fitted.begin(); it != m_fitted.end(); ++it) {
        if (header->isSectionHidden(it.key()) || header->sectionSize(it.key()) != it.value())
            continue; // hidden since, or sized by the user
        const int width = fittedWidth(it.key());
        if (width > it.value()) {
            header->resizeSection(it.key(), width);
            it.value() = header->sectionSize(it.key());
        }
    }
}

void ListWindow::clearFilters()
{
    for (const Filter& f : std::as_const(m_filters)) {
        f.check->setChecked(false);
        toggle_filter_box(f.check, f.boxes.value(0), f.boxes.value(1), m_desc.filterLook);
        for (QWidget* box : f.boxes)
            clearBox(box);
    }
}

void ListWindow::emptyFilterBoxes()
{
    for (const Filter& f : std::as_const(m_filters))
        for (QWidget* box : f.boxes)
            clearBox(box);
}

bool ListWindow::exportRows()
{
    // A long list keeps the window painted and shows how far it is.
    std::optional<Progress> progress;
    return export_rows_to_excel(m_model->columnNames(), m_desc.exportTitles, [&](const RowWriter& write) {
        QStringList texts;
        qint64 done = 0;
        m_model->readAll([&](const QVariantList& values) {
            texts.clear();
            for (const QVariant& v : values)
                texts << ListModel::text(v);
            write(texts);
            if (++done % 2000 == 0) {
                if (!progress)
                    progress.emplace(CoreText::ExportRunning, false);
                progress->step(done, m_found); // no cancel: a failure beneath stops it here
            }
        });
    }, m_grid->window()->windowTitle());
}

QVariantMap ListWindow::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? m_model->row(index.row()) : QVariantMap();
}
