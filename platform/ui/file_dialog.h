#pragma once
// The open and save file dialogs of the program, in Persian throughout: Qt's
// Persian translation names most of what they show; the type, size and date of
// each listed file, which Qt takes from the system's defaults (English on a
// machine not set to Persian), are given here.

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

// Lists the dialog's files with Persian types, sizes and dates.
void persianList(QFileDialog& dialog);
// What the list shows of a file: its size, its time of change (Persian
// calendar), and the type of a file or folder.
QString sizeText(qint64 bytes);
QString dateText(const QDateTime& time);
QString typeText(const QFileInfo& file);
}
