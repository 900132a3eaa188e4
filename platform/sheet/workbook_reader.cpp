#include "workbook_reader.h"

#include "platform/ui/text_input.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <freexl.h>
#include <unzip.h>

namespace Sheet {

QString Table::cell(int row, int column) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= rows[row].size())
        return QString();
    return rows[row][column];
}

namespace {

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Puts a text into the table in the form typed text is stored in, growing the
// table as needed; empty texts leave no trace.
void put(Table& table, int row, int column, const QString& cell)
{
    const QString text = TextInput::normalize(cell);
    if (text.isEmpty() || row < 0 || column < 0)
        return;
    if (table.rows.size() <= row)
        table.rows.resize(row + 1);
    QStringList& cells = table.rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
}

QString numberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

// ---- .xlsx -------------------------------------------------------------

// Workbook texts escape characters that XML cannot carry as _xHHHH_.
QString unescape(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression escaped(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (auto it = escaped.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        out += QStringView(text).mid(from, match.capturedStart() - from);
        out += QChar(char16_t(match.captured(1).toUShort(nullptr, 16)));
        from = match.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

// The text of a string item (<si> or <is>): its runs, without phonetic hints.
QString richText(QXmlStreamReader& xml)
{
    QString text;
    const QString end = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == end)
            break;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("rPh"))
            xml.skipCurrentElement();
        else if (xml.name() == QLatin1String("t"))
            text += xml.readElementText();
    }
    return unescape(text);
}

// "AB12" -> column 27 (0-based); -1 when the reference has no letters.
int columnOf(QStringView reference)
{
    int column = 0;
    int letters = 0;
    for (QChar c : reference) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        column = column * 26 + (u - u'A' + 1);
        ++letters;
    }
    return letters ? column - 1 : -1;
}

// The zip container of an .xlsx. Read with minizip, the zip library the list
// export writes with: QuaZip carries its own copy of minizip's functions under
// the same names, and the two cannot share a process.
class XlsxFile {
public:
    explicit XlsxFile(const QString& path) : m_zip(unzOpen64(QFile::encodeName(path).constData())) {}
    ~XlsxFile()
    {
        if (m_zip)
            unzClose(m_zip);
    }
    XlsxFile(const XlsxFile&) = delete;
    XlsxFile& operator=(const XlsxFile&) = delete;

    bool isOpen() const { return m_zip != nullptr; }

    // Runs body on the reader of one entry; false when the entry is missing or broken.
    template <class Body> bool read(const QString& entry, Body body)
    {
        QByteArray data;
        if (!m_zip || unzLocateFile(m_zip, entry.toUtf8().constData(), 1) != UNZ_OK
            || unzOpenCurrentFile(m_zip) != UNZ_OK)
            return false;
        char buffer[1 << 16];
        int n = 0;
        while ((n = unzReadCurrentFile(m_zip, buffer, sizeof buffer)) > 0)
            data.append(buffer, n);
        if (unzCloseCurrentFile(m_zip) != UNZ_OK || n < 0)
            return false;
        QXmlStreamReader xml(data);
        body(xml);
        return !xml.hasError();
    }

private:
    unzFile m_zip;
};

