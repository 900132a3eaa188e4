#pragma once
// Files the clerk takes away (a printed form as PDF, a workbook, the text file
// of national codes, a stored document saved out, the remembered user name)
// are written beside their place under a temporary name and moved in only
// when whole. A full disk or a folder that cannot be written leaves no part
// of a file where the clerk looks, and the message says which it was, with
// the path.
//
//     if (!SaveFile::write(path, bytes).said())
//         return; // the reason is said
//
//     SaveFile::Writer out(path); // a file written a piece at a time
//     for (...) out.write(piece);
//     const SaveFile::Outcome done = out.commit();

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <memory>

class QIODevice;
class QSaveFile;

namespace SaveFile {

enum class Failure {
    None,
    DiskFull,    // the disk (or the user's quota) has no room left
    NotWritable, // the folder cannot be written: no permission, read only, no such folder
    NotWritten,  // anything else
};

struct Outcome {
    Failure failure = Failure::None;
    QString path;
    bool ok() const { return failure == Failure::None; }
    // The Persian message of a failure with the path; otherwise (a failure of
    // no known cause) is said instead of the general one when given.
    QString message(const QString& otherwise = QString()) const;
    // ok(); a failure is shown as an error first.
    bool said(const QString& otherwise = QString()) const;
};

// Writes bytes as the whole file at path, with permissions when given.
Outcome write(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions = {});

// A file written a piece at a time. Nothing is at path until commit() moves
// the whole in; a writer destroyed without commit() leaves nothing.
class Writer {
public:
    explicit Writer(const QString& path, QFileDevice::Permissions permissions = {});
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // False once anything failed (the failure is kept for commit()).
    bool write(const QByteArray& bytes);
    // The device, for writers that seek (open for writing). Write through
    // write(), which keeps the cause of a failure; never close it: commit()
    // or cancel() end it.
    QIODevice& device();
    // Moves the whole file in place; the first failure on the way otherwise.
    Outcome commit();
    // Drops what was written; answers why nothing is at the path: the cause
    // of a failed write when one failed, NotWritten otherwise.
    Outcome cancel();

private:
    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    QFileDevice::Permissions m_permissions;
    bool m_failed = false;                                  // a write failed
    QFileDevice::FileError m_error = QFileDevice::NoError; // its cause
    bool m_opened = false;
    bool m_ended = false;
};

} // namespace SaveFile
