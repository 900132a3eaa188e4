#pragma once
// Reads one sheet of an .xls in a process of its own: the reader program
// (tuvek-xls-reader, beside the program) opens it with FreeXL under its own
// limits of memory and processor time (xls_reader_main.cpp) and hands the
// cells back (xls_stream.h). A file that crashes FreeXL, or makes it allocate
// without end, ends the reader, not the program.
//
// The reader is given 120 seconds from its start; past them it is killed.
// What it hands back is bounded as it comes: cells inside the format's rows
// and columns, each once, in order; a text at most XlsStream::MaxCellBytes,
// and the sheet's texts, a shared one counted once, at most
// XlsStream::MaxTextBytes; each shared text held by the cell that follows it.
// A reader that dies, is killed, passes a bound or ends without saying the
// sheet was read whole has read nothing: the sheet is unreadable.

#include "platform/sheet/xls_stream.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

namespace XlsProcess {

// How long the reader may take, from its start.
constexpr int DeadlineMs = 120000;

// A cell as the reader handed it: its kind (XlsStream::Int, Double, Text or
// Shared) and the value of that kind.
struct Cell {
    quint32 row;
    quint16 column;
    XlsStream::Tag kind;
    qint32 integer = 0;
    double number = 0;
    QByteArrayView text; // UTF-8, valid only during the call
    quint32 shared = 0;  // the number of a shared text already handed to share
};

// Reads the sheet of that name, handing each shared text to share and each
// cell to take as they come (those of a sheet that ends refused or
// unreadable are handed too: they are to be dropped). waiting, when given,
// is called every tenth of a second or so while the reader works. Nothing
// when the sheet was read whole, else why not (SheetUnreadable for the
// reader's death, limit or silence).
std::optional<XlsStream::Refusal> read(const QString& path, const QString& sheetName,
                                       const std::function<void(QByteArrayView)>& share,
                                       const std::function<void(const Cell&)>& take,
                                       const std::function<void()>& waiting = {});

} // namespace XlsProcess
