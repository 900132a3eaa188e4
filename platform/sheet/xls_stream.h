#pragma once
// What the .xls reader program (tuvek-xls-reader, xls_reader_main.cpp) hands
// back on its standard output, read by xls_process.cpp. Both ends are built
// together for the same machine, so numbers go in the machine's own order.
//
// A stream is records, each a tag byte and its fields:
//   Int     row u32, column u16, value i32
//   Double  row u32, column u16, value f64
//   Text    row u32, column u16, length u32, that many bytes of UTF-8
//   Shared  row u32, column u16, index u32: the text of that number (from 0)
//   SharedText  length u32, that many bytes of UTF-8: a text of the workbook's
//           shared texts, numbered in order, sent once, just before the
//           first cell that holds it
//   Refused why u8 (XlsRefusal): the sheet is not read; nothing follows
//   End     the sheet was read whole; nothing follows
// Cells come in order of row, then column, empty cells left out.

#include <cstdint>

namespace XlsStream {

enum Tag : std::uint8_t {
    Int = 'i',
    Double = 'd',
    Text = 't',
    Shared = 's',
    SharedText = 'T',
    Refused = 'r',
    End = 'e',
};

// Why the reader refused the sheet, as the in-program checks said it before.
enum class Refusal : std::uint8_t {
    NotAWorkbook = 1,  // FreeXL does not open the file
    WorkbookUnreadable, // its list of sheets is unreadable
    NoSuchSheet,
    SheetUnreadable,
    RowsPastLimit,    // the sheet states more rows than the format holds
    ColumnsPastLimit, // or more columns
};

// The most bytes one cell's text may take: a text of BIFF holds at most
// 65,535 characters, each at most 3 bytes of UTF-8. The program takes no more
// than MaxTextBytes of text from one sheet (as much as an .xlsx's shared texts).
constexpr std::uint32_t MaxCellBytes = 65535 * 3;
constexpr std::uint64_t MaxTextBytes = std::uint64_t(256) << 20;

} // namespace XlsStream
