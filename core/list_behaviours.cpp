#include "list_behaviours.h"

#include "core/list_window.h"
#include "core/schema.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/sheet/list_sheet.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

bool export_grid_to_excel(QAbstractItemModel* dataset, const CaptionTable& captions, const QString& listName)
{
    // The whole list, as the search returned it.
    while (dataset->canFetchMore({}))
        dataset->fetchMore({});

    QStringList names;
    const int columns = dataset->columnCount();
    for (int c = 0; c < columns; ++c) {
        QVariant name = dataset->headerData(c, Qt::Horizontal, ColumnNameRole);
        if (!name.isValid())
            name = dataset->headerData(c, Qt::Horizontal, Qt::DisplayRole);
        names << name.toString();
    }
    return export_rows_to_excel(names, captions, [&](const RowWriter& write) {
        const int rows = dataset->rowCount();
        QStringList values;
        for (int r = 0; r < rows; ++r) {
            values.clear();
            for (int c = 0; c < columns; ++c)
                values << dataset->data(dataset->index(r, c)).toString();
            write(values);
        }
    }, listName);
}

QString documents_file(const QString& name, const QString& extension)
{
    const QString folder = Desktop::documentsFolder();
    if (folder.isEmpty())
        return {};
    QString base;
    for (QChar c : name.simplified())
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('_') ||
            c == QChar(0x200C))
            base.append(c);
    base = base.trimmed().left(80);
    if (base.isEmpty())
        base = QStringLiteral("list");
    base += QLatin1Char(' ') + Shamsi::fromDate(QDate::currentDate()).replace(QLatin1Char('/'), QLatin1Char('-'));
    QString path = folder + QLatin1Char('/') + base + extension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder + QLatin1Char('/') + base + QStringLiteral(" (%1)").arg(n) + extension;
    return path;
}

bool export_rows_to_excel(const QStringList& columnNames, const CaptionTable& captions,
                          const std::function<void(const RowWriter& write)>& rows, const QString& listName)
{
    QHash<QString, QString> titleOf;
    for (const auto& [name, title] : captions)
        if (!titleOf.contains(name))
            titleOf.insert(name, title);
    QStringList titles;
    for (const QString& name : columnNames)
        titles << titleOf.value(name, name);

    // The user keeps the workbook: it goes where the user's documents go.
    const QString path = documents_file(listName, QStringLiteral(".xlsx"));
    if (path.isEmpty()) {
        Msg::error(CoreText::ExportFailed);
        return false;
    }

    Sheet::ListWriter writer(path);
    writer.writeTitles(titles);
    QList<int> amounts;
    for (int c = 0; c < columnNames.size(); ++c)
        if (Schema::holdsMoney(columnNames.at(c)))
            amounts << c;
    writer.setAmountColumns(amounts);
    // A list that fails part-way is never closed: the writer drops its
    // workbook, and nothing is ever at the path.
    if (!Db::guard([&] { rows([&](const QStringList& texts) { writer.writeRow(texts); }); }))
        return false;
    QString error;
    if (!writer.close(&error)) {
        qWarning() << "export:" << error;
        // Nothing was left at the path; the disk full or the folder not
        // writable is said with it.
        Msg::error(writer.saved().message(CoreText::ExportFailed));
        return false;
    }
    // When nothing opens it, the user is told where it is.
    Desktop::openFile(path);
    return true;
}

bool export_query_to_excel(const QString& sql, const QVariantList& values, const CaptionTable& captions)
{
    QSqlQuery rows;
    QStringList names;
    if (!Db::guard([&] {
            rows = Sql::exec(sql, values);
            names = Sql::columnNames(rows.record());
        }))
        return false;
    return export_rows_to_excel(names, captions, [&](const RowWriter& write) {
        QStringList texts;
        while (Sql::next(rows)) {
            texts.clear();
            for (int c = 0; c < names.size(); ++c)
                texts << ListModel::text(rows.value(c));
            write(texts);
        }
        Sql::checkRead(rows);
    });
}

void sort_grid_by_title(QTableView* grid, int column)
{
    auto* list = qobject_cast<ListModel*>(grid->model());
    if (!list || column < 0 || column >= list->columnCount())
        return;
    const QString name = list->columnNames().at(column);
    list->setBoldColumn(name);
    const auto sorted = list->sortState();
    const bool ascendingNow = sorted && sorted->column == name && sorted->order == Qt::AscendingOrder;
    list->sortRows(column, ascendingNow ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void toggle_filter_box(QCheckBox* check, QWidget* box, QWidget* box2, FilterLook look)
{
    const bool on = check->isChecked();
    for (QWidget* b : {box, box2}) {
        if (!b)
            continue;
        b->setEnabled(on);
        if (look == FilterLook::Plain)
            continue;
        if (on) {
            QPalette yellow = b->palette();
            yellow.setColor(QPalette::Base, Qt::yellow);
            yellow.setColor(QPalette::Button, Qt::yellow); // lists that cannot be typed into
            b->setPalette(yellow);
        } else {
            b->setPalette(QPalette()); // the window's own colours again
        }
    }
    if (on && look == FilterLook::Highlighted && box)
        box->setFocus();
}

namespace {

// Moves the cursor on Enter, leaving the key to the box as well.
class NextField : public QObject {
public:
    NextField(QWidget* box, QWidget* next) : QObject(box), m_next(next) { box->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && m_next) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                m_next->setFocus();
        }
        return false;
    }

private:
    QPointer<QWidget> m_next;
};

// Fills the lists with what rows gives, keeping each list's typed text.
void fill(const QList<QComboBox*>& lists, const std::function<QSqlQuery()>& rows, const QString& column)
{
    QStringList items;
    if (!Db::guard([&] {
            QSqlQuery q = rows();
            while (Sql::next(q))
                items << q.value(column).toString();
            Sql::checkRead(q);
        }))
        return;
    fill_list_items(lists, items);
}

} // namespace

void fill_list_items(const QList<QComboBox*>& lists, const QStringList& items)
{
    for (QComboBox* list : lists) {
        const QString typed = list->currentText();
        list->clear();
        list->addItems(items);
        list->setCurrentIndex(list->findText(typed));
        if (list->isEditable())
            list->setEditText(typed);
    }
}

void enter_to_next_field(const QList<QWidget*>& chain)
{
    for (int i = 0; i + 1 < chain.size(); ++i)
        new NextField(chain[i], chain[i + 1]);
}

void digits_only_key(QLineEdit* box)
{
    TextInput::digitsOnly(box);
}

void limit_to_column(QWidget* box, const QString& table, const QString& column)
{
    TextInput::limitLength(box, Schema::columnWidth(table, column));
}

void fill_combo_from_setting(QComboBox* list, const QString& listName, SettingOrder order)
{
    fill({list}, [&] {
        const QString by = order == SettingOrder::Table
                               ? QStringLiteral("id")
                               : Database::current().dialect().persianOrder(QStringLiteral("cmt"));
        return Sql::exec(QStringLiteral("select cmt from setting where component=? order by ") + by, {listName});
    }, QStringLiteral("cmt"));
}

void fill_list_from_query(const QList<QComboBox*>& lists, const QString& sql, const QVariantList& values,
                          const QString& column)
{
    fill(lists, [&] { return Sql::exec(sql, values); }, column);
}

CaptionTable captions_of(const CaptionTable& titles, const QStringList& columns)
{
    CaptionTable picked;
    for (const QString& column : columns)
        for (const auto& title : titles)
            if (title.first == column) {
                picked.append(title);
                break;
            }
    return picked;
}
