#include "stored_file.h"

#include "core/entry.h"
#include "core/exclusive_save.h"
#include "core/lock_keys.h"
#include "core/texts.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"
#include "platform/ui/progress.h"
#include "platform/ui/save_file.h"

#include <QFile>
#include <QFileInfo>
#include <functional>

namespace StoredFile {

namespace {

// Thrown inside a transfer's transaction to roll it back: the user cancelled
// or the file failed; what was to be said is said already.
struct Stopped {};

// The progress of a transfer, with its cancel.
class Transfer {
public:
    Transfer(const QString& text, qint64 total) : m_total(std::max<qint64>(total, 1)), m_progress(text) {}
    // Throws Stopped when the user cancelled.
    void done(qint64 bytes)
    {
        if (!m_progress.step(std::min<qint64>(bytes, m_total), m_total))
            throw Stopped{};
    }

private:
    qint64 m_total;
    Progress m_progress;
};

// Whether the description is already stored where the rule keeps it unique.
bool descriptionTaken(const QString& description, const DescriptionRule& rule)
{
    if (rule.uniqueIn.isEmpty() || rule.repeatable.contains(description))
        return false;
    // The table's name is the program's own, never a typed text.
    return Sql::exists(QStringLiteral("select id from %1 where cmt=?").arg(rule.uniqueIn), {description});
}

} // namespace

bool descriptionAllowed(const QString& description, const DescriptionRule& rule)
{
    bool duplicate = false;
    if (!Db::guard([&] { duplicate = descriptionTaken(description, rule); }))
        return false;
    if (duplicate)
        Msg::info(rule.duplicateText);
    if (description.isEmpty())
        Msg::info(rule.emptyText);
    return !duplicate && !description.isEmpty();
}

QString extensionOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    return suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
}

std::optional<Chosen> choose(const QString& filter, const QString& unreadableText)
{
    const std::optional<QString> path = Msg::openFileName(QString(), filter);
    if (!path || path->isEmpty())
        return std::nullopt;
    // Looked at before a byte is read: a device or a pipe never ends, and a
    // huge file would fill the memory and the database.
    const QFileInfo info(*path);
    if (info.exists() && !info.isFile()) {
        Msg::error(CoreText::AttachmentNotAFile);
        return std::nullopt;
    }
    if (info.size() > LargestFile) {
        Msg::error(CoreText::AttachmentTooLarge.arg(LargestFile / (1024 * 1024)));
        return std::nullopt;
    }
    if (!info.isReadable()) {
        Msg::error(unreadableText.isEmpty() ? CoreText::AttachmentUnreadable : unreadableText);
        return std::nullopt;
    }
    return Chosen{*path, extensionOf(*path), info.size()};
}

bool store(const QString& table, const Row& values, const Chosen& chosen, const QString& unreadableText,
           const QString& column, const DescriptionRule& rule, PageWrite write)
{
    bool duplicate = false;
    bool unreadable = false;
    bool refused = false;
    // The row's owner, where it belongs to one (a person's file, a suite's
    // photograph): held against its delete and checked before a byte is sent.
    const Keys::Belonging* owner = nullptr;
    QVariant ownerId;
    for (const auto& [name, value] : values)
        if (const Keys::Belonging* pair = Keys::belongingOf(table, name)) {
            owner = pair;
            ownerId = value;
        }
    bool ownerGone = false;
    QFile file(chosen.path);
    // Said once the command has ended: no message while the table's key is held.
    auto stopUnreadable = [&] {
        unreadable = true;
        return Stopped{};
    };
    try {
        if (!file.open(QIODevice::ReadOnly))
            throw stopUnreadable();
        Transfer progress(CoreText::FileStoring, chosen.size);
        // The row with the first piece, then each further piece added to its
        // end: no piece larger than Piece is ever held or sent.
        auto piece = [&] {
            QByteArray bytes = file.read(Piece);
            if (file.error() != QFile::NoError)
                throw stopUnreadable();
            if (file.pos() > std::max(chosen.size, LargestFile))
                throw stopUnreadable(); // grown past the limit since it was chosen
            return bytes;
        };
        const QList<LockKey> keys = owner ? Keys::ownerKeys(*owner, ownerId.toLongLong()) : QList<LockKey>{};
        refused = !page_write(write, keys + QList<LockKey>{Keys::table(table)}, [&] {
            ownerGone = owner && !Keys::ownerThere(*owner, ownerId);
            if (ownerGone)
                return;
            duplicate = descriptionTaken(column_value(values, QStringLiteral("cmt")).toString(), rule);
            if (duplicate)
                return;
            QByteArray bytes = piece();
            if (bytes.isNull())
                bytes = QByteArray("", 0); // an empty file is stored empty, not as NULL
            Row row = values;
            row.append({column, bytes});
            const qint64 id = Sql::insert(table, row);
            progress.done(file.pos());
            // The names are the program's own; the piece and the id are bound.
            const QString append = QStringLiteral("update %1 set %2=%3 where id=?")
                                       .arg(table, column, Database::current().dialect().appendBytes(column));
            for (bytes = piece(); !bytes.isEmpty(); bytes = piece()) {
                Sql::exec(append, {bytes, id});
                progress.done(file.pos());
            }
        });
    } catch (const Stopped&) {
        if (unreadable)
            Msg::error(unreadableText.isEmpty() ? CoreText::AttachmentUnreadable : unreadableText);
        return false;
    }
    if (refused)
        Msg::info(CoreText::NoPageAccess);
    else if (ownerGone)
        Msg::info(owner->gone);
    else if (duplicate)
        Msg::info(rule.duplicateText);
    return !duplicate && !refused && !ownerGone;
}

