#include "save_file.h"

#include "platform/ui/msg.h"
#include "platform/ui/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>
#include <QtDebug>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    case Failure::ReadOnlyFile:
        return UiText::ReadOnlyFile.arg(where);
    case Failure::NotKept:
        return UiText::FileNotKept.arg(where);
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
    // Qt writes the file unnamed where the file system can; what a killed
    // backup left beside it goes now.
    if (!path.isEmpty())
        Partial::removeLeftovers(QFileInfo(path).absolutePath());
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
    // The rename itself lasts past a power cut only once the folder is synced.
    if (!syncFolder(QFileInfo(m_path).absolutePath())) {
        qWarning().noquote() << "file moved in, its folder not synced:" << m_path << std::strerror(errno);
        return Outcome{Failure::NotKept, m_path};
    }
    return Outcome{Failure::None, m_path};
}

Outcome Writer::cancel()
{
    Outcome out{Failure::NotWritten, m_path};
    const QFileInfo target(m_path);
    const QFileInfo folder(target.absolutePath());
    if (m_opened && diskFull(m_failed ? m_error : m_file->error(), folder.absoluteFilePath()))
        out.failure = Failure::DiskFull;
    else if (!folder.isDir() || !folder.isWritable() || target.isDir())
        out.failure = Failure::NotWritable;
    else if (target.exists() && !target.isWritable())
        out.failure = Failure::ReadOnlyFile; // Qt replaces no file that may not be written
    else if (!m_opened)
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

namespace {

// ".<name>.partial-XXXXXX", and the old form "<name>.partial-XXXXXX"; the
// second group is SQLite's journal beside one.
const QRegularExpression& partialName()
{
    static const QRegularExpression name(QStringLiteral("^(.+\\.partial-[A-Za-z0-9]{6})(-journal)?$"));
    return name;
}

// Removes the file when nobody holds it; true when it is gone.
bool removeUnheld(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT;
    // Removed while locked: no writer can take it meanwhile.
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = free && ::unlink(path.constData()) == 0;
    ::close(fd);
    return removed;
}

} // namespace

Partial::Partial(const QString& target) : m_target(target)
{
    const QFileInfo info(target);
    removeLeftovers(info.absolutePath());
    // Taken between its making and its lock by another writer's clearing: another name.
    for (int attempt = 0; attempt < 5 && m_fd < 0; ++attempt) {
        QByteArray name = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                            QStringLiteral(".partial-XXXXXX"));
        errno = 0;
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            m_errno = errno;
            return;
        }
        struct stat held {}, named {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
            m_fd = fd;
            m_name = QFile::decodeName(name);
        } else {
            ::close(fd);
        }
    }
    if (m_fd < 0 && !m_errno)
        m_errno = EAGAIN;
}

Partial::~Partial()
{
    if (m_fd < 0)
        return;
    if (!m_moved)
        ::unlink(QFile::encodeName(m_name).constData());
    // Closed last: the lock keeps the file from other writers until it is gone.
    ::close(m_fd);
}

bool Partial::moveIntoPlace(QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    };
    if (m_fd < 0)
        return fail(QStringLiteral("no file"));
    struct stat written {};
    if (::fstat(m_fd, &written) != 0 || written.st_size <= 0)
        return fail(QStringLiteral("the file is empty"));
    if (::fsync(m_fd) != 0)
        return fail(QStringLiteral("the file was not written to the disk"));
    if (::rename(QFile::encodeName(m_name).constData(), QFile::encodeName(m_target).constData()) != 0)
        return fail(QStringLiteral("the file was not moved into place"));
    m_moved = true;
    if (!syncFolder(QFileInfo(m_target).absolutePath()))
        return fail(QStringLiteral("the file was moved into place, but its folder was not synced"));
    return true;
}

void Partial::removeLeftovers(const QString& folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    QStringList gone;
    for (const QString& name : names) {
        const QRegularExpressionMatch m = partialName().match(name);
        if (m.hasMatch() && m.captured(2).isEmpty() && removeUnheld(QFile::encodeName(dir.filePath(name))))
            gone << name;
    }
    // A journal goes with its file, or where its file is gone.
    for (const QString& name : names) {
        const QRegularExpressionMatch m = partialName().match(name);
        if (m.hasMatch() && !m.captured(2).isEmpty() &&
            (gone.contains(m.captured(1)) || !QFileInfo::exists(dir.filePath(m.captured(1)))))
            ::unlink(QFile::encodeName(dir.filePath(name)).constData());
    }
}

bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace SaveFile
