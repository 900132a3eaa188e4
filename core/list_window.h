#pragma once
// The list window of every subsystem: one statement searched with the filters
// that check boxes switch on, the count of the rows found, a grid over the
// window's own rows, sorting by a clicked title and the export to a workbook.
// A window describes its list once and keeps only what is really its own:
//
//     ListWindow list({.from = "log where karbar<>?", .values = {QString()},
//                      .orderBy = "saat_sys desc, id desc", .grid = {...}, .exportTitles = {...},
//                      .filterLook = FilterLook::Plain},
//                     ui->DBGrid1, ui->cnt, this);
//     list.contains(ui->CheckBox1, ui->karbar, "karbar");
//     list.range(ui->CheckBox2, ui->dat1, ui->dat2, "tarikh");
//     connect(ui->BitBtn1, &QPushButton::clicked, &list, &ListWindow::search);

#include "core/list_behaviours.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QTableView;
class QWidget;

struct ListPlan;

// A piece of a WHERE clause (" and ..." with "?" placeholders) and its values, in order.
struct Condition {
    QString sql;
    QVariantList values;
};

// The statement of a search, read a page at a time in a fixed order: each page
// is one short statement that starts after the last row read, so the first rows
// show at once on a big table, nothing stays open on the connection between
// pages, and rows that others add or delete meanwhile never make a row show
// twice or go missing.
struct ListQuery {
    QString columns;     // after "select"
    QString tail;        // after "from": the tables and the conditions
    QVariantList values; // bound in tail
    // Expressions over the tables, each optionally followed by asc or desc.
    QString orderBy;
    // An expression with a different value on every row ("log.id"); it settles
    // the order of rows that orderBy leaves equal.
    QString key;
    // The search is known to match few rows: they are sorted, not read along
    // an index of the order.
    bool few = false;
};

// The rows of a list as the database gave them, read as the grid asks for
// them. Columns found twice in a join carry the suffix "_1" the second time.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows the first rows of a search in the query's order. On a database
    // error DbError is thrown and the rows shown stay as they were.
    void setQuery(const ListQuery& query);
    // No rows; the columns are those given to setColumnsBeforeSearch.
    void clear();
    // The columns shown while no search has run (and after clear()): their
    // titles over no rows, so that an empty grid says what it will list.
    void setColumnsBeforeSearch(const QStringList& names);

    const QStringList& columnNames() const { return m_names; }
    int columnOf(const QString& name) const { return m_names.indexOf(name); }
    // A value of a shown row (in the order shown); invalid outside the list.
    QVariant value(int row, const QString& column) const;
    QVariantMap row(int row) const;
    // Reads the rows not yet read.
    void fetchAll();
    // Reads every row of the list again from the database, in the order shown,
    // and gives each row's values (in column order) to take; nothing is kept.
    // Throws DbError.
    void readAll(const std::function<void(const QVariantList& values)>& take) const;

    // The grid's titles, by column name; columns without one show their name.
    void setTitles(const CaptionTable& titles);

    // A column's title drawn on a colour of its own.
    void setTitleColour(const QString& name, const QColor& colour);

    // The column whose title is bold; it stays bold across searches.
    QString boldColumn() const { return m_bold; }
    void setBoldColumn(const QString& name);

    // Sorts the whole list by a column, read again from the database: empty
    // values first, numbers and dates by value, texts in Persian alphabetical
    // order; equal rows keep their order. The current row follows its record.
    // On a database error the message is shown and the rows stay as they were.
    void sortRows(int column, Qt::SortOrder order);
    // The sort of the rows shown, when they are sorted.
    struct SortState {
        QString column;
        Qt::SortOrder order;
    };
    std::optional<SortState> sortState() const { return m_sort; }

    // The text a value shows as, in the grid and in the export.
    static QString text(const QVariant& value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // A value that cannot be shown (an amount the database holds as no
    // amount) shows empty; the clerk is told once a list, after the paint.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;

private:
    // The statement of the rows in the order shown.
    ListPlan plan() const;
    QVariant raw(int row, int column) const;
    // Inside a catch: logs the error, tells it once after the paint, and
    // gives the empty value shown instead.
    QVariant notShown() const;
    QVariant cell(const QModelIndex& index, int role) const;
    QVariant title(int section, Qt::Orientation orientation, int role) const;

    void setNoRows(const QStringList& names);

    ListQuery m_query;
    QStringList m_beforeSearch;
    int m_sortColumn = -1; // sorted by a title: its column, before the query's own order
    bool m_descending = false;
    QStringList m_names;
    QList<bool> m_text; // whether a column holds text
    QList<bool> m_money; // whether a column holds amounts of money
    // The rows read: the shown columns, then the row's place in the order.
    QList<QVariantList> m_rows;
    bool m_atEnd = true;
    std::optional<SortState> m_sort;
    QString m_bold;
    QHash<QString, QString> m_titles;
    QHash<QString, QColor> m_titleColours;
    mutable bool m_failureTold = false; // a value that could not be shown was told, for these rows
};

