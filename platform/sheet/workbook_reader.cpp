#include "workbook_reader.h"

#include "platform/sheet/texts.h"
#include "platform/sheet/xls_process.h"
#include "platform/ui/text_input.h"

#include <QFile>
#include <QIODevice>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <unzip.h>

namespace Sheet {

static_assert(MaxSheetBytes + MaxSharedTextBytes < (qint64(1) << 32),
              "every text of a sheet is a stretch of one text, found by 32-bit positions");

// ---- the rows ----------------------------------------------------------

namespace {
bool before(quint32 row, quint32 column, quint32 otherRow, quint32 otherColumn)
{
    return row != otherRow ? row < otherRow : column < otherColumn;
}
} // namespace

std::pair<qsizetype, qsizetype> Rows::span(qsizetype row) const
{
    if (row < 0 || row >= m_size)
        return {0, 0};
    const auto first = std::lower_bound(m_cells.cbegin(), m_cells.cend(), quint32(row),
                                        [](const Cell& c, quint32 r) { return c.row < r; });
    auto last = first;
    while (last != m_cells.cend() && last->row == quint32(row))
        ++last;
    return {first - m_cells.cbegin(), last - m_cells.cbegin()};
}

QStringList Rows::operator[](qsizetype row) const
{
    const auto [first, last] = span(row);
    QStringList cells;
    if (first == last)
        return cells;
    cells.resize(m_cells[last - 1].column + 1);
    for (qsizetype i = first; i < last; ++i)
        cells[m_cells[i].column] = m_text.mid(m_cells[i].start, m_cells[i].length);
    return cells;
}

QString Rows::cell(qsizetype row, qsizetype column) const
{
    if (row < 0 || row >= m_size || column < 0 || column >= m_width)
        return QString();
    const auto at = std::lower_bound(m_cells.cbegin(), m_cells.cend(), std::pair(quint32(row), quint32(column)),
                                     [](const Cell& c, const std::pair<quint32, quint32>& p) {
                                         return before(c.row, c.column, p.first, p.second);
                                     });
    if (at == m_cells.cend() || at->row != quint32(row) || at->column != quint32(column))
        return QString();
    return m_text.mid(at->start, at->length);
}

QList<int> Rows::filled() const
{
    QList<int> rows;
    for (const Cell& c : m_cells)
        if (rows.isEmpty() || rows.last() != int(c.row))
            rows << int(c.row);
    return rows;
}

bool Rows::operator==(const QList<QStringList>& rows) const
{
    if (rows.size() != m_size)
        return false;
    for (qsizetype r = 0; r < m_size; ++r)
        if ((*this)[r] != rows[r])
            return false;
    return true;
}

namespace {
// A sheet refused, with the cause in the office's words.
struct Refusal {
    QString text;
};
} // namespace

// Gathers the cells of a sheet as they are read, in whatever order, the
// texts in one text; the last text given to a cell is the one it keeps.
// What it keeps is held to MaxTableBytes as it grows (a cell at 16 bytes, a
// shared text's place at 8, a character at 2): past it, the sheet is refused.
class RowsBuilder {
public:
    explicit RowsBuilder(const QString& sheetName) : m_sheetName(sheetName) {}

    // A text of the workbook's shared texts, numbered in the order given.
    void addSharedText(const QString& text)
    {
        m_shared.append(keep(text));
        hold();
    }
    qsizetype sharedTexts() const { return m_shared.size(); }
    // A cell that holds shared text number index (within sharedTexts()).
    void addShared(qint64 row, qint64 column, qsizetype index)
    {
        place(row, column, m_shared[index]);
    }
    // Empty texts leave no trace.
    void add(qint64 row, qint64 column, const QString& text) { place(row, column, keep(text)); }

    Rows finish()
    {
        QList<Rows::Cell>& cells = m_rows.m_cells;
        const auto order = [](const Rows::Cell& a, const Rows::Cell& b) {
            return before(a.row, a.column, b.row, b.column);
        };
        if (!std::is_sorted(cells.cbegin(), cells.cend(), order))
            std::stable_sort(cells.begin(), cells.end(), order);
        qsizetype kept = 0;
        for (const Rows::Cell& c : std::as_const(cells)) {
            if (kept > 0 && cells[kept - 1].row == c.row && cells[kept - 1].column == c.column)
                cells[kept - 1] = c;
            else
                cells[kept++] = c;
        }
        cells.resize(kept);
        cells.squeeze();
        m_rows.m_text.squeeze();
        m_rows.m_size = cells.isEmpty() ? 0 : qsizetype(cells.last().row) + 1;
        for (const Rows::Cell& c : std::as_const(cells))
            m_rows.m_width = std::max(m_rows.m_width, int(c.column) + 1);
        return std::move(m_rows);
    }

private:
    // A text's stretch of the one text, in its stored form.
    std::pair<quint32, quint32> keep(const QString& text)
    {
        const QString stored = TextInput::normalize(text);
        const auto stretch = std::pair(quint32(m_rows.m_text.size()), quint32(stored.size()));
        m_rows.m_text += stored;
        hold();
        return stretch;
    }
    void place(qint64 row, qint64 column, std::pair<quint32, quint32> stretch)
    {
        if (stretch.second == 0)
            return;
        m_rows.m_cells.append({quint32(row), quint32(column), stretch.first, stretch.second});
        hold();
    }
    void hold() const
    {
        if (m_rows.m_cells.size() * 16 + m_shared.size() * 8 + m_rows.m_text.size() * 2 > MaxTableBytes)
            throw Refusal{SheetText::TablePastLimit.arg(m_sheetName).arg(MaxTableBytes >> 20)};
    }

