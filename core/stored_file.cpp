#include "stored_file.h"

#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"

#include <QFile>
#include <QFileInfo>

namespace StoredFile {

bool descriptionAllowed(const QString& description, const DescriptionRule& rule)
{
    bool duplicate = false;
    if (!rule.uniqueIn.isEmpty() && !rule.repeatable.contains(description)) {
        // The table's name is the program's own, never a typed text.
        if (!Db::guard([&] {
                duplicate = Sql::exists(QStringLiteral("select id from %1 where cmt=?").arg(rule.uniqueIn), {description});
            }))
            return false;
    }
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
    QFile file(*path);
    Chosen chosen{*path, extensionOf(*path), {}};
    if (file.open(QIODevice::ReadOnly))
        chosen.bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFile::NoError) {
        Msg::error(unreadableText.isEmpty() ? CoreText::AttachmentUnreadable : unreadableText);
        return std::nullopt;
    }
    return chosen;
}

std::optional<Stored> read(const Store& store, const QVariant& id)
{
    QVariantMap row;
    if (!Db::guard([&] {
            row = Sql::row(QStringLiteral("select %1 as ext, %2 as bytes from %3 where id=?")
                               .arg(store.extension, store.bytes, store.table),
                           {id});
        }))
        return std::nullopt;
    if (row.isEmpty())
        return std::nullopt;
    return Stored{row.value(QStringLiteral("ext")).toString(), row.value(QStringLiteral("bytes")).toByteArray()};
}

bool openCopy(const QString& base, const QVariant& id, const QString& extension, const QByteArray& bytes,
              const QString& notWrittenText)
{
    // The private folder only this user can read, a name built from the
    // program's own word and the row's id, and the extension cleaned: no
    // stored text decides where the file goes.
    const QString path = Desktop::writePrivateFile(base + QLatin1Char('-') + id.toString(), extension, bytes);
    if (path.isEmpty()) {
        Msg::error(notWrittenText.isEmpty() ? CoreText::AttachmentNotWritten : notWrittenText);
        return false;
    }
    Desktop::openFile(path);
    return true;
}

bool open(const Store& store, const QVariant& id, const QString& base, const QString& notWrittenText)
{
    const std::optional<Stored> file = read(store, id);
    return file && openCopy(base, id, file->extension, file->bytes, notWrittenText);
}

} // namespace StoredFile
