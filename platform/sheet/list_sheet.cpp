#include "list_sheet.h"

#include <QRegularExpression>

#include <QDateTime>
#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <zip.h>

namespace Sheet {

namespace {
// The ranges of the layout, as column counts from A.
constexpr int FramedColumns = 13; // A to M
constexpr int BoldColumns = 27;   // A to AA
// A width of 10 characters as the workbook stores it (with the cell padding).
constexpr const char* ColumnWidth = "10.7109375";
// The most characters a cell holds, and the most rows a sheet holds.
constexpr int CellMax = 32767;
constexpr int RowMax = 1048576;
// The sheet is packed in pieces of this size, so the memory stays the same
// however long the list.
constexpr size_t Piece = 1 << 18;
// The most pieces that wait for the packing thread.
constexpr size_t Waiting = 4;
// The zip entries are written without the zip64 extension, which some
// spreadsheet programs refuse.
constexpr qint64 EntryMax = 0xFFFFFFFFLL;

// The cell styles, as numbered in Styles below: each with its twin for a cell
// laid out left to right (a number, a phone number, a Latin text) in the
// right-to-left sheet.
enum Style { Plain = 0, TitleFramed = 2, TitleBold = 4, RowFramed = 6 };
// An amount: a number cell shown grouped by three (the built-in format
// "#,##0"), framed or not; numbers read left to right, so no twin.
enum AmountStyle { Amount = 8, AmountFramed = 9 };
constexpr int LeftToRight = 1; // added to a style for its left-to-right twin

constexpr const char* Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

constexpr const char* ContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" "
    "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "</Types>";

constexpr const char* PackageRelations =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" "
    "Target=\"docProps/core.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties\" "
    "Target=\"docProps/app.xml\"/>"
    "</Relationships>";

constexpr const char* AppProperties =
    "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
    "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
    "<DocSecurity>0</DocSecurity><ScaleCrop>false</ScaleCrop>"
    "<HeadingPairs><vt:vector size=\"2\" baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>"
    "<vt:variant><vt:i4>1</vt:i4></vt:variant></vt:vector></HeadingPairs>"
    "<TitlesOfParts><vt:vector size=\"1\" baseType=\"lpstr\"><vt:lpstr>Sheet1</vt:lpstr></vt:vector></TitlesOfParts>"
    "<LinksUpToDate>false</LinksUpToDate><SharedDoc>false</SharedDoc><HyperlinksChanged>false</HyperlinksChanged>"
    "</Properties>";

constexpr const char* Workbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<bookViews><workbookView/></bookViews>"
    "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
    "</workbook>";

constexpr const char* WorkbookRelations =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "</Relationships>";

// Fonts: 0 plain, 1 bold. Borders: 0 none, 1 slanted dash-dot, 2 thin.
// Cell styles in the order of enum Style, each followed by its twin.
constexpr const char* Styles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"2\">"
    "<font><sz val=\"11\"/><color rgb=\"FF000000\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "<font><b/><sz val=\"11\"/><color rgb=\"FF000000\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "</fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"3\"><border><left/><right/><top/><bottom/><diagonal/></border>"
    "<border><left style=\"slantDashDot\"><color auto=\"1\"/></left><right style=\"slantDashDot\"><color auto=\"1\"/></right>"
    "<top style=\"slantDashDot\"><color auto=\"1\"/></top><bottom style=\"slantDashDot\"><color auto=\"1\"/></bottom>"
    "<diagonal/></border>"
    "<border><left style=\"thin\"><color auto=\"1\"/></left><right style=\"thin\"><color auto=\"1\"/></right>"
    "<top style=\"thin\"><color auto=\"1\"/></top><bottom style=\"thin\"><color auto=\"1\"/></bottom>"
    "<diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"10\">"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyAlignment=\"1\">"
    "<alignment readingOrder=\"1\"/></xf>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyFont=\"1\" applyBorder=\"1\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"1\" xfId=\"0\" applyFont=\"1\" applyBorder=\"1\" "
    "applyAlignment=\"1\"><alignment readingOrder=\"1\"/></xf>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\" applyAlignment=\"1\">"
    "<alignment readingOrder=\"1\"/></xf>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\" applyBorder=\"1\"/>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\" applyBorder=\"1\" applyAlignment=\"1\">"
    "<alignment readingOrder=\"1\"/></xf>"
    "<xf numFmtId=\"3\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>"
    "<xf numFmtId=\"3\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\" applyNumberFormat=\"1\" "
    "applyBorder=\"1\"/>"
    "</cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";
} // namespace

// The package goes through the writer of a file kept whole: minizip's file
// functions over its device.
namespace Io {
voidpf open(voidpf file, const void*, int) { return file; }
uLong read(voidpf, voidpf, void*, uLong) { return 0; }
uLong write(voidpf, voidpf file, const void* data, uLong size)
{
    const auto bytes = QByteArray::fromRawData(static_cast<const char*>(data), qsizetype(size));
    return static_cast<SaveFile::Writer*>(file)->write(bytes) ? size : 0;
}
ZPOS64_T tell(voidpf, voidpf file) { return ZPOS64_T(static_cast<SaveFile::Writer*>(file)->device().pos()); }
long seek(voidpf, voidpf file, ZPOS64_T offset, int origin)
{
    QIODevice* d = &static_cast<SaveFile::Writer*>(file)->device();
    const qint64 from = origin == ZLIB_FILEFUNC_SEEK_CUR ? d->pos() : origin == ZLIB_FILEFUNC_SEEK_END ? d->size() : 0;
    return d->seek(from + qint64(offset)) ? 0 : -1;
}
// The file is moved in, or dropped, by the writer itself.
int close(voidpf, voidpf) { return 0; }
int error(voidpf, voidpf) { return 0; }
} // namespace Io

struct ListWriter::Impl {
    std::unique_ptr<SaveFile::Writer> file;
    SaveFile::Outcome saved;
    zipFile zip = nullptr;
    bool inSheet = false;
    bool begun = false; // the sheet's XML up to its rows is written
    int row = 0;
    qint64 sheetBytes = 0;
    std::string out; // the sheet's XML not yet packed
    std::vector<std::string> letters; // of the columns so far: A, B, ...
    QList<int> amounts; // the columns of amounts of money
    QString error;

