#pragma once
// The backup window: a full backup of the connected database into the chosen
// folder, under a name made of today's Persian date. Its tree lists folders
// only and opens no file (the database's own folder may be in sight: see
// platform/ui/file_dialog.h).

#include "platform/ui/file_dialog.h"
#include "platform/ui/form.h"

class QFileSystemModel;

namespace Ui { class Tbackup; }

class Tbackup : public Form {
    Q_OBJECT
public:
    explicit Tbackup(QWidget* parent = nullptr);
    ~Tbackup() override;

    Ui::Tbackup* ui;

    // The folder chosen in the tree; empty when none is.
    QString selectedFolder() const;
    // Chooses a folder in the tree, as a click on it does.
    void selectFolder(const QString& path);

    // The backup file's name for a Persian date yyyy/mm/dd: kurvo1403_05_09.
    static QString fileName(const QString& shamsiDate);

public slots:
    void BitBtn1Click(); // make the backup file

private:
    FileDialog::NameIcons m_icons; // outlives the tree's model
    QFileSystemModel* m_folders;
};
