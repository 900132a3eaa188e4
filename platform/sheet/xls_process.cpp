#include "xls_process.h"

#include "platform/sheet/workbook_reader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <cstring>

namespace XlsProcess {

namespace {

// The reader beside the program; where the build put it for the tests and
// benchmarks, whose programs live elsewhere.
QString readerProgram()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/tuvek-xls-reader");
    return QFileInfo::exists(beside) ? beside : QStringLiteral(TUVEK_XLS_READER_BUILT);
}

constexpr int StepMs = 100;

// The stream as it comes, held to its rules; a record not yet whole waits
// for the bytes that end it.
class Stream {
public:
    enum class State { Cells, Refused, Ended, Broken };

    Stream(const std::function<void(QByteArrayView)>& share, const std::function<void(const Cell&)>& take)
        : m_share(share), m_take(take)
    {
    }

    State state() const { return m_state; }
    XlsStream::Refusal refusal() const { return m_refusal; }

    void feed(const QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return;
        if (m_state != State::Cells) { // nothing may follow the end
            m_state = State::Broken;
            return;
        }
        m_pending += bytes;
        qsizetype at = 0;
        while (m_state == State::Cells) {
            const qsizetype used = record(QByteArrayView(m_pending).sliced(at));
            if (used == 0)
                break;
            at += used;
        }
        if (m_state != State::Cells && at < m_pending.size())
            m_state = State::Broken;
        m_pending.remove(0, at);
    }

private:
    template <class T> static T field(QByteArrayView bytes, qsizetype at)
    {
        T value;
        std::memcpy(&value, bytes.data() + at, sizeof value);
        return value;
    }

    qsizetype broken()
    {
        m_state = State::Broken;
        return 0;
    }

    // The bytes the record at the front takes; 0 while it is not whole, or
    // when it breaks the rules (the state says which).
    qsizetype record(QByteArrayView bytes)
    {
        using namespace XlsStream;
        if (bytes.isEmpty())
            return 0;
        const auto tag = Tag(std::uint8_t(bytes[0]));
        if (m_unused && tag != Shared) // a shared text is held by the cell that follows it
            return broken();
        if (tag == End) {
            m_state = State::Ended;
            return 1;
        }
        if (tag == Refused) {
            if (bytes.size() < 2)
                return 0;
            const auto why = std::uint8_t(bytes[1]);
            if (why < std::uint8_t(Refusal::NotAWorkbook) || why > std::uint8_t(Refusal::ColumnsPastLimit))
                return broken();
            m_refusal = Refusal(why);
            m_state = State::Refused;
            return 2;
        }
        if (tag == SharedText) {
            QByteArrayView text;
            const qsizetype used = textOf(bytes, 1, &text);
            if (used > 0) {
                ++m_sharedCount;
                m_unused = true;
                m_share(text);
            }
            return used;
        }
        constexpr qsizetype head = 1 + 4 + 2;
        const qsizetype size = tag == Int || tag == Text || tag == Shared ? head + 4 : tag == Double ? head + 8 : -1;
        if (size < 0)
            return broken();
        if (bytes.size() < size)
            return 0;
        Cell cell{field<quint32>(bytes, 1), field<quint16>(bytes, 5), tag};
        const qint64 index = qint64(cell.row) * Sheet::MaxXlsColumns + cell.column;
        if (cell.row >= Sheet::MaxXlsRows || cell.column >= Sheet::MaxXlsColumns || index <= m_last)
            return broken();
        qsizetype used = size;
        if (tag == Int) {
            cell.integer = field<qint32>(bytes, head);
        } else if (tag == Double) {
            cell.number = field<double>(bytes, head);
        } else if (tag == Shared) {
            cell.shared = field<quint32>(bytes, head);
            if (cell.shared >= m_sharedCount || (m_unused && cell.shared + 1 != m_sharedCount))
                return broken();
        } else {
            used = textOf(bytes, head, &cell.text);
            if (used == 0)
                return 0;
        }
        m_unused = false;
        m_last = index;
        m_take(cell);
        return used;
    }

    // A text's length at "at", then its bytes: the bytes of the record up to
    // its end, 0 while it is not whole or past the bounds (then Broken).
    qsizetype textOf(QByteArrayView bytes, qsizetype at, QByteArrayView* text)
    {
        if (bytes.size() < at + 4)
            return 0;
        const auto length = field<quint32>(bytes, at);
        if (length > XlsStream::MaxCellBytes || m_textBytes + length > XlsStream::MaxTextBytes)
            return broken();
        if (bytes.size() < at + 4 + length)
            return 0;
        *text = bytes.sliced(at + 4, length);
        m_textBytes += length;
        return at + 4 + length;
    }

    const std::function<void(QByteArrayView)>& m_share;
    const std::function<void(const Cell&)>& m_take;
    QByteArray m_pending;
    State m_state = State::Cells;
    XlsStream::Refusal m_refusal{};
    qint64 m_last = -1; // the last cell handed, as row * columns + column
    quint64 m_textBytes = 0;
    quint32 m_sharedCount = 0;
    bool m_unused = false; // a shared text not yet held by a cell
};

} // namespace

std::optional<XlsStream::Refusal> read(const QString& path, const QString& sheetName,
                                       const std::function<void(QByteArrayView)>& share,
                                       const std::function<void(const Cell&)>& take,
                                       const std::function<void()>& waiting)
{
    const auto unreadable = XlsStream::Refusal::SheetUnreadable;
    QProcess reader; // killed and waited for however this ends
    reader.setStandardInputFile(QProcess::nullDevice());
    // What the reader or its library may print is not for the clerk.
    reader.setStandardErrorFile(QProcess::nullDevice());
    const QDeadlineTimer deadline(DeadlineMs);
    reader.start(readerProgram(), {path, sheetName}, QIODevice::ReadOnly);
    if (!reader.waitForStarted(int(deadline.remainingTime())))
        return unreadable;

    Stream stream(share, take);
    QElapsedTimer sinceWaiting;
    sinceWaiting.start();
    while (reader.state() != QProcess::NotRunning && !deadline.hasExpired()
           && stream.state() != Stream::State::Broken) {
        reader.waitForReadyRead(int(std::min<qint64>(StepMs, deadline.remainingTime())));
        stream.feed(reader.readAll());
        if (waiting && sinceWaiting.hasExpired(StepMs)) {
            waiting();
            sinceWaiting.restart();
        }
    }
    if (reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished();
        return unreadable;
    }
    stream.feed(reader.readAll()); // what it wrote before it ended
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        return unreadable;
    switch (stream.state()) {
    case Stream::State::Ended:
        return std::nullopt;
    case Stream::State::Refused:
        return stream.refusal();
    default:
        return unreadable;
    }
}

} // namespace XlsProcess