    // The sheet is packed on a thread of its own while the next rows are read
    // and laid out.
    std::thread packer;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::string> waiting; // pieces not yet packed
    std::vector<std::string> spare;  // packed pieces, their memory kept for the next
    bool lastPiece = false;
    std::atomic<bool> packingFailed{false};

    void fail(const QString& reason)
    {
        if (error.isEmpty())
            error = reason;
    }

    // One whole entry of the package; the sheet is opened and then streamed.
    bool open(const char* name)
    {
        zip_fileinfo info{};
        const QDateTime now = QDateTime::currentDateTime();
        info.tmz_date.tm_year = uint(now.date().year());
        info.tmz_date.tm_mon = uint(now.date().month() - 1);
        info.tmz_date.tm_mday = uint(now.date().day());
        info.tmz_date.tm_hour = uint(now.time().hour());
        info.tmz_date.tm_min = uint(now.time().minute());
        info.tmz_date.tm_sec = uint(now.time().second());
        if (zipOpenNewFileInZip64(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, Z_BEST_SPEED, 0)
            != ZIP_OK) {
            fail(QStringLiteral("cannot add %1 to the workbook").arg(QLatin1String(name)));
            return false;
        }
        return true;
    }

    bool put(const char* data, size_t size)
    {
        while (size > 0) {
            const unsigned n = unsigned(std::min<size_t>(size, 1u << 30));
            if (zipWriteInFileInZip(zip, data, n) != ZIP_OK)
                return false;
            data += n;
            size -= n;
        }
        return true;
    }

    void pack(const char* data, size_t size)
    {
        if (zip && error.isEmpty() && !put(data, size))
            fail(QStringLiteral("cannot write the workbook"));
    }

    void entry(const char* name, const char* text)
    {
        if (!zip || !error.isEmpty() || !open(name))
            return;
        pack(Declaration, std::strlen(Declaration));
        pack(text, std::strlen(text));
        if (zipCloseFileInZip(zip) != ZIP_OK)
            fail(QStringLiteral("cannot write the workbook"));
    }

    void packSheet()
    {
        std::unique_lock held(lock);
        for (;;) {
            changed.wait(held, [&] { return !waiting.empty() || lastPiece; });
            if (waiting.empty())
                return;
            std::string piece = std::move(waiting.front());
            waiting.pop_front();
            held.unlock();
            changed.notify_all();
            if (!packingFailed && !put(piece.data(), piece.size()))
                packingFailed = true;
            piece.clear();
            held.lock();
            spare.push_back(std::move(piece));
        }
    }

    // Hands the XML so far to the packing thread.
    void flush()
    {
        sheetBytes += qint64(out.size());
        if (sheetBytes > EntryMax)
            fail(QStringLiteral("the list is larger than a workbook holds"));
        if (packingFailed)
            fail(QStringLiteral("cannot write the workbook"));
        if (!zip || !error.isEmpty()) {
            out.clear();
            return;
        }
        if (!packer.joinable())
            packer = std::thread([this] { packSheet(); });
        std::string next;
        {
            std::unique_lock held(lock);
            changed.wait(held, [&] { return waiting.size() < Waiting; });
            waiting.push_back(std::move(out));
            if (!spare.empty()) {
                next = std::move(spare.back());
                spare.pop_back();
            }
        }
        changed.notify_all();
        out = std::move(next);
        out.reserve(Piece + (1 << 16));
    }

