#pragma once
// A person's electronic file: scans, a signature image and other documents,
// each kept whole in the database under a description from the settings list.
// Opened from the personnel list for one person; a click on a row opens that
// document with the desktop.

#include "core/page_rights.h"
#include "platform/ui/form.h"

#include <QVariant>

class QModelIndex;
class QStandardItemModel;

namespace Ui { class Tpersonel_pic; }

class Tpersonel_pic : public Form {
    Q_OBJECT
public:
    explicit Tpersonel_pic(QWidget* parent = nullptr);
    ~Tpersonel_pic() override;

    Ui::Tpersonel_pic* ui;

    // The commands and the right that enables each and is checked at its write
    // on the electronic file (the attach's, in StoredFile::store, is an add).
    static constexpr PageCommand AddFile{"ins_btn", PageWrite::Add};
    static constexpr PageCommand DeleteFile{"N1", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddFile, DeleteFile};
    // The commands by those rights, as the person's list enables them.
    void enableCommands(bool darj, bool hazf);
    // The file of one person (personel.id): its documents listed, the description emptied.
    void openFor(const QVariant& personId);

    QStandardItemModel* model() const { return m_model; }
    QVariant personId() const { return m_personId; }

public slots:
    void ins_btnClick();                             // attach a file to the person
    void DBGrid1CellClick(const QModelIndex& index); // open the clicked document
    void N1Click();                                  // delete the current document, after the delete password

protected:
    void showEvent(QShowEvent* event) override;

private:
    void load();
    QVariant currentId() const;

    QVariant m_personId;
    QStandardItemModel* m_model;
};
