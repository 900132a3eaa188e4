#include "file_dialog.h"

#include "platform/ui/texts.h"

#include <QApplication>
#include <QCalendar>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QSplitter>
#include <QStyle>
#include <QTreeView>

namespace FileDialog {

namespace {

// The dialog's own file list, with the size and type columns in Persian.
class PersianFiles final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case SizeColumn: return files->isDir(source) ? QString() : sizeText(files->size(source));
        case TypeColumn: return typeText(files->fileInfo(source));
        case DateColumn: return dateText(files->lastModified(source));
        default: return QIdentityProxyModel::data(index, role);
        }
    }

private:
    // The columns of Qt's file list: name, size, type, date modified.
    static constexpr int SizeColumn = 1, TypeColumn = 2, DateColumn = 3;
};

QString runDialog(QFileDialog& dialog, NameIcons& icons)
{
    persianList(dialog, icons);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

QString openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    NameIcons icons;
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runDialog(dialog, icons);
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& proposedName, const QString& filter)
{
    // A name without a folder is proposed in the dialog's current folder.
    NameIcons icons;
    QFileDialog dialog(parent, caption, proposedName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return runDialog(dialog, icons);
}

void persianList(QFileDialog& dialog, NameIcons& icons)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setProxyModel(new PersianFiles(&dialog));
    // Room for a whole date and a folder's name in the side list.
    dialog.resize(qMax(dialog.width(), 820), qMax(dialog.height(), 480));
    if (auto* sides = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        sides->setSizes({170, 650});
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
}

NameIcons::NameIcons()
{
    const QStyle* style = QApplication::style();
    m_computer = style->standardIcon(QStyle::SP_ComputerIcon);
    m_drive = style->standardIcon(QStyle::SP_DriveHDIcon);
    m_folder = style->standardIcon(QStyle::SP_DirIcon);
    m_file = style->standardIcon(QStyle::SP_FileIcon);
}

QIcon NameIcons::icon(IconType type) const
{
    switch (type) {
    case Computer: return m_computer;
    case Drive: return m_drive;
    case File: return m_file;
    default: return m_folder; // desktop, trash, network, folder
    }
}

QIcon NameIcons::icon(const QFileInfo& info) const
{
    return info.isRoot() ? m_drive : info.isDir() ? m_folder : m_file;
}

QString NameIcons::type(const QFileInfo& info) const { return typeText(info); }

QString sizeText(qint64 bytes)
{
    const QLocale locale;
    constexpr qint64 kb = 1024, mb = kb * 1024, gb = mb * 1024, tb = gb * 1024;
    if (bytes >= tb)
        return UiText::SizeTB.arg(locale.toString(double(bytes) / tb, 'f', 2));
    if (bytes >= gb)
        return UiText::SizeGB.arg(locale.toString(double(bytes) / gb, 'f', 2));
    if (bytes >= mb)
        return UiText::SizeMB.arg(locale.toString(double(bytes) / mb, 'f', 1));
    if (bytes >= kb)
        return UiText::SizeKB.arg(locale.toString(bytes / kb));
    return UiText::SizeBytes.arg(locale.toString(bytes));
}

QString dateText(const QDateTime& time)
{
    if (!time.isValid())
        return QString();
    const QLocale locale;
    return locale.toString(time, locale.dateTimeFormat(QLocale::ShortFormat), QCalendar(QCalendar::System::Jalali));
}

QString typeText(const QFileInfo& file)
{
    if (file.isRoot())
        return UiText::DriveType;
    if (file.isDir())
        return UiText::FolderType;
    const QString extension = file.suffix();
    return extension.isEmpty() ? UiText::FileType : UiText::FileTypeOf.arg(extension);
}

} // namespace FileDialog
