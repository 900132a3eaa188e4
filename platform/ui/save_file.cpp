#include "save_file.h"

#include "platform/ui/msg.h"
#include "platform/ui/texts.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QtDebug>

namespace SaveFile {

namespace {

// Whether the disk of the folder has no room left.
bool diskFull(QFileDevice::FileError error, const QString& folder)
{
    // Qt reports a write refused for want of room (ENOSPC) as a resource error.
    if (error == QFileDevice::ResourceError)
        return true;
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.bytesAvailable() == 0;
}

} // namespace

QString Outcome::message(const QString& otherwise) const
{
    const QString where = Msg::filePath(path);
    switch (failure) {
    case Failure::None:
        return QString();
    case Failure::DiskFull:
        return UiText::DiskFull.arg(where);
    case Failure::NotWritable:
        return UiText::FolderNotWritable.arg(where);
    case Failure::NotWritten:
        break;
    }
    return otherwise.isEmpty() ? UiText::FileNotWritten.arg(where) : otherwise;
}

bool Outcome::said(const QString& otherwise) const
{
    if (!ok())
        Msg::error(message(otherwise));
    return ok();
}

Writer::Writer(const QString& path, QFileDevice::Permissions permissions)
    : m_path(path), m_file(std::make_unique<QSaveFile>(path)), m_permissions(permissions)
{
    // Unbuffered: a write the disk refuses fails at once, with its cause.
    // (A buffered one is refused only in the last flush, which QSaveFile's
    // commit does not check: it would move a part in as the whole.)
    m_opened = !path.isEmpty() && m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // Restricted before a byte is written.
    if (m_opened && permissions)
        m_file->setPermissions(permissions);
}

Writer::~Writer()
{
    if (!m_ended)
        cancel();
}

bool Writer::write(const QByteArray& bytes)
{
    if (!m_opened || m_ended || m_failed)
        return false;
    // A disk that fills up takes part of a piece and says nothing; the rest,
    // written again, is refused with the cause.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 n = m_file->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            // Kept: the device forgets it when it closes.
            m_failed = true;
            m_error = m_file->error();
            qWarning().noquote() << "file not written:" << m_path << m_file->errorString();
            return false;
        }
        done += n;
    }
    return true;
}

QIODevice& Writer::device() { return *m_file; }

Outcome Writer::commit()
{
    if (!m_opened || m_ended || m_failed || !m_file->commit())
        return cancel();
    m_ended = true;
    // QSaveFile keeps the permissions of a file it replaces.
    if (m_permissions)
        QFile::setPermissions(m_path, m_permissions);
    return Outcome{Failure::None, m_path};
}

Outcome Writer::cancel()
{
    Outcome out{Failure::NotWritten, m_path};
    const QFileInfo target(m_path);
    const QFileInfo folder(target.absolutePath());
    if (m_opened && diskFull(m_failed ? m_error : m_file->error(), folder.absoluteFilePath()))
        out.failure = Failure::DiskFull;
    else if (!m_opened || !folder.isDir() || !folder.isWritable() || target.isDir())
        out.failure = Failure::NotWritable;
    if (m_opened && !m_ended) {
        // After cancelWriting, commit removes the temporary file and leaves
        // the place as it was.
        m_file->cancelWriting();
        if (m_file->isOpen())
            m_file->commit();
    }
    m_ended = true;
    return out;
}

Outcome write(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions)
{
    Writer out(path, permissions);
    out.write(bytes);
    return out.commit();
}

} // namespace SaveFile
