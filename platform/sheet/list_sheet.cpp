#include "list_sheet.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <xlsxwriter.h>

namespace Sheet {

namespace {
// The ranges of the layout, as column counts from A.
constexpr int FramedColumns = 13; // A to M
constexpr int BoldColumns = 27;   // A to AA
constexpr double ColumnWidth = 10;
// The most characters a cell holds.
constexpr int CellMax = 32767;
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
    if (!d->error.isEmpty())
        return;
    ++d->row;
    if (d->row >= LXW_ROW_MAX) {
        d->error = QStringLiteral("the list has more rows than a sheet holds");
        return;
    }
    for (int c = 0; c < qMax(int(values.size()), FramedColumns); ++c) {
        const QString value = c < values.size() ? values[c].trimmed() : QString();
        d->write(c, value, c < FramedColumns ? d->rowFramed : nullptr);
    }
}

bool ListWriter::close(QString* error)
{
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
