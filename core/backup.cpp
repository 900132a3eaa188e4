#include "backup.h"
#include "ui_backup.h"

#include "core/account_now.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/backup.h"
#include "platform/db/texts.h"
#include "platform/ui/msg.h"
#include "platform/ui/progress.h"

#include <QDir>
#include <QFileSystemModel>

Tbackup::Tbackup(QWidget* parent) : Form(parent), ui(new Ui::Tbackup), m_folders(new QFileSystemModel(this))
{
    ui->setupUi(this);
    // Folders only, from the top of the file system; the top itself is not
    // shown. Their icons are told without reading any file.
    m_folders->setIconProvider(&m_icons);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    ui->ShellTreeView1->setModel(m_folders);
    ui->ShellTreeView1->setRootIndex(m_folders->index(QDir::rootPath()));
    for (int column = 1; column < m_folders->columnCount(); ++column)
        ui->ShellTreeView1->hideColumn(column);
    ui->ShellTreeView1->setHeaderHidden(true);
    // The user's own folder opened and in sight as the folders load, nothing chosen yet.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        const QString home = QDir::homePath();
        if (!home.startsWith(loaded))
            return;
        const QModelIndex at = m_folders->index(home);
        for (QModelIndex i = at; i.isValid(); i = i.parent())
            ui->ShellTreeView1->expand(i);
        ui->ShellTreeView1->scrollTo(at);
    });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tbackup::BitBtn1Click);
}

Tbackup::~Tbackup() { delete ui; }

QString Tbackup::selectedFolder() const
{
    // The folder chosen, not the one that merely has the focus frame.
    const QModelIndexList chosen = ui->ShellTreeView1->selectionModel()->selectedRows();
    return chosen.isEmpty() ? QString() : m_folders->filePath(chosen.first());
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
    // The administrator's alone, as the account is stored when the copy begins.
    AccountNow::Standing standing = AccountNow::Standing::Allowed;
    {
        const AccountNow::ForLevels admin;
        standing = AccountNow::standingNow();
    }
    if (standing == AccountNow::Standing::Refused)
        return;
    const QString folder = selectedFolder();
    // Without a chosen folder there is no place to write to; an unread
    // database is said as any copy that failed.
    DbBackup::Outcome outcome;
    const QString path = folder.isEmpty() ? QString() : QDir(folder).filePath(fileName(Shamsi::today()));
    if (!folder.isEmpty() && standing == AccountNow::Standing::Allowed) {
        // The window stays alive while the file is written, and the work can be
        // stopped; the progress box keeps the windows from taking input meanwhile.
        Progress progress(CoreText::BackupRunning);
        outcome = DbBackup::write(Database::current(), path,
                                  [&](qint64 done, qint64 total) { return progress.step(done, total); });
    }
    switch (outcome.kind) {
    case DbBackup::Outcome::Written:
        Msg::info(CoreText::BackupDone);
        break;
    case DbBackup::Outcome::Cancelled:
        Msg::info(CoreText::BackupCancelled);
        break;
    case DbBackup::Outcome::OldClient:
        Msg::error(CoreText::BackupOldClient.arg(outcome.clientMajor).arg(outcome.serverMajor));
        break;
    case DbBackup::Outcome::Failed:
        // Why, where it is known; the old words where it is not (no folder chosen, a server's refusal).
        if (outcome.cause == DbBackup::Outcome::DiskFull)
            Msg::error(DbText::backupDiskFull(path));
        else if (outcome.cause == DbBackup::Outcome::FolderNotWritable)
            Msg::error(DbText::backupFolderNotWritable(folder));
        else if (outcome.cause == DbBackup::Outcome::Busy)
            Msg::error(DbText::BackupBusy);
        else if (outcome.cause == DbBackup::Outcome::Damaged)
            Msg::error(DbText::BackupDamaged);
        else if (outcome.cause == DbBackup::Outcome::NotWhole)
            Msg::error(DbText::BackupNotWhole);
        else
            Msg::info(CoreText::BackupFailed);
        break;
    }
}