    QString m_sheetName;
    Rows m_rows;
    QList<std::pair<quint32, quint32>> m_shared;
};

namespace {

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString numberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

// The number ASCII digits spell: -1 when the text is not digits, max + 1 for
// any number past max (counting stops there, so nothing overflows).
qint64 boundedNumber(QStringView digits, qint64 max)
{
    if (digits.isEmpty())
        return -1;
    qint64 n = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        if (n <= max)
            n = n * 10 + (c.unicode() - u'0');
    }
    return std::min(n, max + 1);
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

// A part of the package as it is read: its name in the office's words, for
// the messages, and the most it may unpack to.
struct Part {
    QString name;
    qint64 bound;
};

// The next token of a part. A workbook part declares no entities and uses
// none but XML's own: a declaration or a reference that the reader does not
// resolve refuses the sheet, rather than leaving a text without it.
QXmlStreamReader::TokenType next(QXmlStreamReader& xml, const Part& part)
{
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::EntityReference || token == QXmlStreamReader::DTD)
        throw Refusal{SheetText::EntityUnresolved.arg(part.name)};
    return token;
}

// The most characters a cell's text takes as it is written: each of its
// characters may be escaped as _xHHHH_.
constexpr qsizetype MaxWrittenCharacters = 7 * MaxCellCharacters;

// A text longer than a cell holds refuses the sheet: a text as it is read
// when past what the longest cell takes written, a cell's text past what it
// holds.
Refusal textTooLong(const Part& part)
{
    return Refusal{SheetText::TextPastLimit.arg(part.name).arg(MaxCellCharacters)};
}
void holdToCell(const QString& text, const Part& part, qsizetype most = MaxCellCharacters)
{
    if (text.size() > most)
        throw textTooLong(part);
}

// Reads up to the end of the element just started, refusing what it holds
// as next() does; its texts, and those of elements within it, are kept in
// text when given, refused as soon as they pass what a cell holds.
void readElement(QXmlStreamReader& xml, const Part& part, QString* text)
{
    int depth = 1;
    while (!xml.atEnd() && depth > 0) {
        switch (next(xml, part)) {
        case QXmlStreamReader::Characters:
            if (text) {
                *text += xml.text();
                holdToCell(*text, part, MaxWrittenCharacters);
            }
            break;
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
}

// The text of the element just started, up to its end.
QString elementText(QXmlStreamReader& xml, const Part& part)
{
    QString text;
    readElement(xml, part, &text);
    return text;
}

// Leaves the element just started; what it holds costs nothing kept.
void skipElement(QXmlStreamReader& xml, const Part& part)
{
    readElement(xml, part, nullptr);
}

// The text of a string item (<si> or <is>): its runs, without phonetic hints.
QString richText(QXmlStreamReader& xml, const Part& part)
{
    QString text;
    int depth = 1;
    while (!xml.atEnd() && depth > 0) {
        next(xml, part);
        if (xml.isEndElement())
            --depth;
        else if (!xml.isStartElement())
            continue;
        else if (xml.name() == QLatin1String("t")) {
            text += elementText(xml, part);
            holdToCell(text, part, MaxWrittenCharacters);
        }
        else if (xml.name() == QLatin1String("rPh"))
            skipElement(xml, part);
        else // a run (<r>), whose <t> is read within
            ++depth;
    }
    text = unescape(text);
    holdToCell(text, part);
    return text;
}

// One entry of the zip container, read as it is unpacked. The bytes are
// counted as they come: past the part's bound, or past 100 times the packed
// bytes read so far, the entry ends there and says so.
class UnpackedEntry : public QIODevice {
public:
    enum class Fault { None, Broken, TooLarge, TooTight };

    // What a part of these sizes would be refused for.
    static Fault faultOf(qint64 unpacked, qint64 packed, qint64 bound)
    {
        if (unpacked > bound)
            return Fault::TooLarge;
        if (unpacked > RatioCheckedFrom && unpacked / MaxPackingRatio > packed)
            return Fault::TooTight;
        return Fault::None;
    }

    // The entry just opened.
    UnpackedEntry(unzFile zip, qint64 bound) : m_zip(zip), m_bound(bound), m_start(unzGetCurrentFileZStreamPos64(zip))
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    Fault fault() const { return m_fault; }

protected:
    qint64 readData(char* data, qint64 size) override
    {
        if (m_fault != Fault::None)
            return -1;
        const int n = unzReadCurrentFile(m_zip, data, unsigned(std::min<qint64>(size, 1 << 20)));
        if (n < 0) {
            m_fault = Fault::Broken;
            return -1;
        }
        if (n == 0)
            return -1; // the end of the entry
        m_unpacked += n;
        const ZPOS64_T at = unzGetCurrentFileZStreamPos64(m_zip);
        m_fault = faultOf(m_unpacked, at > m_start ? qint64(std::min<ZPOS64_T>(at - m_start, 1ull << 40)) : 0, m_bound);
        return m_fault == Fault::None ? n : -1;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    unzFile m_zip;
    qint64 m_bound;
    ZPOS64_T m_start; // where the entry's packed bytes begin in the file
    qint64 m_unpacked = 0;
    Fault m_fault = Fault::None;
};

// Between the unpacked bytes of a part and the XML reader, which builds each
// token (a run of text, a tag, a comment) whole before it gives it: whatever
// a part holds, no token grows past a bound, and whitespace between elements
// is never kept.
//  - A run of whitespace alone between two pieces of markup is passed over,
//    unless it lies within a text element (<t>, whose text it is, as in
//    xml:space="preserve"); whitespace within a run that holds more than
//    whitespace stays, as do character references to whitespace.
//  - A run of whitespace within a tag, outside its quoted values, becomes
//    its first character.
//  - A run of character data, its CDATA sections included, past 1 MiB (32
//    bytes a character of the longest cell) stops the part as a text too
//    long; a tag, comment, processing instruction or declaration past 1 MiB
//    stops it as broken.
// The bytes are read as markup in UTF-8 or an encoding that writes XML's own
// characters as single bytes; a part in UTF-16 passes unchanged but for the
// bounds, which then count two bytes a character.
// Most of a part is plain runs and tags with nothing to pass over; such a
// stretch is found sixteen bytes at a time and kept with one copy, written
// straight into the XML reader's buffer, and only what holds whitespace
// to pass over, a comment, CDATA section, declaration or processing
// instruction, or markup cut by the end of a read, is followed byte by
// byte. Where a '<' stands within a tag, which the XML reader refuses
// whatever follows, whitespace after it may be passed over otherwise.
class XmlBounds : public QIODevice {
public:
    enum class Fault { None, TextTooLong, MarkupTooLong };
    static constexpr qint64 MaxRunBytes = qint64(1) << 20;
    static constexpr qint64 MaxMarkupBytes = qint64(1) << 20;

    explicit XmlBounds(QIODevice* from) : m_from(from), m_in(64 * 1024, Qt::Uninitialized)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    Fault fault() const { return m_fault; }

protected:
    // A read gives all it is asked for, but at the end: the XML reader takes
    // a read that gives less than a whole character for the end. The bytes
    // kept are written straight into the reader's buffer; no more is taken
    // from the part at a time than that buffer has room for, so only bytes
    // held back (whitespace, the head of markup) can overflow it.
    qint64 readData(char* data, qint64 size) override
    {
        m_to = data;
        m_room = size;
        if (m_overflowTaken < qint64(m_overflow.size())) {
            const qint64 n = std::min<qint64>(size, qint64(m_overflow.size()) - m_overflowTaken);
            std::memcpy(data, m_overflow.data() + m_overflowTaken, size_t(n));
            m_overflowTaken += n;
            m_to += n;
            m_room -= n;
        }
        while (m_room > 0 && m_fault == Fault::None && !m_ended) {
            if (m_inAt == m_inEnd) {
                const qint64 n = m_from->read(m_in.data(), m_in.size());
                if (n <= 0) {
                    m_ended = true;
                    break;
                }
                m_inAt = 0;
                m_inEnd = n;
            }
            const qint64 n = std::min(m_room, m_inEnd - m_inAt);
            take(m_in.constData() + m_inAt, m_in.constData() + m_inAt + n);
            m_inAt += n;
        }
        const qint64 n = size - m_room;
        if (m_fault != Fault::None || n <= 0)
            return -1;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    enum class State { Content, Opened, Tag, EndTag, Comment, Instruction, Cdata, Declaration };

    static constexpr bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
    // The bytes that tell something of a tag, outside its values.
    static constexpr auto TellsOfTag = [] {
        std::array<bool, 256> tells{};
        for (char c : {'>', '"', '\'', '/', ' ', '\t', '\n', '\r'})
            tells[quint8(c)] = true;
        return tells;
    }();

    // The bytes kept, into the reader's buffer while it has room.
    void put(const char* bytes, qint64 n)
    {
        if (n <= m_room) {
            std::memcpy(m_to, bytes, size_t(n));
            m_to += n;
            m_room -= n;
            return;
        }
        if (m_overflowTaken == qint64(m_overflow.size())) {
            m_overflow.clear();
            m_overflowTaken = 0;
        }
        std::memcpy(m_to, bytes, size_t(m_room));
        m_overflow.append(bytes + m_room, size_t(n - m_room));
        m_to += m_room;
        m_room = 0;
    }

    void take(const char* at, const char* end)
    {
        while (at < end && m_fault == Fault::None) {
            if (m_state == State::Content && m_run == 0 && !m_runKept) {
                at = plainUnits(at, end);
                if (at == end)
                    return;
            }
            if (m_state == State::Content) {
                if (!m_runKept && !m_inText) {
                    // Whitespace, held until what follows it tells whether it is kept.
                    const char* text = at;
                    while (text < end && isSpace(*text))
                        ++text;
                    if (m_run < MaxRunBytes)
                        m_spaces.append(at, size_t(std::min<qint64>(text - at, MaxRunBytes - m_run)));
                    m_run += text - at;
                    at = text;
                    if (at == end)
                        return;
                    if (*at != '<')
                        keepText(at, 0);
                }
                if (m_runKept || m_inText) {
                    // Text kept as it is, up to the next markup.
                    const char* stop = static_cast<const char*>(std::memchr(at, '<', size_t(end - at)));
                    const char* upTo = stop ? stop : end;
                    keepText(at, upTo - at);
                    at = upTo;
                    if (!stop)
                        return;
                }
                // At '<': a tag, an end tag or a processing instruction is told at once.
                if (end - at > 1 && at[1] != '!') {
                    const bool twoBytes = at[1] == '/' || at[1] == '?';
                    begin(at[1] == '/' ? State::EndTag : at[1] == '?' ? State::Instruction : State::Tag);
                    markup(at, twoBytes ? 2 : 1);
                    at += twoBytes ? 2 : 1;
                } else {
                    step(*at++);
                }
            } else if (m_state == State::Comment || m_state == State::Instruction || m_state == State::Cdata) {
                // Up to the next '>', which may end it.
                const char* stop = static_cast<const char*>(std::memchr(at, '>', size_t(end - at)));
                const char* upTo = stop ? stop : end;
                for (const char* c = std::max(at, upTo - 2); c < upTo; ++c)
                    m_last2 = quint16(m_last2 << 8 | quint8(*c));
                markup(at, upTo - at);
                at = upTo;
                if (stop)
                    step(*at++);
            } else if (m_state == State::Tag || m_state == State::EndTag) {
                at = tag(at, end);
            } else {
                step(*at++);
            }
        }
    }

    // Whether the bytes from `from` to `to` hold a pair the filter may
    // change or must look into: markup or whitespace followed by whitespace,
    // or a comment, CDATA section, declaration or processing instruction
    // begun. Sixteen pairs at a time where the processor can.
    static bool mayChange(const char* from, const char* to)
    {
        const char* at = from;
#ifdef __SSE2__
        const auto is = [](__m128i bytes, char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
        const auto space = [&](__m128i bytes) {
            return _mm_or_si128(_mm_or_si128(is(bytes, ' '), is(bytes, '\n')),
                                _mm_or_si128(is(bytes, '\t'), is(bytes, '\r')));
        };
        for (; to - at > 16; at += 16) {
            const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
            const __m128i spaced = _mm_and_si128(_mm_or_si128(space(first), is(first, '>')), space(second));
            const __m128i opened = _mm_and_si128(is(first, '<'), _mm_or_si128(is(second, '!'), is(second, '?')));
            if (_mm_movemask_epi8(_mm_or_si128(spaced, opened)) != 0)
                return true;
        }
#endif
        for (; to - at > 1; ++at)
            if (((isSpace(at[0]) || at[0] == '>') && isSpace(at[1])) || (at[0] == '<' && (at[1] == '!' || at[1] == '?')))
                return true;
        return false;
    }

    // From the start of a run, up to the last markup begun in the bytes
    // given, when nothing there is changed: kept whole in one piece. Every
    // '<' there begins a tag or an end tag, so the last tag before that
    // markup tells whether it ends within a text element.
    const char* plainStretch(const char* at, const char* end)
    {
        const char* last = static_cast<const char*>(memrchr(at, '<', size_t(end - at)));
        if (!last || last == at || isSpace(*at) || mayChange(at, std::min(last + 2, end)))
            return at;
        bool inText = m_inText;
        if (const char* open = static_cast<const char*>(memrchr(at, '<', size_t(last - at)))) {
            const auto [endTag, name, nameEnd] = tagName(open, last);
            const char* c = nameEnd;
            for (char quote = 0; c < last && (quote || *c != '>'); ++c)
                quote = quote ? (*c == quote ? 0 : quote) : (*c == '"' || *c == '\'' ? *c : 0);
            if (c == last)
                return at; // not closed
            const char* lastByte = c - 1; // but whitespace
            while (isSpace(*lastByte))
                --lastByte;
            inText = !endTag && namedText(name, nameEnd) && *lastByte != '/';
        }
        put(at, last - at);
        m_inText = inText;
        return last;
    }
    // Of the tag or end tag at open: whether it is an end tag, and its name,
    // up to the first byte that tells something of the tag, or stop.
    struct TagName {
        bool endTag;
        const char* name;
        const char* nameEnd;
    };
    static TagName tagName(const char* open, const char* stop)
    {
        const bool endTag = open[1] == '/';
        const char* name = open + 1 + int(endTag);
        const char* c = name;
        while (c < stop && !TellsOfTag[quint8(*c)])
            ++c;
        return {endTag, name, c};
    }
    // A tag's name, of a text element: t, or x:t of any prefix.
    static bool namedText(const char* name, const char* nameEnd)
    {
        const qint64 length = nameEnd - name;
        return (length == 1 && *name == 't') || (length > 2 && nameEnd[-2] == ':' && nameEnd[-1] == 't');
    }

    // The common case, from the start of a run up to the first piece that
    // is not plain: runs each followed by a tag or an end tag, whole within
    // the bytes given (so well within every bound), with no run of
    // whitespace within the tag. A run that is whitespace alone outside a
    // text element is passed over; the rest is kept as it is. Where it stops
    // is the start of a run.
    const char* plainUnits(const char* at, const char* end)
    {
        at = plainStretch(at, end);
        const char* from = at; // what is yet to be kept
        bool inText = m_inText;
        while (at < end) {
            const char* open = at;
            if (*at != '<') {
                open = static_cast<const char*>(std::memchr(at, '<', size_t(end - at)));
                if (!open)
                    break;
            }
            if (end - open < 2 || open[1] == '!' || open[1] == '?')
                break;
            const auto [endTag, name, nameEnd] = tagName(open, end);
            const char* c = nameEnd;
            bool closed = false;
            while (c < end) {
                const char b = *c++;
                if (b == '>') {
                    closed = true;
                    break;
                }
                if (isSpace(b)) {
                    if (c == end || isSpace(*c))
                        break;
                } else if (b == '"' || b == '\'') { // a quoted value
                    while (c < end && *c != b)
                        ++c;
                    if (c == end)
                        break;
                    ++c;
                }
                while (c < end && !TellsOfTag[quint8(*c)])
                    ++c;
            }
            if (!closed)
                break;
            if (open > at && !inText) {
                const char* text = at;
                while (text < open && isSpace(*text))
                    ++text;
                if (text == open) { // whitespace alone, passed over
                    put(from, at - from);
                    from = open;
                }
            }
            // The tag's last byte but whitespace, a quote when it ends with a value.
            const char* last = c - 2;
            while (isSpace(*last))
                --last;
            inText = !endTag && namedText(name, nameEnd) && *last != '/';
            at = c;
        }
        put(from, at - from);
        m_inText = inText;
        return at;
    }

    // Text of the run, kept.
    void keepText(const char* bytes, qint64 n)
    {
        if (!m_runKept) {
            m_runKept = true;
            put(m_spaces.data(), qint64(m_spaces.size()));
            m_spaces.clear();
        }
        put(bytes, n);
        m_run += n;
        if (m_run > MaxRunBytes)
            m_fault = Fault::TextTooLong;
    }
    // Markup, kept.
    void markup(const char* bytes, qint64 n)
    {
        if (m_state == State::Cdata) {
            keepText(bytes, n);
            return;
        }
        put(bytes, n);
        m_markup += n;
        if (m_markup > MaxMarkupBytes)
            m_fault = Fault::MarkupTooLong;
    }
    void markup(char c) { markup(&c, 1); }

    // Markup begins: the run before it ends (whitespace alone, outside a
    // text element, passed over), unless it is a CDATA section.
    void begin(State state)
    {
        if (state == State::Cdata) {
            keepText(m_head.data(), qint64(m_head.size()));
        } else {
            m_spaces.clear();
            m_run = 0;
            m_runKept = false;
            m_markup = 0;
        }
        m_state = state;
        m_quote = 0;
        m_last2 = 0;
        m_depth = 0;
        m_nameLength = 0;
        m_name = 0;
        m_nameEnded = false;
        m_lastSpace = false;
        m_lastMark = 0;
    }
    // Back to content after markup; a CDATA section goes on with its run.
    void end()
    {
        if (m_state != State::Cdata) {
            m_run = 0;
            m_runKept = false;
        }
        m_state = State::Content;
    }

    void step(char c)
    {
        switch (m_state) {
        case State::Content:
            if (c == '<') {
                m_head.assign(1, c);
                m_state = State::Opened;
            } else if (isSpace(c) && !m_runKept && !m_inText) {
                if (m_run < MaxRunBytes)
                    m_spaces += c;
                ++m_run;
            } else {
                keepText(&c, 1);
            }
            return;
        case State::Opened:
            opened(c);
            return;
        case State::Tag:
        case State::EndTag:
            tag(&c, &c + 1);
            return;
        case State::Comment:
        case State::Instruction:
        case State::Cdata: {
            const bool closes = c == '>'
                                && (m_state == State::Comment       ? m_last2 == ('-' << 8 | '-')
                                    : m_state == State::Instruction ? (m_last2 & 0xFF) == '?'
                                                                    : m_last2 == (']' << 8 | ']'));
            markup(c);
            m_last2 = quint16(m_last2 << 8 | quint8(c));
            if (closes)
                end();
            return;
        }
        case State::Declaration:
            markup(c);
            if (m_quote)
                m_quote = c == m_quote ? 0 : m_quote;
            else if (c == '"' || c == '\'')
                m_quote = c;
            else if (c == '[')
                ++m_depth;
            else if (c == ']')
                --m_depth;
            else if (c == '>' && m_depth <= 0)
                end();
            return;
        }
    }

    // After '<': what markup it opens, told by its first bytes.
    void opened(char c)
    {
        static constexpr std::string_view Cdata = "<![CDATA[";
        m_head += c;
        if (m_head.size() == 2 && c != '!') {
            const State state = c == '/' ? State::EndTag : c == '?' ? State::Instruction : State::Tag;
            begin(state);
            markup('<');
            if (state == State::Tag)
                tag(&c, &c + 1); // the first character of its name
            else
                markup(c);
            return;
        }
        if (m_head == "<!--") {
            begin(State::Comment);
            markup(m_head.data(), qint64(m_head.size()));
        } else if (m_head == Cdata) {
            begin(State::Cdata);
        } else if (m_head.size() > 2 && !(m_head.size() < Cdata.size() && Cdata.starts_with(m_head))
                   && m_head != "<!-") {
            begin(State::Declaration);
            markup(m_head.data(), qint64(m_head.size()) - 1);
            step(c);
        }
    }

    // Within a tag, up to its end or the end of the bytes given: its bytes
    // kept but for a run of whitespace outside its values, which becomes its
    // first character. Where it ends is after the bytes taken.
    const char* tag(const char* at, const char* stop)
    {
        // The tag's state is kept in locals while its bytes are scanned: as
        // far as the compiler knows, a byte written to the reader may be a member.
        const char* from = at; // what is yet to be kept
        char quote = m_quote;
        char lastMark = m_lastMark;
        bool lastSpace = m_lastSpace;
        bool nameEnded = m_nameEnded;
        int nameLength = m_nameLength;
        quint16 name = m_name;
        bool ended = false;
        while (at < stop) {
            if (quote) { // the rest of a value
                const char* closing = static_cast<const char*>(std::memchr(at, quote, size_t(stop - at)));
                if (!closing) {
                    at = stop;
                    break;
                }
                at = closing + 1;
                quote = 0;
            }
            // A run of bytes that tell nothing of the tag: of its name, when
            // it is not yet ended.
            const char* run = at;
            while (at < stop && !TellsOfTag[quint8(*at)])
                ++at;
            if (at > run) {
                if (!nameEnded) {
                    nameLength = int(std::min<qint64>(nameLength + (at - run), 3));
                    name = at - run > 1 ? quint16(quint8(at[-2]) << 8 | quint8(at[-1]))
                                        : quint16(name << 8 | quint8(at[-1]));
                }
                lastMark = at[-1];
                lastSpace = false;
            }
            if (at == stop)
                break;
            const char c = *at++;
            nameEnded = true;
            if (isSpace(c)) {
                if (lastSpace) { // passed over
                    markup(from, at - 1 - from);
                    from = at;
                }
                lastSpace = true;
                continue;
            }
            lastSpace = false;
            if (c != '>') {
                quote = c == '/' ? 0 : c;
                lastMark = c;
                continue;
            }
            ended = true;
            break;
        }
        markup(from, at - from);
        m_quote = quote;
        m_lastMark = lastMark;
        m_lastSpace = lastSpace;
        m_nameEnded = nameEnded;
        m_nameLength = nameLength;
        m_name = name;
        if (ended) {
            // Within a text element when it is <t>, or <x:t> of any prefix, not closed at once.
            const bool namedT = (nameLength == 1 && name == 't') || (nameLength > 2 && name == (':' << 8 | 't'));
            m_inText = m_state == State::Tag && namedT && lastMark != '/';
            end();
        }
        return at;
    }

    QIODevice* m_from;
    QByteArray m_in;
    qint64 m_inAt = 0; // what of m_in is yet to be taken
    qint64 m_inEnd = 0;
    char* m_to = nullptr; // the reader's buffer, and its room left
    qint64 m_room = 0;
    std::string m_overflow; // kept past the room of the reader's buffer
    qint64 m_overflowTaken = 0;
    bool m_ended = false; // the part is read to its end
    Fault m_fault = Fault::None;

    State m_state = State::Content;
    bool m_inText = false; // within a <t> element
    // The run of content since the last markup: its bytes, whether it is
    // kept, and its whitespace while it holds nothing else.
    qint64 m_run = 0;
    bool m_runKept = false;
    std::string m_spaces;
    std::string m_head;      // markup opened, until it is told
    qint64 m_markup = 0;     // bytes of the markup so far
    char m_quote = 0;        // the quote of the value within a tag or declaration
    quint16 m_last2 = 0;     // the markup's last two bytes
    int m_depth = 0;         // brackets open in a declaration
    int m_nameLength = 0;    // of a tag's name, and its last two bytes
    quint16 m_name = 0;
    bool m_nameEnded = false;
    bool m_lastSpace = false;
    char m_lastMark = 0;     // the tag's last byte that is not whitespace
};

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

    // Runs body on the reader of one entry, as it is unpacked; false when
    // the entry is missing or broken (a tag or comment past XmlBounds'
    // bound counts as broken). A part past its bounds, using an entity or
    // holding a text longer than a cell holds is refused (Refusal is thrown).
    template <class Body> bool read(const QString& entry, const Part& part, Body body)
    {
        unz_file_info64 info{};
        if (!m_zip || unzLocateFile(m_zip, entry.toUtf8().constData(), 1) != UNZ_OK
            || unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            return false;
        // The sizes the entry states are held to the same rule first: a part
        // that says it is too large is refused unread (minizip unpacks no
        // more than an entry states, so one that understates it is cut short
        // and fails its checksum).
        const auto limit = ZPOS64_T(1) << 62;
        refuse(UnpackedEntry::faultOf(qint64(std::min(info.uncompressed_size, limit)),
                                      qint64(std::min(info.compressed_size, limit)), part.bound),
               part);
        if (unzOpenCurrentFile(m_zip) != UNZ_OK)
            return false;
        UnpackedEntry unpacked(m_zip, part.bound);
        XmlBounds bounded(&unpacked);
        QXmlStreamReader xml(&bounded);
        bool whole = false;
        try {
            body(xml);
            while (!xml.atEnd())
                next(xml, part);
            whole = !xml.hasError();
        } catch (const Refusal&) {
            unzCloseCurrentFile(m_zip);
            throw;
        }
        const bool closed = unzCloseCurrentFile(m_zip) == UNZ_OK; // the checksum, when read to its end
        refuse(unpacked.fault(), part);
        if (bounded.fault() == XmlBounds::Fault::TextTooLong)
            throw textTooLong(part);
        return whole && closed && unpacked.fault() == UnpackedEntry::Fault::None
               && bounded.fault() == XmlBounds::Fault::None;
    }

private:
    static void refuse(UnpackedEntry::Fault fault, const Part& part)
    {
        if (fault == UnpackedEntry::Fault::TooLarge)
            throw Refusal{SheetText::PartTooLarge.arg(part.name).arg(part.bound >> 20)};
        if (fault == UnpackedEntry::Fault::TooTight)
            throw Refusal{SheetText::PartPackedTooTightly.arg(part.name).arg(MaxPackingRatio)};
    }

    unzFile m_zip;
};

QString entryPath(const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

// Where a cell is, 0-based; a reference ("AB12") outside the sheet is refused.
struct Reference {
    qint64 row;
    qint64 column;
};

Reference referenceOf(QStringView reference, const QString& sheet)
{
    qint64 column = 0;
    qsizetype letters = 0;
    for (; letters < reference.size(); ++letters) {
        const char16_t c = reference[letters].unicode();
        const char16_t u = c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
        if (u < u'A' || u > u'Z')
            break;
        if (column <= MaxColumns) // counting stops past the last column
            column = column * 26 + (u - u'A' + 1);
    }
    const qint64 row = boundedNumber(reference.mid(letters), MaxRows);
    if (letters == 0 || row < 1)
        throw Refusal{SheetText::BadReference.arg(sheet)};
    if (column > MaxColumns)
        throw Refusal{SheetText::ColumnPastLimit.arg(sheet, QStringLiteral("XFD"))};
    if (row > MaxRows)
        throw Refusal{SheetText::RowPastLimit.arg(sheet).arg(MaxRows)};
    return {row - 1, column - 1};
}

// The sheets of the workbook's list: the relationship id (r:id, whatever the
// prefix of its namespace) of the sheet of that name, told without case.
QString sheetIdOf(XlsxFile& zip, const QString& sheetName)
{
    const Part list{SheetText::SheetListPart, MaxListBytes};
    QString sheetId;
    const bool ok = zip.read(QStringLiteral("xl/workbook.xml"), list, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd() && sheetId.isEmpty()) {
            if (next(xml, list) != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sheet")
                || xml.attributes().value(QLatin1String("name")).compare(sheetName, Qt::CaseInsensitive) != 0)
                continue;
            for (const auto& a : xml.attributes())
                if (a.name() == QLatin1String("id"))
                    sheetId = a.value().toString();
        }
    });
    if (!ok)
        throw Refusal{SheetText::WorkbookUnreadable};
    if (sheetId.isEmpty())
        throw Refusal{SheetText::NoSuchSheet.arg(sheetName)};
    return sheetId;
}

Table readXlsx(const QString& path, const QString& sheetName)
{
    XlsxFile zip(path);
    if (!zip.isOpen())
        throw Refusal{SheetText::NotAWorkbook};
    const QString sheetId = sheetIdOf(zip, sheetName);

    const Part relations{SheetText::SheetListPart, MaxListBytes};
    QString sheetEntry;
    QString stringsEntry;
    zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"), relations, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            if (next(xml, relations) != QXmlStreamReader::StartElement
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
    if (sheetEntry.isEmpty())
        throw Refusal{SheetText::SheetUnreadable.arg(sheetName)};

    // The shared texts, each kept once in the table's text, in their stored form.
    RowsBuilder rows(sheetName);
    const Part strings{SheetText::SharedTextPart, MaxSharedTextBytes};
    if (!stringsEntry.isEmpty() && !zip.read(stringsEntry, strings, [&](QXmlStreamReader& xml) {
            while (!xml.atEnd())
                if (next(xml, strings) == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
                    rows.addSharedText(richText(xml, strings));
        }))
        throw Refusal{SheetText::SheetUnreadable.arg(sheetName)};

    const Part sheet{SheetText::SheetPart.arg(sheetName), MaxSheetBytes};
    bool badIndex = false;
    const bool ok = zip.read(sheetEntry, sheet, [&](QXmlStreamReader& xml) {
        qint64 row = -1;
        qint64 column = -1;
        while (!xml.atEnd()) {
            if (next(xml, sheet) != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("row")) {
                const auto r = xml.attributes().value(QLatin1String("r"));
                const qint64 number = r.isEmpty() ? row + 2 : boundedNumber(r, MaxRows);
                if (number < 1)
                    throw Refusal{SheetText::BadReference.arg(sheetName)};
                if (number > MaxRows)
                    throw Refusal{SheetText::RowPastLimit.arg(sheetName).arg(MaxRows)};
                row = number - 1;
                column = -1;
                continue;
            }
            if (xml.name() != QLatin1String("c"))
                continue;
            // Its reference and type, found in one pass (the first of each name).
            const auto attributes = xml.attributes();
            QStringView reference;
            QStringView type;
            bool hasReference = false;
            bool hasType = false;
            for (const QXmlStreamAttribute& a : attributes) {
                const QStringView name = a.qualifiedName();
                if (name.size() != 1)
                    continue;
                if (name[0] == u'r' && !hasReference) {
                    reference = a.value();
                    hasReference = true;
                } else if (name[0] == u't' && !hasType) {
                    type = a.value();
                    hasType = true;
                }
            }
            if (reference.isEmpty()) {
                if (++column >= MaxColumns)
                    throw Refusal{SheetText::ColumnPastLimit.arg(sheetName, QStringLiteral("XFD"))};
            } else {
                const Reference at = referenceOf(reference, sheetName);
                column = at.column;
                if (row < 0) // a cell outside any row
                    row = at.row;
            }
            if (row < 0)
                throw Refusal{SheetText::BadReference.arg(sheetName)};
            QString value;
            QString inlineText;
            while (!xml.atEnd()) {
                next(xml, sheet);
                if (xml.isEndElement())
                    break;
                if (!xml.isStartElement())
                    continue;
                if (xml.name() == QLatin1String("v"))
                    value = elementText(xml, sheet);
                else if (xml.name() == QLatin1String("is"))
                    inlineText = richText(xml, sheet);
                else
                    skipElement(xml, sheet);
            }
            if (type == QLatin1String("s")) {
                bool isIndex = false;
                const int index = value.toInt(&isIndex);
                if (!isIndex || index < 0 || index >= rows.sharedTexts())
                    badIndex = true;
                else
                    rows.addShared(row, column, index);
            } else if (type == QLatin1String("inlineStr")) {
                rows.add(row, column, inlineText);
            } else if (!value.isEmpty()) { // a blank cell leaves no trace
                const bool plain = type.isEmpty() || type == QLatin1String("n");
                bool isNumber = false;
                const double number = plain ? value.toDouble(&isNumber) : 0;
                const QString text = !plain ? unescape(value) : isNumber ? numberText(number) : value;
                holdToCell(text, sheet);
                rows.add(row, column, text);
            }
        }
    });
    if (!ok || badIndex)
        throw Refusal{SheetText::SheetUnreadable.arg(sheetName)};
    return Table{rows.finish()};
}

// ---- .xls --------------------------------------------------------------

Table readXls(const QString& path, const QString& sheetName, const std::function<void()>& waiting)
{
    // FreeXL reads the file in a process of its own, which checks the
    // sizes the sheet states; the cells come back in the form kept here.
    RowsBuilder rows(sheetName); // shared texts each kept once, as in an .xlsx
    const auto refusal = XlsProcess::read(
        path, sheetName, [&](QByteArrayView text) { rows.addSharedText(QString::fromUtf8(text)); },
        [&](const XlsProcess::Cell& cell) {
            switch (cell.kind) {
            case XlsStream::Int:
                rows.add(cell.row, cell.column, QString::number(cell.integer));
                break;
            case XlsStream::Double:
                rows.add(cell.row, cell.column, numberText(cell.number));
                break;
            case XlsStream::Shared:
                rows.addShared(cell.row, cell.column, cell.shared);
                break;
            default: // texts, and dates and times as text
                rows.add(cell.row, cell.column, QString::fromUtf8(cell.text));
                break;
            }
        },
        waiting);
    if (!refusal)
        return Table{rows.finish()};
    switch (*refusal) {
    case XlsStream::Refusal::NotAWorkbook:
        throw Refusal{SheetText::NotAWorkbook};
    case XlsStream::Refusal::WorkbookUnreadable:
        throw Refusal{SheetText::WorkbookUnreadable};
    case XlsStream::Refusal::NoSuchSheet:
        throw Refusal{SheetText::NoSuchSheet.arg(sheetName)};
    case XlsStream::Refusal::RowsPastLimit:
        throw Refusal{SheetText::RowPastLimit.arg(sheetName).arg(MaxXlsRows)};
    case XlsStream::Refusal::ColumnsPastLimit:
        throw Refusal{SheetText::ColumnPastLimit.arg(sheetName, QStringLiteral("IV"))};
    default: // the reader's own refusal, or its death, limit or silence
        throw Refusal{SheetText::SheetUnreadable.arg(sheetName)};
    }
}

} // namespace

std::optional<Table> readSheet(const QString& path, const QString& sheetName, QString* error,
                               const std::function<void()>& waiting)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, SheetText::FileUnopened);
        return std::nullopt;
    }
    const QByteArray head = file.read(8);
    file.close();
    try {
        if (head.startsWith("PK\x03\x04"))
            return readXlsx(path, sheetName);
        if (head == QByteArray::fromHex("D0CF11E0A1B11AE1"))
            return readXls(path, sheetName, waiting);
        throw Refusal{SheetText::NotAWorkbook};
    } catch (const Refusal& refusal) {
        setError(error, refusal.text);
        return std::nullopt;
    }
}

} // namespace Sheet
