#pragma once
// The cells of a workbook sheet fitted to the table columns they are written
// to: each cell cut to its column's width (at a character's boundary, as
// TextInput::cut does), and the cells cut counted with the workbook rows they
// were in, so that the import's closing message can say so.
//
//     Sheet::ColumnFit fit({10, 100, 100});          // the columns' widths; 0: no limit
//     values << fit.row(sheetRow, cells);            // the row as the workbook numbers it
//     Msg::info(fit.closing(PersonnelText::PlaceReplaced));

#include <QList>
#include <QString>
#include <QStringList>

namespace Sheet {

// Workbook rows (in the order met) as a message names them: runs of rows as
// ranges, the first twenty ranges named.
QString rowRanges(const QList<int>& rows);

class ColumnFit {
public:
    explicit ColumnFit(QList<int> widths) : m_widths(std::move(widths)) {}

    // The cells of a workbook row (numbered as the workbook shows it), each
    // cut to the width of its column.
    QStringList row(int sheetRow, const QStringList& cells);

    int cellsCut() const { return m_cellsCut; }
    // The workbook rows that had a cell cut, in the order met.
    const QList<int>& rowsCut() const { return m_rowsCut; }
    // The closing message of an import: done, and, when cells were cut, on
    // a line of its own how many and in which rows (runs of rows as ranges,
    // the first twenty ranges named).
    QString closing(const QString& done) const;

private:
    QList<int> m_widths;
    int m_cellsCut = 0;
    QList<int> m_rowsCut;
};

} // namespace Sheet
