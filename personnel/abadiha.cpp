#include "abadiha.h"
#include "ui_abadiha.h"

#include "core/entry.h"
#include "core/exclusive_save.h"
#include "core/list_window.h"
#include "core/lock_keys.h"
#include "core/log_row.h"
#include "core/places.h"
#include "core/schema.h"
#include "core/session.h"
#include "core/setting_values.h"
#include "core/texts.h"
#include "personnel/abadiha_ins.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/sheet/column_fit.h"
#include "platform/sheet/workbook_reader.h"
#include "platform/ui/msg.h"
#include "platform/ui/progress.h"
#include "platform/ui/window_set.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QHeaderView>
#include <algorithm>

// The rows of a workbook sheet as read: its first row titles the columns, the
// others that hold a value are the places (blank rows are not listed, only
// counted).
class SheetPreview : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(Sheet::Table table)
    {
        beginResetModel();
        m_table = std::move(table);
        m_columns = m_table.rows.width();
        m_rows = m_table.rows.filled();
        if (!m_rows.isEmpty() && m_rows.first() == 0)
            m_rows.removeFirst();
        endResetModel();
    }
    void clear() { setTable({}); }
    // The workbook's number of a data row (0 = the first place listed).
    int sheetRow(int row) const { return m_rows.at(row) + 1; }
    // The cells of a data row, one per column.
    QStringList place(int row) const
    {
        QStringList cells = m_table.rows[m_rows.at(row)];
        cells.resize(m_columns);
        return cells;
    }
    // The rows under the header, up to the last place, that hold nothing.
    int blankRows() const { return qMax(0, int(m_table.rows.size()) - 1 - int(m_rows.size())); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_columns; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_table.cell(m_rows.at(index.row()), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Vertical) // numbered as in the workbook, as the closing message names them
            return sheetRow(section);
        return m_table.cell(0, section);
    }

private:
    Sheet::Table m_table;
    QList<int> m_rows; // the sheet's rows (0-based) under the header that hold a value
    int m_columns = 0;
};

namespace {

const QStringList PlaceColumns = {QStringLiteral("cod"),      QStringLiteral("ostan"),    QStringLiteral("city"),
                                  QStringLiteral("bakhsh"),   QStringLiteral("dehestan"), QStringLiteral("rosta")};

ListDescription list_description()
{
    ListDescription desc;
    desc.from = QStringLiteral("abadiha where id<>-1");
    desc.orderBy = QStringLiteral("city, bakhsh, dehestan, rosta");
    desc.persianOrder = true;
    desc.grid = PersonnelText::PlaceGrid;
    desc.exportTitles = PersonnelText::PlaceExport;
    desc.titleSort = true;
    return desc;
}

Tabadiha_ins* entry() { return win<Tabadiha_ins>(QStringLiteral("abadiha_ins")); }

// Several places a statement, for few round trips; fifty (300 bound values),
// because the embedded database's driver spends more per value the more
// values one statement has, and well under what any of the servers allows.
constexpr int PlacesPerStatement = 50;

QString insert_places_sql(int places)
{
    QStringList rows;
    for (int i = 0; i < places; ++i)
        rows << QStringLiteral("(?,?,?,?,?,?)");
    return QStringLiteral("insert into abadiha (") + PlaceColumns.join(QLatin1Char(',')) + QStringLiteral(") values ") +
           rows.join(QLatin1Char(','));
}

} // namespace

