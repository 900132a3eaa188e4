// tuvek-xls-reader FILE SHEET: reads the sheet of that name (told without
// regard to case) of an .xls with FreeXL and writes its cells on standard
// output (xls_stream.h). The program starts it for each .xls it reads
// (xls_process.cpp): what FreeXL does with a hostile file (a crash, reads
// past its buffers, allocation without end) ends here, not in the program.
//
// It runs under limits of its own, set before the file is opened: 512 MiB
// of address space (FreeXL sets aside 16 bytes for every cell of the size a
// sheet states, 256 MiB for the format's largest, 65,536 rows by 256 columns,
// and holds the workbook's texts besides: such a sheet of numbers takes this
// program 324 MiB of address space and 2 to 4 seconds), 60 seconds of
// processor time, and no core file. A file that needs more memory than that
// is unreadable. Built for AddressSanitizer, whose shadow memory is address
// space, the memory limit is the sanitizer's own limit of resident memory,
// 1 GiB.

#include "platform/sheet/workbook_reader.h"
#include "platform/sheet/xls_stream.h"

#include <QString>
#include <cstdio>
#include <cstring>
#include <freexl.h>
#include <sys/resource.h>
#include <unordered_map>

#ifdef __SANITIZE_ADDRESS__
extern "C" const char* __asan_default_options()
{
    return "hard_rss_limit_mb=1024:allocator_may_return_null=1";
}
#endif

namespace {

constexpr rlim_t MemoryBytes = rlim_t(512) << 20;
constexpr rlim_t ProcessorSeconds = 60;

bool limit(int resource, rlim_t value)
{
    const rlimit bound{value, value};
    return setrlimit(resource, &bound) == 0;
}

template <class T> void put(const T& value) { std::fwrite(&value, sizeof value, 1, stdout); }

void cell(XlsStream::Tag tag, unsigned int row, unsigned short column)
{
    put(std::uint8_t(tag));
    put(std::uint32_t(row));
    put(std::uint16_t(column));
}

// The stream ends; 0 when all of it was written.
int end()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 4;
}

// A text cell, or a shared text (row and column left out); false, with
// nothing written, for a text longer than any the format holds.
bool text(XlsStream::Tag tag, const char* utf8, unsigned int row = 0, unsigned short column = 0)
{
    const std::size_t length = utf8 ? std::strlen(utf8) : 0;
    if (length > XlsStream::MaxCellBytes)
        return false;
    if (tag == XlsStream::SharedText)
        put(std::uint8_t(tag));
    else
        cell(tag, row, column);
    put(std::uint32_t(length));
    if (length > 0)
        std::fwrite(utf8, 1, length, stdout);
    return true;
}

int refuse(XlsStream::Refusal why)
{
    put(std::uint8_t(XlsStream::Refused));
    put(why);
    return end();
}

} // namespace

int main(int argc, char** argv)
{
    if (!limit(RLIMIT_CPU, ProcessorSeconds) || !limit(RLIMIT_CORE, 0))
        return 3;
#ifndef __SANITIZE_ADDRESS__
    if (!limit(RLIMIT_AS, MemoryBytes))
        return 3;
#endif
    if (argc != 3)
        return 2;
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    using XlsStream::Refusal;

    const void* handle = nullptr;
    // A file that takes more memory than the limit is unreadable, not
    // "not a workbook".
    if (const int opened = freexl_open(argv[1], &handle); opened != FREEXL_OK)
        return refuse(opened == FREEXL_INSUFFICIENT_MEMORY ? Refusal::SheetUnreadable : Refusal::NotAWorkbook);
    // FreeXL opens a workbook whose sizes it cannot take (a sheet stating
    // more rows than the format holds) but answers nothing of it after.
    unsigned int sheets = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK)
        return refuse(Refusal::WorkbookUnreadable);
    const QString sheetName = QString::fromLocal8Bit(argv[2]);
    int found = -1;
    for (unsigned int i = 0; i < sheets && i <= 0xFFFF && found < 0; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, (unsigned short)i, &name) == FREEXL_OK && name
            && QString::fromUtf8(name).compare(sheetName, Qt::CaseInsensitive) == 0)
            found = int(i);
    }
    if (found < 0)
        return refuse(Refusal::NoSuchSheet);

    // The sizes the sheet states are held to what the format holds before
    // any cell is asked for.
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, (unsigned short)found) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        return refuse(Refusal::SheetUnreadable);
    if (rows > Sheet::MaxXlsRows)
        return refuse(Refusal::RowsPastLimit);
    if (columns > Sheet::MaxXlsColumns)
        return refuse(Refusal::ColumnsPastLimit);

    std::unordered_map<const char*, std::uint32_t> shared; // the number of each shared text sent
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK)
                return refuse(Refusal::SheetUnreadable);
            switch (value.type) {
            case FREEXL_CELL_INT:
                cell(XlsStream::Int, r, c);
                put(std::int32_t(value.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                cell(XlsStream::Double, r, c);
                put(value.value.double_value);
                break;
            case FREEXL_CELL_SST_TEXT: {
                // FreeXL hands every cell of a shared text the same text,
                // which goes once: a sheet of a few texts repeated costs the
                // program what they hold, not what the cells repeat.
                const auto [at, added] = shared.try_emplace(value.value.text_value, std::uint32_t(shared.size()));
                if (added && !text(XlsStream::SharedText, value.value.text_value))
                    return refuse(Refusal::SheetUnreadable);
                cell(XlsStream::Shared, r, c);
                put(at->second);
                break;
            }
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (!text(XlsStream::Text, value.value.text_value, r, c))
                    return refuse(Refusal::SheetUnreadable);
                break;
            default:
                break;
            }
        }
    }
    put(std::uint8_t(XlsStream::End));
    freexl_close(handle);
    return end();
}