QString entryPath(const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

std::optional<Table> readXlsx(const QString& path, const QString& sheetName, QString* error)
{
    XlsxFile zip(path);
    if (!zip.isOpen()) {
        setError(error, QStringLiteral("not a readable workbook: %1").arg(path));
        return std::nullopt;
    }

    QString sheetId;
    bool ok = zip.read(QStringLiteral("xl/workbook.xml"), [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sheet")
                || xml.attributes().value(QLatin1String("name")) != sheetName)
                continue;
            // The relationship id (r:id), whatever the prefix of its namespace.
            for (const auto& a : xml.attributes())
                if (a.name() == QLatin1String("id"))
                    sheetId = a.value().toString();
            return;
        }
    });
    if (!ok) {
        setError(error, QStringLiteral("the workbook's list of sheets cannot be read"));
        return std::nullopt;
    }
    if (sheetId.isEmpty()) {
        setError(error, QStringLiteral("the workbook has no sheet \"%1\"").arg(sheetName));
        return std::nullopt;
    }

    QString sheetEntry;
    QString stringsEntry;
    zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"), [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement
                || xml.name() != QLatin1String("Relationship"))
                continue;
            const auto attributes = xml.attributes();
            const QString target = entryPath(attributes.value(QLatin1String("Target")).toString());
            if (attributes.value(QLatin1String("Id")) == sheetId)
                sheetEntry = target;
            if (attributes.value(QLatin1String("Type")).endsWith(QLatin1String("/sharedStrings")))
                stringsEntry = target;
        }
    });
    if (sheetEntry.isEmpty()) {
        setError(error, QStringLiteral("the sheet \"%1\" has no part in the workbook").arg(sheetName));
        return std::nullopt;
    }

    QStringList shared;
    if (!stringsEntry.isEmpty()
        && !zip.read(stringsEntry, [&](QXmlStreamReader& xml) {
               while (!xml.atEnd())
                   if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
                       shared.append(richText(xml));
           })) {
        setError(error, QStringLiteral("the workbook's shared texts cannot be read"));
        return std::nullopt;
    }

    Table table;
    bool badIndex = false;
    ok = zip.read(sheetEntry, [&](QXmlStreamReader& xml) {
        int row = -1;
        int column = -1;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("row")) {
                const auto r = xml.attributes().value(QLatin1String("r"));
                row = r.isEmpty() ? row + 1 : r.toInt() - 1;
                column = -1;
                continue;
            }
            if (xml.name() != QLatin1String("c"))
                continue;
            const auto attributes = xml.attributes();
            const auto reference = attributes.value(QLatin1String("r"));
            column = reference.isEmpty() ? column + 1 : columnOf(reference);
            const QString type = attributes.value(QLatin1String("t")).toString();
            QString value;
            QString inlineText;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == QLatin1String("c"))
                    break;
                if (!xml.isStartElement())
                    continue;
                if (xml.name() == QLatin1String("v"))
                    value = xml.readElementText();
                else if (xml.name() == QLatin1String("is"))
                    inlineText = richText(xml);
                else
                    xml.skipCurrentElement();
            }
            QString text;
            if (type == QLatin1String("s")) {
                bool isIndex = false;
                const int index = value.toInt(&isIndex);
                if (!isIndex || index < 0 || index >= shared.size())
                    badIndex = true;
                else
                    text = shared[index];
            } else if (type == QLatin1String("inlineStr")) {
                text = inlineText;
            } else if (type.isEmpty() || type == QLatin1String("n")) {
                bool isNumber = false;
                const double number = value.toDouble(&isNumber);
                text = isNumber ? numberText(number) : value;
            } else {
                text = unescape(value);
            }
            put(table, row, column, text);
        }
    });
    if (!ok || badIndex) {
        setError(error, QStringLiteral("the sheet \"%1\" cannot be read").arg(sheetName));
        return std::nullopt;
    }
    return table;
}

// ---- .xls --------------------------------------------------------------

std::optional<Table> readXls(const QString& path, const QString& sheetName, QString* error)
{
    const void* handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        setError(error, QStringLiteral("not a readable workbook: %1").arg(path));
        return std::nullopt;
    }
    struct Closer {
        const void* handle;
        ~Closer() { freexl_close(handle); }
    } closer{handle};

    unsigned int sheets = 0;
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    int found = -1;
    for (unsigned int i = 0; i < sheets && found < 0; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, (unsigned short)i, &name) == FREEXL_OK && name
            && QString::fromUtf8(name) == sheetName)
            found = int(i);
    }
    if (found < 0) {
        setError(error, QStringLiteral("the workbook has no sheet \"%1\"").arg(sheetName));
        return std::nullopt;
    }

    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, (unsigned short)found) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
        setError(error, QStringLiteral("the sheet \"%1\" cannot be read").arg(sheetName));
        return std::nullopt;
    }

    Table table;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK) {
                setError(error, QStringLiteral("the sheet \"%1\" cannot be read").arg(sheetName));
                return std::nullopt;
            }
            QString text;
            switch (cell.type) {
            case FREEXL_CELL_INT:
                text = QString::number(cell.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                text = numberText(cell.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                text = QString::fromUtf8(cell.value.text_value);
                break;
            default:
                break;
            }
            put(table, int(r), int(c), text);
        }
    }
    return table;
}

} // namespace

std::optional<Table> readSheet(const QString& path, const QString& sheetName, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("cannot open %1").arg(path));
        return std::nullopt;
    }
    const QByteArray head = file.read(8);
    file.close();
    if (head.startsWith("PK\x03\x04"))
        return readXlsx(path, sheetName, error);
    if (head == QByteArray::fromHex("D0CF11E0A1B11AE1"))
        return readXls(path, sheetName, error);
    setError(error, QStringLiteral("not a workbook: %1").arg(path));
    return std::nullopt;
}

} // namespace Sheet
