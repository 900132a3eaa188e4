#pragma once
// The office's stored documents and blank forms, one per description (the
// loan signature image may be stored several times). A click on a row opens
// that document with the desktop.

#include "core/page_rights.h"
#include "platform/ui/form.h"

class ListWindow;
class QModelIndex;

namespace Ui { class Tmostanadat; }

class Tmostanadat : public Form {
    Q_OBJECT
public:
    explicit Tmostanadat(QWidget* parent = nullptr);
    ~Tmostanadat() override;

    Ui::Tmostanadat* ui;

    // The commands and the right that enables each and is checked at its write
    // (the store's, in StoredFile::store, is an add).
    static constexpr PageCommand AddDocument{"ins_btn", PageWrite::Add};
    static constexpr PageCommand DeleteDocument{"N1", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddDocument, DeleteDocument};
    // The commands by those rights, as the main menu enables them.
    void enableCommands(bool darj, bool hazf);
    // What the main menu does before showing the window: every document
    // listed, the description and access-code boxes emptied.
    void prepareForOpening();

    ListWindow* list() const { return m_list; }

public slots:
    void ins_btnClick();                             // store a file under a description
    void DBGrid1CellClick(const QModelIndex& index); // open the clicked document
    void N1Click();                                  // delete the current document

private:
    ListWindow* m_list = nullptr;
};
