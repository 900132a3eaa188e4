#pragma once
// The small behaviours that the list and entry windows of every subsystem
// share, each written once here under the name the windows know it by.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableView;
class QWidget;

// Pairs of column name and Persian title.
using CaptionTable = QList<QPair<QString, QString>>;
// The titles a table gives the columns named, in that order (a column's first
// title in the table counts): one table of a list's titles serves its grid
// and its export.
CaptionTable captions_of(const CaptionTable& titles, const QStringList& columns);

// A model tells the export the names of its columns through this header role;
// a model without it is taken to have its header texts as names.
constexpr int ColumnNameRole = 0x0100 + 1; // Qt::UserRole + 1

// A new file in the user's documents folder named after what it holds and
// today's Persian date ("<name> 1403-05-09<extension>"), never an earlier
// file's name (" (2)" and on are added); empty without the folder.
QString documents_file(const QString& name, const QString& extension);

// Writes every row of a list (all columns of its model, in the model's column
// order and the rows in the order shown) into a new workbook in the user's
// documents folder, named after the list and today's Persian date ("گزارش
// فعاليت كاربران 1403-05-09.xlsx", never over an earlier file), and opens it
// with the desktop; when nothing opens it, a message says where it is. Row 1
// holds each column's title from the caption table (exact name), or the
// column name where the table has none. False, after a message, when the
// workbook could not be written.
bool export_grid_to_excel(QAbstractItemModel* dataset, const CaptionTable& captions,
                          const QString& listName = QString());

// The same workbook from rows that come one at a time: rows gives each row's
// texts to write, in the order of the column names. A database error that rows
// throws is shown as such, and no workbook is left.
using RowWriter = std::function<void(const QStringList& texts)>;
bool export_rows_to_excel(const QStringList& columnNames, const CaptionTable& captions,
                          const std::function<void(const RowWriter& write)>& rows,
                          const QString& listName = QString());
// The same for the rows of a statement, in its order, headed by the captions
// of their column names (a name found in both tables of a join is the
// second's with "_1").
bool export_query_to_excel(const QString& sql, const QVariantList& values, const CaptionTable& captions);

// A click on a title of a list's grid: the first click on a column sorts the
// rows ascending, the next descending, then ascending again; a click on another
// column starts ascending. The clicked title turns bold and the window
// remembers it. The whole list is read again in the new order (the search's
// conditions stay as they were when it ran). Grids over other models than a
// list's are left alone.
void sort_grid_by_title(QTableView* grid, int column);

// How a filter box shows that its filter is on.
enum class FilterLook {
    Highlighted, // yellow and focused while on, the window colour while off
    Plain,       // only enabled and disabled
};

// A filter check box was ticked or unticked: its box (or its two boxes, a
// from-to range) is enabled exactly while the box is ticked, which is what
// the search reads.
void toggle_filter_box(QCheckBox* check, QWidget* box, QWidget* box2 = nullptr,
                       FilterLook look = FilterLook::Highlighted);

// Enter in each box of a chain moves the cursor to the box after it; the key
// itself goes on as usual.
void enter_to_next_field(const QList<QWidget*>& chain);

// The box takes digits only, typed or pasted; Persian and Arabic digits become
// their ASCII digits.
void digits_only_key(QLineEdit* box);

// Limits an entry box to the characters its column holds, by the schema's own
// widths (Schema::columnWidth), so that no backend is sent a longer text:
//
//     limit_to_column(ui->cmt, "setting", "cmt");        // a QLineEdit: 150
//     limit_to_column(ui->semat, "users", "semat");      // an editable QComboBox
//     limit_to_column(ui->Memo1, "payamha", "mozo");     // QPlainTextEdit / QTextEdit
//
// Every entry box of a window calls it once, when the window is made. A
// column that is not text, or that the schema does not know, leaves the box
// as it is.
void limit_to_column(QWidget* box, const QString& table, const QString& column);

// The order of a settings list's items: Persian alphabetical, or the order
// the office entered them in (the table's).
enum class SettingOrder { Alphabetical, Table };

// Fills a drop-down list with the items of a settings list (table setting),
// by default in Persian alphabetical order. Text typed into the box stays.
void fill_combo_from_setting(QComboBox* list, const QString& listName,
                             SettingOrder order = SettingOrder::Alphabetical);

// Fills drop-down lists with these items; text typed into the boxes stays.
void fill_list_items(const QList<QComboBox*>& lists, const QStringList& items);

// Fills drop-down lists with one column of a statement's rows, in the order the
// statement gives them; several lists are filled from one run. Text typed into
// the boxes stays. On a database error the message is shown and the lists keep
// their items.
void fill_list_from_query(const QList<QComboBox*>& lists, const QString& sql,
                          const QVariantList& values, const QString& column);