    // Waits until every piece handed over is packed.
    void finishPacking()
    {
        if (!packer.joinable())
            return;
        {
            std::lock_guard held(lock);
            lastPiece = true;
        }
        changed.notify_all();
        packer.join();
        if (packingFailed)
            fail(QStringLiteral("cannot write the workbook"));
    }

    const std::string& letter(int column)
    {
        while (int(letters.size()) <= column) {
            std::string name;
            for (int c = int(letters.size()) + 1; c > 0; c = (c - 1) / 26)
                name.insert(name.begin(), char('A' + (c - 1) % 26));
            letters.push_back(std::move(name));
        }
        return letters[size_t(column)];
    }

    void number(int n)
    {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        out.append(digits, end);
    }

    void cellStart(int column, int style)
    {
        out += "<c r=\"";
        out += letter(column);
        number(row);
        out += '"';
        if (style != Plain) {
            out += " s=\"";
            out += char('0' + style);
            out += '"';
        }
    }

    // The text as the workbook stores it: UTF-8 with the markup characters
    // escaped, a control character in the workbook's own escape (_x0001_), and
    // a text that reads like that escape with its "_" escaped (_x005F_), so
    // that it reads back as it was.
    void text(const QString& value)
    {
        const char16_t* s = reinterpret_cast<const char16_t*>(value.constData());
        const qsizetype size = value.size();
        static const char hex[] = "0123456789ABCDEF";
        const auto isHex = [](char16_t c) {
            return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
        };
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = s[i];
            if (c < 0x80) {
                switch (c) {
                case u'&': out += "&amp;"; break;
                case u'<': out += "&lt;"; break;
                case u'>': out += "&gt;"; break;
                case u'\t':
                case u'\n':
                case u'\r': out += char(c); break;
                case u'_':
                    if (i + 6 < size && s[i + 1] == u'x' && isHex(s[i + 2]) && isHex(s[i + 3]) && isHex(s[i + 4])
                        && isHex(s[i + 5]) && s[i + 6] == u'_')
                        out += "_x005F_";
                    else
                        out += '_';
                    break;
                default:
                    if (c < 0x20) {
                        out += "_x00";
                        out += hex[c >> 4];
                        out += hex[c & 15];
                        out += '_';
                    } else {
                        out += char(c);
                    }
                }
            } else if (c < 0x800) {
                out += char(0xC0 | (c >> 6));
                out += char(0x80 | (c & 0x3F));
            } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(s[i + 1])) {
                const char32_t u = QChar::surrogateToUcs4(c, s[++i]);
                out += char(0xF0 | (u >> 18));
                out += char(0x80 | ((u >> 12) & 0x3F));
                out += char(0x80 | ((u >> 6) & 0x3F));
                out += char(0x80 | (u & 0x3F));
            } else {
                const char16_t u = QChar::isSurrogate(c) || c >= 0xFFFE ? char16_t(0xFFFD) : c;
                out += char(0xE0 | (u >> 12));
                out += char(0x80 | ((u >> 6) & 0x3F));
                out += char(0x80 | (u & 0x3F));
            }
        }
    }

    // A number of at most 15 whole digits (exact in the workbook's numbers)
    // as a number cell; anything else as text.
    void writeAmount(int column, const QString& value, bool framed)
    {
        static const QRegularExpression whole(QStringLiteral("^-?[0-9]{1,15}([.][0-9]+)?$"));
        if (!whole.match(value).hasMatch()) {
            write(column, value, framed ? RowFramed : Plain);
            return;
        }
        cellStart(column, framed ? AmountFramed : Amount);
        out += "><v>";
        out += value.toStdString();
        out += "</v></c>";
    }

    void write(int column, QString value, int style)
    {
        if (value.size() > CellMax) {
            value.truncate(CellMax);
            if (value.back().isHighSurrogate())
                value.chop(1);
        }
        if (value.isEmpty()) {
            if (style != Plain) {
                cellStart(column, style);
                out += "/>";
            }
            return;
        }
        // Each cell in the direction of its own text.
        cellStart(column, value.isRightToLeft() ? style : style + LeftToRight);
        const bool blankAtAnEnd = value.front().isSpace() || value.back().isSpace();
        out += blankAtAnEnd ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">" : " t=\"inlineStr\"><is><t>";
        text(value);
        out += "</t></is></c>";
    }

    // The sheet up to its rows: the view from right to left, and the width of
    // the titled columns.
    void begin(int titled)
    {
        out += Declaration;
        out += "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
               "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
               "<sheetViews><sheetView rightToLeft=\"1\" tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
               "<sheetFormatPr defaultRowHeight=\"15\"/>";
        if (titled > 0) {
            out += "<cols><col min=\"1\" max=\"";
            number(titled);
            out += "\" width=\"";
            out += ColumnWidth;
            out += "\" customWidth=\"1\"/></cols>";
        }
        out += "<sheetData>";
        begun = true;
    }

    void endRow()
    {
        out += "</row>";
        if (out.size() >= Piece)
            flush();
    }
};