Tabadiha::Tabadiha(QWidget* parent) : Form(parent), ui(new Ui::Tabadiha), m_sheet(new SheetPreview(this))
{
    ui->setupUi(this);
    m_list = new ListWindow(list_description(), ui->DBGrid1, ui->cnt, this);
    // The filters in the order the search adds them.
    m_list->contains(ui->CheckBox3, ui->cod, QStringLiteral("cod"));
    m_list->contains(ui->CheckBox6, ui->dehestan, QStringLiteral("dehestan"));
    m_list->contains(ui->CheckBox4, ui->ostan, QStringLiteral("ostan"));
    m_list->contains(ui->CheckBox5, ui->bakhsh, QStringLiteral("bakhsh"));
    m_list->contains(ui->CheckBox1, ui->city, QStringLiteral("city"));
    m_list->contains(ui->CheckBox2, ui->rosta, QStringLiteral("rosta"));
    ui->Label8->setText(PersonnelText::PlaceSheetNote.arg(PersonnelText::PlaceSheetName));
    ui->DBGrid2->setModel(m_sheet);
    ui->DBGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->DBGrid2->setItemDelegate(new GridCells(ui->DBGrid2)); // a cut cell shows whole as its tooltip
    ui->DBGrid1->addActions({ui->N2, ui->N3, ui->N1});

    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tabadiha::BitBtn1Click);
    connect(ui->Excel_btn, &QPushButton::clicked, this, &Tabadiha::Excel_btnClick);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &Tabadiha::BitBtn2Click);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tabadiha::ins_btnClick);
    connect(ui->N1, &QAction::triggered, this, &Tabadiha::N1Click);
    connect(ui->N2, &QAction::triggered, this, &Tabadiha::N2Click);
    connect(ui->N3, &QAction::triggered, this, &Tabadiha::N3Click);
}

Tabadiha::~Tabadiha() { delete ui; }

void Tabadiha::enableCommands(const PageRights& rights)
{
    enable_commands(this, Commands, rights);
}

void Tabadiha::prepareForOpening()
{
    for (QLineEdit* box : {ui->ostan, ui->bakhsh, ui->dehestan, ui->cod, ui->city, ui->rosta})
        box->clear();
    ui->cnt2->setText(QStringLiteral("0"));
}

void Tabadiha::BitBtn1Click() { m_list->search(); }

void Tabadiha::Excel_btnClick() { m_list->exportRows(); }

void Tabadiha::N2Click()
{
    Tabadiha_ins* place = entry();
    connect(place, &Tabadiha_ins::saved, this, &Tabadiha::BitBtn1Click, Qt::UniqueConnection);
    place->openNew();
    place->showModal();
}

void Tabadiha::N3Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    Tabadiha_ins* place = entry();
    connect(place, &Tabadiha_ins::saved, this, &Tabadiha::BitBtn1Click, Qt::UniqueConnection);
    place->openEdit(row);
    place->showModal();
}

void Tabadiha::N1Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    // A wrong password does nothing and shows nothing; the list is read again either way.
    if (ask_delete_password(CoreText::DeletePasswordList)) {
        const QString log = PersonnelText::LogPlaceDeleted + row.value(QStringLiteral("cod")).toString() +
                            QLatin1Char(' ') + Session::user().karbar;
        if (delete_record(QStringLiteral("abadiha"), row.value(QStringLiteral("id")).toLongLong(),
                          [&] { write_log_row(log); }, DeletePlace.right))
            Msg::info(PersonnelText::Deleted);
    }
    m_list->reload();
}

bool Tabadiha::openSheet(const QString& path)
{
    m_sheet->clear();
    QString error;
    std::optional<Sheet::Table> table;
    {
        // An .xls is read by a program of its own, for as long as it takes
        // (bounded there): the windows stay painted, and take no input.
        Progress reading(PersonnelText::PlaceSheetReading, false);
        table = Sheet::readSheet(path, PersonnelText::PlaceSheetName, &error, [&] { reading.step(0, 0); });
    }
    if (!table) {
        Msg::info(PersonnelText::PlaceSheetUnreadable + QLatin1Char('\n') + error);
        return false;
    }
    m_sheet->setTable(std::move(*table));
    ui->cnt2->setText(QString::number(m_sheet->rowCount()));
    return true;
}

int Tabadiha::sheetRows() const { return m_sheet->rowCount(); }

