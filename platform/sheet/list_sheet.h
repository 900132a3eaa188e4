#pragma once
// Writes a list into a new .xlsx workbook, laid out as the office's list
// exports always were: one sheet "Sheet1", the titles in row 1 and the rows
// below, every value as text without leading and trailing blanks (amounts of
// money as numbers). The title
// row is bold over A1:AA1 and framed with slanted dash-dot lines over A1:M1;
// each data row is framed with thin lines over columns A to M; every titled
// column is 10 characters wide.
//
// Rows go to disk as they are written (constant memory), so a list of any
// length costs the same memory. The workbook is written beside its place and
// moved in only when whole.

#include "platform/ui/save_file.h"

#include <QString>
#include <QList>
#include <QStringList>
#include <memory>

namespace Sheet {

class ListWriter {
public:
    explicit ListWriter(const QString& path);
    ~ListWriter();
    ListWriter(const ListWriter&) = delete;
    ListWriter& operator=(const ListWriter&) = delete;

    // Row 1. Call once, before the rows.
    void writeTitles(const QStringList& titles);
    // Columns (from 0) of amounts of money: their whole numbers are written
    // as number cells shown grouped by three ("2,500,000"), anything else in
    // them as text. Call before the rows.
    void setAmountColumns(const QList<int>& columns);
    // The next data row.
    void writeRow(const QStringList& values);
    // Finishes the file. False, with the reason, when anything went wrong on
    // the way; the file is then not to be used.
    bool close(QString* error = nullptr);
    // How the file fared: nothing is at the path unless close() succeeded;
    // a failure to write the file says why (the disk is full, the folder
    // cannot be written).
    SaveFile::Outcome saved() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace Sheet
