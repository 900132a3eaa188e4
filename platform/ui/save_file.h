#pragma once
// Files the clerk takes away (a printed form as PDF, a workbook, the text file
// of national codes, a stored document saved out, the remembered user name)
// are written beside their place under a temporary name and moved in only
// when whole, and the folder is synced after the move. A full disk, a folder
// that cannot be written or a read-only file in the way leaves no part of a
// file where the clerk looks, and the message says which it was, with the path.
// A folder that cannot be synced after the move is a failure too: the whole
// file stays in place (taking it away could not be made to last either, and
// it may have replaced the only other copy), and the clerk is told it may not
// be kept.
// A writer that needs a name of its own (SQLite's backup, pg_dump) writes to a
// Partial: a hidden name beside the target, held while its writer lives; the
// next writer in that folder removes what a killed program left there.
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
    ReadOnlyFile, // a file of that name is there and may not be replaced
    NotWritten,  // anything else
    NotKept,     // moved in whole, but the folder could not be synced: the
                 // move may not last past a power cut (the file is left there)
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

// A file written under a name of its own beside target and moved over it
// only when whole: ".<name>.partial-XXXXXX", readable by its owner only. It is
// locked (flock) while this object lives, so that no other writer takes it for
// a leftover; destroyed before moveIntoPlace(), it removes its file.
class Partial {
public:
    // Reserves the name; first removes the leftovers of the target's folder.
    explicit Partial(const QString& target);
    ~Partial();
    Partial(const Partial&) = delete;
    Partial& operator=(const Partial&) = delete;

    // Whether the name is reserved; otherwise the errno of the refusal.
    bool reserved() const { return m_fd >= 0; }
    int refusal() const { return m_errno; }
    QString fileName() const { return m_name; }
    // The file's data on the disk, the file renamed over the target, the
    // folder synced; false with why (after a failed folder sync the file is
    // in place).
    bool moveIntoPlace(QString* error);

    // Removes the partials of folder that nobody holds (a killed writer's),
    // with the SQLite journal beside one.
    static void removeLeftovers(const QString& folder);

private:
    QString m_target;
    QString m_name;
    int m_fd = -1;
    int m_errno = 0;
    bool m_moved = false;
};

// Makes a rename or a removal in folder last past a power cut; false when it cannot.
bool syncFolder(const QString& folder);

} // namespace SaveFile