// The cells of a list's grid: each laid out by the direction of its own text,
// a Persian cell right to left, a number, a phone number or a Latin text left
// to right (and kept to the cell's right edge, as the grid's columns are).
// A grid that draws its cells its own way derives from it.
class GridCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The direction a cell's text is laid out in.
    static Qt::LayoutDirection direction(const QString& text);

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// What a list window searches and shows.
struct ListDescription {
    QString columns = QStringLiteral("*");
    // The tables and the base condition, after "from": "vam left join personel
    // on vam.personel_id=personel.id where vam.id<>-1". The conditions of the
    // scope and of the filters are appended to it (after a "where 1=1" when it
    // has no WHERE of its own).
    QString from;
    QVariantList values; // bound in from
    // After "order by": expressions over the tables, each optionally followed
    // by asc or desc; empty: the order of key.
    QString orderBy;
    // Whether the terms of orderBy (texts) sort in Persian alphabetical order.
    bool persianOrder = false;
    // A column with a different value on every row, which settles the order of
    // rows that orderBy leaves equal; empty: id of the first table in from.
    QString key;
    // The columns the grid shows, in order, with their titles; empty: every column.
    CaptionTable grid;
    CaptionTable exportTitles;
    // The least width of a grid column, by column name; every column is as
    // wide as its title and contents, and the last takes the free space.
    QHash<QString, int> widths;
    bool titleSort = false; // a click on a title sorts the rows
    FilterLook filterLook = FilterLook::Highlighted;
};

class ListWindow : public QObject {
    Q_OBJECT
public:
    // The widest a column grows to fit its rows: a fifth of a small screen, so
    // that one long text cannot push the other columns out of sight (a cut
    // cell shows its whole text as a tooltip).
    static constexpr int WidestColumn = 280;

    ListWindow(ListDescription desc, QTableView* grid, QLabel* countLabel, QObject* parent);

    // Filters, applied in the order they are added, each while its box is
    // enabled (its check box ticked). Box texts are read in their stored form
    // (TextInput::normalize: digits in ASCII, the stored yeh and kaf).
    // expression LIKE '%text%', case-insensitive, either kaf finding both:
    void contains(QCheckBox* check, QWidget* box, const QString& expression);
    // The condition of that filter for a text (an empty one: the rows with a
    // value); with the list's first table, through the column's own index
    // where there is one.
    static Condition containsCondition(const QString& expression, const QString& text, const QString& table = {});
    // expression = text:
    void equals(QCheckBox* check, QWidget* box, const QString& expression);
    // from <= expression <= to, both ends included (Persian dates compare as text):
    void range(QCheckBox* check, QWidget* from, QWidget* to, const QString& expression);
    // Any other condition over the box texts (one "?" per value given).
    void filter(QCheckBox* check, const QList<QWidget*>& boxes, const QString& condition,
                std::function<QVariantList(const QStringList& texts)> values);
    // A condition whose shape changes from search to search, made from the box
    // texts (or anything else the window holds) each time.
    void filter(QCheckBox* check, const QList<QWidget*>& boxes,
                std::function<Condition(const QStringList& texts)> build);

    // The row scope, asked at each search: anything with .sql and .values
    // (" and ..." and its bound values), for example the current user's scope.
    template <class F> void setScope(F scope)
    {
        m_scope = [scope] {
            const auto clause = scope();
            return Condition{clause.sql, clause.values};
        };
    }

    // The search: counts the rows, then lists them. On a database error the
    // message is shown and both the count and the grid stay as they were.
    bool search();
    // Every row of the window's scope, whatever the filters say (an opener
    // that lists everything); the next search takes the filters again.
    bool listAll();
    // Runs the last search's statements again (after a row was added, changed
    // or deleted); a search with no filter when none ran yet.
    bool reload();
    // Unticks every filter check box, which disables the boxes, and empties them.
    void clearFilters();
    // Empties every filter box and leaves the ticks as they are: a window
    // opened again keeps the filters its user switched on.
    void emptyFilterBoxes();
    // The export of every row of the list in the order shown, read again from
    // the database a row at a time, with the desc's titles.
    bool exportRows();

    // A value over the rows of the last search, read with its conditions:
    // aggregate("sum(paziraei.cnt)"). Throws DbError.
    QVariant aggregate(const QString& expression) const;

    ListModel* model() const { return m_model; }
    QTableView* grid() const { return m_grid; }
    // The grid's current row, as column name -> value; empty when there is none.
    QVariantMap currentRow() const;
    QVariant current(const QString& column) const { return currentRow().value(column); }

    // The statements of a search with the filters as they stand (for tests).
    Condition conditions() const;
    // The conditions of the filters that are on, without the scope and
    // without the filters of the check boxes left out (a statement of the
    // window's own that filters as the list does).
    Condition filterConditions(const QList<QCheckBox*>& leaveOut = {}) const;

signals:
    // A search or reload showed new rows.
    void searched();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A filter's condition from its boxes' texts, made at each search.
    using Build = std::function<Condition(const QStringList& texts)>;
    struct Filter {
        QCheckBox* check;
        QList<QWidget*> boxes;
        Build build;
        bool range = false; // a range of dates (or other values of the rows' order)
    };
    void addFilter(QCheckBox* check, const QList<QWidget*>& boxes, Build build);
    bool run(const Condition& where);
    void showColumns();
    // A column as wide as its title and the rows read, within the widest a
    // column is made; the widths the window gives are the least.
    int fittedWidth(int column) const;
    // Rows that come into sight widen the columns they do not fit, unless the
    // user has set the column's width.
    void widenColumns();

    ListDescription m_desc;
    QTableView* m_grid;
    QLabel* m_count;
    ListModel* m_model;
    QList<Filter> m_filters;
    std::function<Condition()> m_scope;
    std::optional<Condition> m_last;
    qint64 m_found = 0; // the rows the last search counted
    QHash<int, int> m_fitted; // column -> the width the list gave it
};
