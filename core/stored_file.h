#pragma once
// Files kept whole in the database under a description (attachments, a
// person's electronic file, the office's documents and blank forms, guesthouse
// photographs): the description rule and the file chosen for storing, and
// opening a stored file by writing it to the private folder under a name the
// program builds and handing it to the desktop.
//
//     // Storing: the description first, then the file the user chooses.
//     const QString cmt = TextInput::normalize(ui->cmt->currentText());
//     if (!StoredFile::descriptionAllowed(cmt, {.emptyText = Text::NoDescription}))
//         return;
//     const std::optional<StoredFile::Chosen> file = StoredFile::choose();
//     if (!file)
//         return; // cancelled, or unreadable (already said)
//     Sql::insert("personel_pic", {{"personel_id", id}, {"cmt", cmt},
//                                  {"pictyp", file->extension}, {"pic", file->bytes}});
//
//     // Opening the clicked row: written as "document-<id>.<ext>" and opened.
//     StoredFile::open({.table = "personel_pic", .extension = "pictyp"}, row.value("id"), "document");

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
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

// A file chosen for storing.
struct Chosen {
    QString path;
    // The extension with its dot, as the file name has it (".pdf", ".JPG");
    // empty for a name without one.
    QString extension;
    QByteArray bytes;
};

// The extension of a file name as it is stored: its last suffix with the dot.
QString extensionOf(const QString& fileName);

// The file-open dialog (with a filter when given), and the chosen file read
// whole. Nothing when the dialog is cancelled, or when the file cannot be read
// (after unreadableText is said).
std::optional<Chosen> choose(const QString& filter = QString(), const QString& unreadableText = QString());

// Where a table keeps its files: the row is found by its id.
struct Store {
    QString table;
    QString extension;                     // the column of the extension with its dot
    QString bytes = QStringLiteral("pic"); // the column of the file itself
};

// A stored file as read back.
struct Stored {
    QString extension;
    QByteArray bytes;
};

// One row's file; nothing when the row is gone (deleted elsewhere) or on a
// database error (said).
std::optional<Stored> read(const Store& store, const QVariant& id);

// Writes bytes to the private folder as "<base>-<id>" with the cleaned
// extension and opens it with the desktop. False, after notWrittenText is
// said, when the file could not be written.
bool openCopy(const QString& base, const QVariant& id, const QString& extension, const QByteArray& bytes,
              const QString& notWrittenText = QString());

// read, then openCopy: false when nothing was opened.
bool open(const Store& store, const QVariant& id, const QString& base, const QString& notWrittenText = QString());

} // namespace StoredFile
