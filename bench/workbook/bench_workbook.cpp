// Prints what reading a workbook's sheet costs: the peak memory and the time
// of each case, each read in a process of its own (this program run again
// with "read FILE"), so that one case's memory hides no other's.
//  - every row the format holds: 1,048,576 rows written by the list export
//    (a title row and 1,048,575 places of six columns, framed to column M);
//  - a blank-cell bomb: a sheet of about 1.5 GB of blank cells packed into a
//    couple of megabytes;
//  - 12.6 million numbered empty rows (a few megabytes packed);
//  - one place numbered row 50,000,000, and one numbered 2,147,483,647,
//    under a title row;
//  - one cell of 600 MB of text, and 1,000 MB of whitespace between two rows,
//    each packed about 90 to 1 (7 MB and 12 MB).
// The time is also given as the processor time the reading process used,
// which other work on the machine does not lengthen.
// Run it from the build folder: bench/workbook/bench_workbook.

#include "bench/support/measure.h"
#include "platform/sheet/list_sheet.h"
#include "platform/sheet/workbook_reader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <zip.h>

namespace {

const char* const Workbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const char* const Relations =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/></Relationships>";
const char* const SheetHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
const char* const SheetTail = "</sheetData></worksheet>";

// A workbook of one sheet "Sheet1" whose XML sheet() writes piece by piece
// through put().
template <class Sheet> void pack(const QString& path, Sheet sheet)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    const auto entry = [&](const char* name, auto body) {
        zip_fileinfo info{};
        zipOpenNewFileInZip64(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6, 1);
        body([&](const std::string& text) { zipWriteInFileInZip(zip, text.data(), unsigned(text.size())); });
        zipCloseFileInZip(zip);
    };
    entry("xl/workbook.xml", [](auto put) { put(Workbook); });
    entry("xl/_rels/workbook.xml.rels", [](auto put) { put(Relations); });
    entry("xl/worksheets/sheet1.xml", [&](auto put) {
        put(SheetHead);
        sheet(put);
        put(SheetTail);
    });
    zipClose(zip, nullptr);
}

void titleRow(const std::function<void(const std::string&)>& put)
{
    put("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>cod</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><t>ostan</t></is></c></row>");
}

void makeEveryRow(const QString& path)
{
    const QStringList counties{"ري", "شميرانات", "شيراز", "مرودشت", "ساري", "آمل", "رشت", "لاهيجان", "کرج", "قم"};
    Sheet::ListWriter writer(path);
    writer.writeTitles({"cod", "ostan", "city", "bakhsh", "dehestan", "rosta"});
    for (qint64 i = 1; i < Sheet::MaxRows; ++i)
        writer.writeRow({QString::number(100000 + i), QStringLiteral("استان %1").arg(i % 31),
                         counties[i % counties.size()], QStringLiteral("بخش %1").arg(i % 50),
                         QStringLiteral("دهستان %1").arg(i % 300), QStringLiteral("روستاي %1").arg(i)});
    writer.close();
}

// Rows of 16,384 blank cells, without references (as short as a blank cell
// is written), until about 1.5 GB.
void makeBlankBomb(const QString& path)
{
    pack(path, [](auto put) {
        std::string row;
        for (int c = 0; c < 16384; ++c)
            row += "<c s=\"1\"/>";
        for (int r = 1; qint64(r) * qint64(row.size()) < 1500000000; ++r)
            put("<row r=\"" + std::to_string(r) + "\">" + row + "</row>");
    });
}

void makeEmptyRows(const QString& path)
{
    pack(path, [](auto put) {
        std::string rows;
        for (int r = 1; r <= 12600000; ++r) {
            rows += "<row r=\"" + std::to_string(r) + "\"/>";
            if (rows.size() > (1 << 20)) {
                put(rows);
                rows.clear();
            }
        }
        put(rows);
    });
}

void makeFarRow(const QString& path, const char* row)
{
    pack(path, [&](auto put) {
        titleRow(put);
        put(std::string("<row r=\"") + row + "\"><c t=\"inlineStr\"><is><t>1</t></is></c>"
            "<c t=\"inlineStr\"><is><t>تهران</t></is></c></row>");
    });
}

// About `bytes` of the byte `common`, with one of `others` about every
// `every` bytes: packs about 90 to 1 when `every` is about 300.
template <class Put> void filler(Put put, qint64 bytes, char common, const std::string& others, int every)
{
    std::mt19937 random(7);
    std::string block(1 << 20, common);
    for (qint64 done = 0; done < bytes; done += qint64(block.size())) {
        std::fill(block.begin(), block.end(), common);
        for (size_t i = random() % every; i < block.size(); i += 1 + random() % (2 * every))
            block[i] = others[random() % others.size()];
        put(block);
    }
}

void makeLongText(const QString& path)
{
    pack(path, [](auto put) {
        put("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>");
        filler(put, 600000000, 'a', "bcdefghijklmnopqrstuvwxyz", 310);
        put("</t></is></c></row>");
    });
}

void makeSpaces(const QString& path)
{
    pack(path, [](auto put) {
        titleRow(put);
        filler(put, 1000000000, ' ', "\t\n\r", 250);
        put("<row r=\"2\"><c t=\"inlineStr\"><is><t>1</t></is></c></row>");
    });
}

// The child: reads the sheet and says what it cost.
int readOne(const QString& path)
{
    QString error;
    QElapsedTimer t;
    t.start();
    const auto table = Sheet::readSheet(path, QStringLiteral("Sheet1"), &error);
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    const QString outcome = table ? QStringLiteral("read, %1 rows, last cell \"%2\"")
                                        .arg(table->rows.size())
                                        .arg(table->rows.isEmpty() ? QString() : table->rows[table->rows.size() - 1].value(0))
                                  : QStringLiteral("refused: ") + error;
    rusage used{};
    getrusage(RUSAGE_SELF, &used);
    const double cpu = double(used.ru_utime.tv_sec + used.ru_stime.tv_sec)
                       + double(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;
    std::printf("peak %.0f MiB, %.2f s (%.2f s of processor), %s\n", Measure::peakMiB(), seconds, cpu,
                qPrintable(outcome));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "read") == 0)
        return readOne(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir folder;
    const auto run = [&](const char* name, const QString& file, auto make) {
        QElapsedTimer t;
        t.start();
        make(file);
        std::printf("%s (%.1f MB packed, made in %.0f s): ", name, double(QFileInfo(file).size()) / 1e6,
                    double(t.elapsed()) / 1000);
        std::fflush(stdout);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("read"), file});
        child.waitForFinished(-1);
        QFile::remove(file);
    };
    run("every row of the format, 1,048,576", folder.filePath(QStringLiteral("every_row.xlsx")), makeEveryRow);
    run("blank-cell bomb", folder.filePath(QStringLiteral("bomb.xlsx")), makeBlankBomb);
    run("12.6 million empty rows", folder.filePath(QStringLiteral("rows.xlsx")), makeEmptyRows);
    run("one row numbered 50,000,000", folder.filePath(QStringLiteral("far.xlsx")),
        [](const QString& f) { makeFarRow(f, "50000000"); });
    run("one row numbered 2,147,483,647", folder.filePath(QStringLiteral("farthest.xlsx")),
        [](const QString& f) { makeFarRow(f, "2147483647"); });
    run("one cell of 600 MB of text", folder.filePath(QStringLiteral("long_text.xlsx")), makeLongText);
    run("1,000 MB of whitespace between elements", folder.filePath(QStringLiteral("spaces.xlsx")), makeSpaces);
    return 0;
}
