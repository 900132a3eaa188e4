#include "list_sheet.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <xlsxwriter.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace Sheet {

namespace {
// The ranges of the layout, as column counts from A.
constexpr int FramedColumns = 13; // A to M
constexpr int BoldColumns = 27;   // A to AA
constexpr double ColumnWidth = 10;
// The most characters a cell holds.
constexpr int CellMax = 32767;
// Rows handed to the writing thread at a time, and the most batches waiting:
// the memory a list of any length takes stays the same.
constexpr int BatchRows = 256;
constexpr size_t WaitingBatches = 16;
} // namespace

struct ListWriter::Impl {
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* titleFramed = nullptr;
    lxw_format* titleBold = nullptr;
    lxw_format* rowFramed = nullptr;
    // The same formats for a cell laid out left to right (a number, a phone
    // number, a Latin text) in the right-to-left sheet; plain at the end.
    QHash<lxw_format*, lxw_format*> leftToRight;
    lxw_row_t row = 0;
    QString error;

    // The rows are laid into the sheet on a thread of their own while the
    // caller reads the next ones (the workbook's writing and packing is most
    // of an export's time); the batches between the two are few.
    std::thread writer;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<QList<QStringList>> waiting;
    QList<QStringList> batch;
    bool finished = false;

    void writeRows(const QList<QStringList>& rows)
    {
        for (const QStringList& values : rows) {
            if (!error.isEmpty())
                return;
            ++row;
            if (row >= LXW_ROW_MAX) {
                error = QStringLiteral("the list has more rows than a sheet holds");
                return;
            }
            for (int c = 0; c < qMax(int(values.size()), FramedColumns); ++c) {
                const QString value = c < values.size() ? values[c].trimmed() : QString();
                write(c, value, c < FramedColumns ? rowFramed : nullptr);
            }
        }
    }

    void writeWaiting()
    {
        for (;;) {
            QList<QStringList> rows;
            {
                std::unique_lock<std::mutex> hold(lock);
                changed.wait(hold, [this] { return finished || !waiting.empty(); });
                if (waiting.empty())
                    return; // finished, and every batch written
                rows = std::move(waiting.front());
                waiting.pop_front();
            }
            changed.notify_all();
            writeRows(rows);
        }
    }

    void hand(QList<QStringList>&& rows)
    {
        if (!writer.joinable())
            writer = std::thread([this] { writeWaiting(); });
        {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [this] { return waiting.size() < WaitingBatches; });
            waiting.push_back(std::move(rows));
        }
        changed.notify_all();
    }

    // Waits until every row handed over is in the sheet.
    void drain()
    {
        if (!batch.isEmpty())
            hand(std::exchange(batch, {}));
        if (!writer.joinable())
            return;
        {
            std::lock_guard<std::mutex> hold(lock);
            finished = true;
        }
        changed.notify_all();
        writer.join();
    }

    void check(lxw_error result)
    {
        if (result != LXW_NO_ERROR && error.isEmpty())
            error = QString::fromUtf8(lxw_strerror(result));
    }

    void write(int column, QString text, lxw_format* format)
    {
        if (text.size() > CellMax) {
            text.truncate(CellMax);
            if (text.back().isHighSurrogate())
                text.chop(1);
        }
        // A text that reads like the workbook escape of a character (_x0041_)
        // would be read back as that character: escape its "_" (_x005F_).
        static const QRegularExpression looksEscaped(QStringLiteral("_(?=x[0-9A-Fa-f]{4}_)"));
        if (text.contains(QLatin1String("_x")))
            text.replace(looksEscaped, QStringLiteral("_x005F_"));
        if (text.isEmpty()) {
            if (format)
                check(worksheet_write_blank(sheet, row, lxw_col_t(column), format));
            return;
        }
        // Each cell in the direction of its own text.
        if (!text.isRightToLeft())
            format = leftToRight.value(format);
        check(worksheet_write_string(sheet, row, lxw_col_t(column), text.toUtf8().constData(), format));
    }
};

ListWriter::ListWriter(const QString& path) : d(new Impl)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    d->book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (d->book)
        d->sheet = workbook_add_worksheet(d->book, "Sheet1");
    if (!d->sheet) {
        d->error = QStringLiteral("cannot start the workbook");
        return;
    }
    worksheet_right_to_left(d->sheet);
    d->titleBold = workbook_add_format(d->book);
    format_set_bold(d->titleBold);
    d->titleFramed = workbook_add_format(d->book);
    format_set_bold(d->titleFramed);
    format_set_border(d->titleFramed, LXW_BORDER_SLANT_DASH_DOT);
    d->rowFramed = workbook_add_format(d->book);
    format_set_border(d->rowFramed, LXW_BORDER_THIN);
    for (lxw_format* format : {d->titleBold, d->titleFramed, d->rowFramed, static_cast<lxw_format*>(nullptr)}) {
        lxw_format* twin = workbook_add_format(d->book);
        if (format == d->titleBold || format == d->titleFramed)
            format_set_bold(twin);
        if (format == d->titleFramed)
            format_set_border(twin, LXW_BORDER_SLANT_DASH_DOT);
        if (format == d->rowFramed)
            format_set_border(twin, LXW_BORDER_THIN);
        format_set_reading_order(twin, 1);
        d->leftToRight.insert(format, twin);
    }
}

ListWriter::~ListWriter()
{
    d->drain();
    if (d->book)
        workbook_close(d->book);
}

void ListWriter::writeTitles(const QStringList& titles)
{
    if (!d->error.isEmpty())
        return;
    const int count = int(titles.size());
    if (count > 0)
        d->check(worksheet_set_column(d->sheet, 0, lxw_col_t(count - 1), ColumnWidth, nullptr));
    for (int c = 0; c < qMax(count, BoldColumns); ++c) {
        lxw_format* format = c < FramedColumns ? d->titleFramed : c < BoldColumns ? d->titleBold : nullptr;
        d->write(c, c < count ? titles[c] : QString(), format);
    }
}

void ListWriter::writeRow(const QStringList& values)
{
    if (!d->sheet)
        return;
    d->batch.append(values);
    if (d->batch.size() == BatchRows)
        d->hand(std::exchange(d->batch, {}));
}

bool ListWriter::close(QString* error)
{
    d->drain();
    if (d->book) {
        const lxw_error result = workbook_close(d->book);
        d->book = nullptr;
        d->check(result);
    }
    if (error)
        *error = d->error;
    return d->error.isEmpty();
}

} // namespace Sheet
