#pragma once
// Reads one sheet of a workbook, .xlsx or .xls (told by the file's content,
// not its name), as a table of texts. Text cells come in the form typed text
// is stored in (TextInput::normalize: the stored yeh, ASCII digits, no control
// characters); numbers as their shortest decimal text; dates of .xls files as
// yyyy-mm-dd text. The sheet is named without regard to case ("sheet1" finds
// "Sheet1"), as workbook programs name sheets.
//
// What the file holds, not what it claims, is what the reading costs: the
// parts of an .xlsx are read as they are unpacked, never whole in memory;
// only the cells that hold a value are kept, so blank rows and cells in
// between cost nothing. A sheet is refused, with the cause in the office's
// words, when a row or column lies past what the format holds, when a part
// unpacks past its bounds below (its stated sizes are held to them before
// it is unpacked, its bytes while it is), or when its text declares or uses
// an entity that is not XML's own, or when a cell's text passes the
// format's 32,767 characters; whitespace between elements costs nothing, and
// no piece of a part's XML is held past 1 MiB. An .xls is read by FreeXL in a
// reader program of its own (platform/sheet/xls_process.h), under limits of
// memory and time: its crash, its limit or its silence is a sheet that cannot
// be read. FreeXL sets aside room for every cell of the size the sheet
// states: that size is held to the format's before any cell is read (at most
// 256 MiB of room).

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

namespace Sheet {

// The most rows and columns (XFD) a sheet of an .xlsx holds; an .xls holds
// 65,536 rows and 256 columns.
constexpr qint64 MaxRows = 1048576;
constexpr qint64 MaxColumns = 16384;
constexpr qint64 MaxXlsRows = 65536;
constexpr qint64 MaxXlsColumns = 256;

// The most an .xlsx part may unpack to: the sheet 1 GiB (a sheet of every
// row of the format, with a dozen framed columns, is about 600 MiB), its
// shared texts 256 MiB, the list of sheets and its relationships 16 MiB each.
// A part that unpacks to more than 100 times its packed size is refused once
// past 16 MiB: sheets of values pack about 10 to 1, a sheet of blank cells
// a thousand to 1.
constexpr qint64 MaxSheetBytes = qint64(1) << 30;
constexpr qint64 MaxSharedTextBytes = qint64(256) << 20;
constexpr qint64 MaxListBytes = qint64(16) << 20;
constexpr qint64 MaxPackingRatio = 100;
constexpr qint64 RatioCheckedFrom = qint64(16) << 20;

// The most characters a cell holds. A text that passes it refuses the sheet
// as soon as it does, never read whole; no piece of a part's XML is held
// whole past 1 MiB, and whitespace between elements is passed over as the
// part is unpacked, so it costs nothing kept.
constexpr qsizetype MaxCellCharacters = 32767;

// The most the table of an .xlsx sheet may keep: 448 MiB, a cell counted at
// 16 bytes, a shared text at 8 and a character of text at 2 (a sheet of
// every row of the format, with six columns of places, keeps about 200 MiB).
// A sheet that would keep more is refused as it is read: so reading any
// workbook stays under 1 GB, putting cells read out of order in order (half
// as much again) included.
constexpr qint64 MaxTableBytes = qint64(448) << 20;

// The rows of a sheet. Only the cells that hold a value are kept; a row is
// made into its list of cells when asked for.
class Rows {
public:
    // The sheet's rows up to its last that holds a value.
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // A row (0 = the sheet's row 1): its cells from column A up to its last
    // that holds a value; a row without any is an empty list.
    QStringList operator[](qsizetype row) const;
    QStringList value(qsizetype row) const { return (*this)[row]; }
    // The text of a cell (0-based), empty where there is none.
    QString cell(qsizetype row, qsizetype column) const;
    // The most columns any row spans.
    int width() const { return m_width; }
    // The rows (0-based) that hold a value, in order.
    QList<int> filled() const;

    bool operator==(const QList<QStringList>& rows) const;

private:
    friend class RowsBuilder;
    // A cell and its text, a stretch of m_text.
    struct Cell {
        quint32 row;
        quint32 column;
        quint32 start;
        quint32 length;
    };
    // Cell positions of a row's first cell and after its last.
    std::pair<qsizetype, qsizetype> span(qsizetype row) const;

    QList<Cell> m_cells; // in order of row, then column
    QString m_text;
    qsizetype m_size = 0;
    int m_width = 0;
};

struct Table {
    Rows rows;

    // The text of a cell (0-based), empty where there is none.
    QString cell(int row, int column) const { return rows.cell(row, column); }
};

// The sheet of that name; nothing, with the reason in the office's words,
// when the file cannot be read, has no such sheet or is refused. An .xls is
// read in a process of its own (xls_process.h), whose crash, limit or
// silence makes the sheet unreadable; waiting, when given, is called every
// tenth of a second or so meanwhile (to keep the windows painted).
std::optional<Table> readSheet(const QString& path, const QString& sheetName,
                               QString* error = nullptr, const std::function<void()>& waiting = {});

} // namespace Sheet