ListWriter::ListWriter(const QString& path) : d(new Impl)
{
    d->file = std::make_unique<SaveFile::Writer>(path);
    d->saved.path = path;
    zlib_filefunc64_def io{&Io::open, &Io::read, &Io::write, &Io::tell, &Io::seek, &Io::close, &Io::error,
                           d->file.get()};
    d->zip = zipOpen2_64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE, nullptr, &io);
    if (!d->zip) {
        d->fail(QStringLiteral("cannot start the workbook"));
        return;
    }
    d->out.reserve(Piece + (1 << 16));
    d->entry("[Content_Types].xml", ContentTypes);
    d->entry("_rels/.rels", PackageRelations);
    d->entry("docProps/app.xml", AppProperties);
    const QByteArray created = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
    const QByteArray core =
        "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
        "<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + created + "</dcterms:created>"
        "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + created + "</dcterms:modified>"
        "</cp:coreProperties>";
    d->entry("docProps/core.xml", core.constData());
    d->entry("xl/workbook.xml", Workbook);
    d->entry("xl/_rels/workbook.xml.rels", WorkbookRelations);
    d->entry("xl/styles.xml", Styles);
    if (d->error.isEmpty() && d->open("xl/worksheets/sheet1.xml"))
        d->inSheet = true;
}

ListWriter::~ListWriter()
{
    d->finishPacking();
    if (d->zip) {
        if (d->inSheet)
            zipCloseFileInZip(d->zip);
        zipClose(d->zip, nullptr);
    }
}

void ListWriter::writeTitles(const QStringList& titles)
{
    if (!d->error.isEmpty())
        return;
    const int count = int(titles.size());
    d->begin(count);
    d->out += "<row r=\"1\">";
    d->row = 1;
    for (int c = 0; c < qMax(count, BoldColumns); ++c) {
        const int style = c < FramedColumns ? TitleFramed : c < BoldColumns ? TitleBold : Plain;
        d->write(c, c < count ? titles[c] : QString(), style);
    }
    d->endRow();
}

void ListWriter::setAmountColumns(const QList<int>& columns)
{
    d->amounts = columns;
}

void ListWriter::writeRow(const QStringList& values)
{
    if (!d->error.isEmpty())
        return;
    if (d->row >= RowMax) {
        d->fail(QStringLiteral("the list has more rows than a sheet holds"));
        return;
    }
    if (!d->begun)
        d->begin(0);
    ++d->row;
    d->out += "<row r=\"";
    d->number(d->row);
    d->out += "\">";
    for (int c = 0; c < qMax(int(values.size()), FramedColumns); ++c) {
        const QString value = c < values.size() ? values[c].trimmed() : QString();
        if (d->amounts.contains(c) && !value.isEmpty())
            d->writeAmount(c, value, c < FramedColumns);
        else
            d->write(c, value, c < FramedColumns ? RowFramed : Plain);
    }
    d->endRow();
}

bool ListWriter::close(QString* error)
{
    if (d->zip) {
        if (d->inSheet) {
            if (!d->begun)
                d->begin(0);
            d->out += "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
                      "header=\"0.3\" footer=\"0.3\"/></worksheet>";
            d->flush();
            d->finishPacking();
            if (zipCloseFileInZip(d->zip) != ZIP_OK)
                d->fail(QStringLiteral("cannot write the workbook"));
            d->inSheet = false;
        }
        if (zipClose(d->zip, nullptr) != ZIP_OK)
            d->fail(QStringLiteral("cannot finish the workbook"));
        d->zip = nullptr;
    }
    // Moved in only when the whole package was written.
    d->saved = d->error.isEmpty() ? d->file->commit() : d->file->cancel();
    if (!d->saved.ok())
        d->fail(QStringLiteral("cannot write the workbook file"));
    if (error)
        *error = d->error;
    return d->error.isEmpty();
}

SaveFile::Outcome ListWriter::saved() const { return d->saved; }

} // namespace Sheet