void Tabadiha::BitBtn2Click()
{
    if (const auto path = Msg::openFileName(PersonnelText::PlaceBrowse, PersonnelText::PlaceFileFilter))
        openSheet(*path);
    ui->ProgressBar1->setValue(0);
    for (int c = 0; c < m_sheet->columnCount(); ++c)
        ui->DBGrid2->setColumnWidth(c, 100);
}

void Tabadiha::ins_btnClick()
{
    const bool yes = Msg::ask(PersonnelText::PlaceReplaceQuestion, Msg::Icon::Warning,
                              {Msg::Button::Yes, Msg::Button::No, Msg::Button::Cancel}) == Msg::Button::Yes;
    // The sheet's columns are checked whatever the answer.
    if (m_sheet->columnCount() != PlaceColumns.size()) {
        Msg::info(PersonnelText::PlaceColumnsDiffer);
        return;
    }
    if (!yes)
        return;
    // The rule of a place, row by row, before anything is deleted: a blank
    // row is left out; one without its province or county refuses the sheet.
    QList<int> rows; // the preview's rows that are places
    QList<int> unnamed;
    int blank = m_sheet->blankRows();
    for (int r = 0; r < m_sheet->rowCount(); ++r) {
        const QStringList cells = m_sheet->place(r);
        if (std::all_of(cells.cbegin(), cells.cend(), [](const QString& cell) { return cell.trimmed().isEmpty(); }))
            ++blank;
        else if (Places::missingName(cells.at(1), cells.at(2)) != Places::MissingName::None)
            unnamed << m_sheet->sheetRow(r);
        else
            rows << r;
    }
    if (!unnamed.isEmpty()) {
        Msg::info(PersonnelText::PlaceSheetUnnamed.arg(Sheet::rowRanges(unnamed)));
        return;
    }
    const int places = int(rows.size());
    if (places == 0) {
        Msg::info(PersonnelText::PlaceSheetEmpty);
        return;
    }
    ui->ProgressBar1->setRange(0, places);
    ui->ProgressBar1->setValue(0);
    // The old gazetteer stays whole unless every place of the sheet is written:
    // stopped part-way, the transaction takes back what was written.
    struct Stopped {};
    Progress progress(PersonnelText::PlaceReplacing);
    // No cell longer than its column; the closing message says which were cut.
    QList<int> widths;
    for (const QString& column : PlaceColumns)
        widths << Schema::columnWidth(QStringLiteral("abadiha"), column);
    Sheet::ColumnFit fit(widths);
    bool done = false;
    try {
        // A second clerk replacing the gazetteer at the same moment, or a
        // place added, edited or deleted meanwhile, waits: the gazetteer ends
        // as one sheet, never both.
        done = exclusive_save(ReplaceFromSheet.right, {Keys::table(QStringLiteral("abadiha"))}, QString(), [&] {
            Sql::exec(QStringLiteral("delete from abadiha"));
            const QString full = insert_places_sql(PlacesPerStatement);
            for (int first = 0; first < places; first += PlacesPerStatement) {
                const int n = qMin(PlacesPerStatement, places - first);
                QVariantList values;
                values.reserve(n * PlaceColumns.size());
                for (int i = first; i < first + n; ++i)
                    for (const QString& cell : fit.row(m_sheet->sheetRow(rows.at(i)), m_sheet->place(rows.at(i))))
                        values << cell;
                Sql::exec(n == PlacesPerStatement ? full : insert_places_sql(n), values);
                ui->ProgressBar1->setValue(first + n);
                if (!progress.step(first + n, places))
                    throw Stopped();
            }
        });
    } catch (const Stopped&) {
        ui->ProgressBar1->setValue(0);
        Msg::info(PersonnelText::PlaceReplaceStopped);
        return;
    }
    if (!done)
        return;
    QString closing = PersonnelText::PlaceReplaced;
    if (blank > 0)
        closing += QLatin1Char('\n') + PersonnelText::PlaceBlankRowsSkipped.arg(blank);
    Msg::info(fit.closing(closing));
}
