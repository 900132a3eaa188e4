#pragma once
// The open and save file dialogs of the program, in Persian throughout: Qt's
// Persian translation names most of what they show; the type, size and date of
// each listed file, which Qt takes from the system's defaults (English on a
// machine not set to Persian), are given here.
//
// No file dialog or folder view of the program opens a listed file: Qt's own
// icon provider opens a file to guess its type from its content, and closing
// that descriptor would drop every lock SQLite holds on the same file (the
// embedded database in the data folder, a backup's copy under way). Every
// QFileDialog and QFileSystemModel of the program takes NameIcons.

#include <QAbstractFileIconProvider>
#include <QIcon>
#include <QString>

class QDateTime;
class QFileDialog;
class QFileInfo;
class QWidget;

namespace FileDialog {
// The chosen file, or empty text when the dialog was cancelled. A save
// dialog proposes the name given.
QString openFileName(QWidget* parent, const QString& caption, const QString& filter);
QString saveFileName(QWidget* parent, const QString& caption, const QString& proposedName, const QString& filter);

// Icons and types told from a file's name and kind alone, never from what it
// holds. Made on the windows' thread (the icons come from the style); asked
// from Qt's file-gathering thread; lives as long as what it is set on.
class NameIcons final : public QAbstractFileIconProvider {
public:
    NameIcons();
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    QIcon m_computer, m_drive, m_folder, m_file;
};

// Lists the dialog's files with Persian types, sizes and dates, with icons
// that read no file (icons outlives the dialog), in Qt's own dialog (a
// desktop's dialog would guess types from the files' content).
void persianList(QFileDialog& dialog, NameIcons& icons);
// What the list shows of a file: its size, its time of change (Persian
// calendar), and the type of a file or folder.
QString sizeText(qint64 bytes);
QString dateText(const QDateTime& time);
QString typeText(const QFileInfo& file);
}
