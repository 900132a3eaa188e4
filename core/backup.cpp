#include "backup.h"
#include "ui_backup.h"

#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/backup.h"
#include "platform/ui/msg.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>

Tbackup::Tbackup(QWidget* parent) : Form(parent), ui(new Ui::Tbackup), m_folders(new QFileSystemModel(this))
{
    ui->setupUi(this);
    // Folders only, from the top of the file system; the top itself is not shown.
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    ui->ShellTreeView1->setModel(m_folders);
    ui->ShellTreeView1->setRootIndex(m_folders->index(QDir::rootPath()));
    for (int column = 1; column < m_folders->columnCount(); ++column)
        ui->ShellTreeView1->hideColumn(column);
    ui->ShellTreeView1->setHeaderHidden(true);
    // The user's own folders in sight, nothing chosen yet.
    const QModelIndex home = m_folders->index(QDir::homePath());
    for (QModelIndex i = home; i.isValid(); i = i.parent())
        ui->ShellTreeView1->expand(i);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tbackup::BitBtn1Click);
}

Tbackup::~Tbackup() { delete ui; }

QString Tbackup::selectedFolder() const
{
    const QModelIndex current = ui->ShellTreeView1->currentIndex();
    return current.isValid() ? m_folders->filePath(current) : QString();
}

void Tbackup::selectFolder(const QString& path)
{
    ui->ShellTreeView1->setCurrentIndex(m_folders->index(path));
}

QString Tbackup::fileName(const QString& shamsiDate)
{
    return QStringLiteral("kurvo") + shamsiDate.mid(0, 4) + QLatin1Char('_') + shamsiDate.mid(5, 2) +
           QLatin1Char('_') + shamsiDate.mid(8, 2);
}

void Tbackup::BitBtn1Click()
{
    const QString folder = selectedFolder();
    // Without a chosen folder there is no place to write to.
    bool done = false;
    if (!folder.isEmpty()) {
        const QString path = QDir(folder).filePath(fileName(Shamsi::today()));
        QApplication::setOverrideCursor(Qt::WaitCursor);
        done = DbBackup::write(Database::current(), path);
        QApplication::restoreOverrideCursor();
    }
    if (done)
        Msg::info(CoreText::BackupDone);
    else
        Msg::info(CoreText::BackupFailed);
}
