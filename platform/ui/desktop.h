#pragma once
// What the desktop gives the program: opening a file with the application
// registered for its type, a private folder for files written out to be
// opened, and the keyboard layout.

#include <QByteArray>
#include <QString>
#include <functional>

namespace Desktop {

// Opens a file with the desktop's default application for its type, when its
// extension is a document, sheet, text, archive or picture type of the short
// list below; any other file is left where it is, never opened, and the user
// is told where it is. A failed open (no application for the type, the
// desktop's helper failing) is told the same way. True when opened.
// Tests replace the opener to see which file would have been opened.
bool openFile(const QString& path);
// Whether files of an extension (".pdf", "xlsx") are opened.
bool opensType(const QString& extension);
using Opener = std::function<void(const QString& path)>;
void setOpener(Opener opener); // nullptr restores the desktop

// The folder where the user's documents go (the XDG documents folder), made
// when missing; what the user asked to keep is written there. Empty when it
// cannot be made.
QString documentsFolder();

// A folder only this user can read, made once per run and removed at exit.
QString privateTempFolder();

// Keeps only letters, digits, '-', '_' and one leading dot of an extension
// taken from stored data: ".PDF" stays ".PDF", "../x/.sh" becomes ".sh", junk becomes "".
QString cleanExtension(const QString& extension);

// A path in the private folder, not yet taken, under a name the program
// builds from base and the extension, both cleaned; empty without the folder.
QString privateFilePath(const QString& base, const QString& extension);

// Writes bytes into the private folder under a name the program builds from
// base (cleaned the same way) and the cleaned extension, readable and writable
// by the user only (never executable); returns the path, or empty text when
// the file could not be written.
QString writePrivateFile(const QString& base, const QString& extension, const QByteArray& bytes);

// Makes a Persian keyboard layout the active one where the desktop lets the
// program do so (an X11 keyboard group named "ir"); best effort, never an error.
void switchToPersianKeyboard();

} // namespace Desktop
