#pragma once
// Reads one sheet of a workbook, .xlsx or .xls (told by the file's content,
// not its name), as a table of texts. Text cells come in the form typed text
// is stored in (TextInput::normalize: the stored yeh, ASCII digits, no control
// characters); numbers as their shortest decimal text; dates of .xls files as
// yyyy-mm-dd text.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace Sheet {

struct Table {
    // rows[0] is the sheet's row 1; a row holds its cells from column A up to
    // its last non-empty one. Missing rows are empty lists.
    QList<QStringList> rows;

    // The text of a cell (0-based), empty where there is none.
    QString cell(int row, int column) const;
};

// The sheet of that name; nothing, with the reason, when the file cannot be
// read or has no such sheet.
std::optional<Table> readSheet(const QString& path, const QString& sheetName,
                               QString* error = nullptr);

} // namespace Sheet
