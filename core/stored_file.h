#pragma once
// Files kept whole in the database under a description (attachments, a
// person's electronic file, the office's documents and blank forms, guesthouse
// photographs): the description rule, the file chosen for storing and
// storing it, saving a stored file and opening it by writing it to the
// private folder under a name the program builds and handing it to the
// desktop. Files travel a piece at a time, so memory stays bounded whatever
// their size, and a long transfer shows its progress with a cancel.
//
//     // Storing: the description first, then the file the user chooses.
//     const QString cmt = TextInput::normalize(ui->cmt->currentText());
//     if (!StoredFile::descriptionAllowed(cmt, {.emptyText = Text::NoDescription}))
//         return;
//     const std::optional<StoredFile::Chosen> file = StoredFile::choose();
//     if (!file)
//         return; // cancelled, refused or unreadable (already said)
//     Db::guard([&] { StoredFile::store("personel_pic", {{"personel_id", id}, {"cmt", cmt},
//                                                        {"pictyp", file->extension}}, *file); });
//
//     // Opening the clicked row: written as "document-<id>.<ext>" and opened.
//     StoredFile::open({.table = "personel_pic", .extension = "pictyp"}, row.value("id"), "document");

#include "core/page_rights.h"
#include "platform/db/sql.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

namespace StoredFile {

// When a description may have a file stored under it.
struct DescriptionRule {
    // Said when the description is empty.
    QString emptyText;
    // When given, a description already in this table's cmt column is refused ...
    QString uniqueIn;
    // ... with this text,
    QString duplicateText;
    // ... except these descriptions, which may be stored more than once.
    QStringList repeatable;
};

// Whether a file may be stored under the description. A duplicate is said
// first, then an empty description, both when both hold; a database error of
// the duplicate look-up is said and refuses too.
bool descriptionAllowed(const QString& description, const DescriptionRule& rule);

// The largest file stored, and the piece read or written at a time.
constexpr qint64 LargestFile = 50LL * 1024 * 1024;
constexpr qint64 Piece = 4LL * 1024 * 1024;

// A file chosen for storing: a regular file, readable, of at most LargestFile bytes.
struct Chosen {
    QString path;
    // The extension with its dot, as the file name has it (".pdf", ".JPG");
    // empty for a name without one.
    QString extension;
    qint64 size = 0;
};

// The extension of a file name as it is stored: its last suffix with the dot.
QString extensionOf(const QString& fileName);

// The file-open dialog (with a filter when given), and the chosen file
// looked at before anything is read. Nothing when the dialog is cancelled;
// nothing, after the message, when the choice is not a regular file (a
// folder, a device), is larger than LargestFile, or cannot be read
// (unreadableText).
std::optional<Chosen> choose(const QString& filter = QString(), const QString& unreadableText = QString());

// Inserts a row of values with the chosen file in the column of the file, in
// one transaction, reading and sending the file a piece at a time; a long one
// shows its progress with a cancel. True when stored; false when the user
// cancelled or the file could not be read to its end (unreadableText said):
// then nothing is written. A database error throws DbError, nothing written.
// With a rule, the description (the cmt of values) is checked again in that
// transaction, under the table's lock (Sql::exclusive), so that two
// workstations storing the same description at once keep one: the second is
// told the rule's duplicate text and false is returned. A row that belongs to
// another (Keys::belongings: a person's file, a suite's photograph) is stored
// only while its owner is there, checked in that transaction under the keys
// of the owner's delete; an owner gone is said (the pair's words), false.
// Without write's right (its command's, PageCommand) on the page in use, as
// stored at that moment, that is said and false is returned.
bool store(const QString& table, const Row& values, const Chosen& file, const QString& unreadableText = QString(),
           const QString& column = QStringLiteral("pic"), const DescriptionRule& rule = {},
           PageWrite write = PageWrite::Add);

// Where a table keeps its files: the row is found by its id.
struct Store {
    QString table;
    QString extension;                     // the column of the extension with its dot
    QString bytes = QStringLiteral("pic"); // the column of the file itself
};

// Writes one row's file to path a piece at a time, a long one with its
// progress and a cancel; the file appears whole or not at all. The pieces are
// read in one transaction that sees the row as it was when the read began
// (Dialect::readSnapshot). False when the row is gone (deleted elsewhere;
// said), on a database error (said), when the user cancelled, when what was
// read falls short of the row's length (deleted or changed meanwhile where the
// backend has no snapshot; said), or when the file could not be written (a
// full disk or a folder that cannot be written said as such, anything else
// with notWrittenText). Every message comes after the read has ended.
bool saveTo(const Store& store, const QVariant& id, const QString& path, const QString& notWrittenText = QString());

// For tests: each piece saveTo reads passes through passed first, as a
// stream cut short would give it (nullptr: read as it is).
void setPieceRead(std::function<QByteArray(const QByteArray& piece)> passed);

// Opens one row's file: written to the private folder as "<base>-<id>" with
// the cleaned stored extension (saveTo) and opened with the desktop. False
// when nothing was opened.
bool open(const Store& store, const QVariant& id, const QString& base, const QString& notWrittenText = QString());

} // namespace StoredFile