namespace {
std::function<QByteArray(const QByteArray&)> g_pieceRead;
}

void setPieceRead(std::function<QByteArray(const QByteArray& piece)> passed) { g_pieceRead = std::move(passed); }

bool saveTo(const Store& store, const QVariant& id, const QString& path, const QString& notWrittenText)
{
    SaveFile::Writer file(path);
    enum class Outcome { Read, Gone, Cancelled, NotWritten };
    Outcome outcome = Outcome::Read;
    qint64 total = 0;
    qint64 read = 0;
    const bool done = Db::guard([&] {
        try {
            // One snapshot: the length and every piece as they were when the
            // read began, whatever another workstation commits meanwhile.
            Sql::transaction([&] {
                Database& db = Database::current();
                if (!db.dialect().readSnapshot().isEmpty() && db.transactionDepth() == 1)
                    Sql::exec(db.dialect().readSnapshot());
                // The length first: the progress, the check of what was read,
                // and a row gone told from an empty file.
                const QVariant size = Sql::scalar(
                    QStringLiteral("select %1 from %2 where id=?").arg(db.dialect().byteLength(store.bytes), store.table), {id});
                if (!size.isValid()) {
                    outcome = Outcome::Gone;
                    return;
                }
                total = size.toLongLong();
                Transfer progress(CoreText::FileReading, total);
                const QString piece = QStringLiteral("select substring(%1, ?, ?) from %2 where id=?").arg(store.bytes, store.table);
                while (read < total) {
                    QByteArray bytes = Sql::scalar(piece, {read + 1, Piece, id}).toByteArray();
                    if (g_pieceRead)
                        bytes = g_pieceRead(bytes);
                    if (bytes.isEmpty())
                        return; // deleted or shortened meanwhile: read stays short
                    if (!file.write(bytes)) {
                        outcome = Outcome::NotWritten;
                        return;
                    }
                    read += bytes.size();
                    progress.done(read);
                }
            });
        } catch (const Stopped&) {
            outcome = Outcome::Cancelled;
        }
    });
    const QString otherwise = notWrittenText.isEmpty() ? CoreText::AttachmentNotWritten : notWrittenText;
    if (!done || outcome != Outcome::Read) {
        const SaveFile::Outcome dropped = file.cancel();
        if (outcome == Outcome::NotWritten)
            dropped.said(otherwise);
        if (outcome == Outcome::Gone)
            Msg::info(CoreText::StoredFileGone);
        return false;
    }
    // What was read must be as long as the row said: a part is never kept as the whole.
    if (read != total) {
        file.cancel();
        Msg::error(CoreText::AttachmentReadShort);
        return false;
    }
    return file.commit().said(otherwise);
}

bool open(const Store& store, const QVariant& id, const QString& base, const QString& notWrittenText)
{
    QString extension;
    if (!Db::guard([&] {
            extension = Sql::scalar(QStringLiteral("select %1 from %2 where id=?").arg(store.extension, store.table), {id})
                            .toString();
        }))
        return false;
    // The private folder only this user can read, a name built from the
    // program's own word and the row's id, and the extension cleaned: no
    // stored text decides where the file goes.
    const QString path = Desktop::privateFilePath(base + QLatin1Char('-') + id.toString(), extension);
    if (path.isEmpty()) {
        Msg::error(notWrittenText.isEmpty() ? CoreText::AttachmentNotWritten : notWrittenText);
        return false;
    }
    if (!saveTo(store, id, path, notWrittenText))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    Desktop::openFile(path);
    return true;
}

} // namespace StoredFile
