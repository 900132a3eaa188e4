#pragma once
// The office's attachments: files kept in the database under a description,
// some of which the program looks up itself (the newest program file, the font
// help). Adding reads a file the user chooses; a click on a row saves the file
// where the user says and opens it.

#include "core/page_rights.h"
#include "platform/ui/form.h"

class ListWindow;
class QModelIndex;

namespace Ui { class Tzamaem; }

class Tzamaem : public Form {
    Q_OBJECT
public:
    explicit Tzamaem(QWidget* parent = nullptr);
    ~Tzamaem() override;

    Ui::Tzamaem* ui;

    // The commands and the right that enables each and is checked at its
    // write (the add's, in StoredFile::store, is an add).
    static constexpr PageCommand AddFile{"ins_btn", PageWrite::Add};
    static constexpr PageCommand DeleteFile{"N1", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddFile, DeleteFile};
    // The commands by those rights, as the main menu enables them.
    void enableCommands(bool darj, bool hazf);
    // What the main menu does before showing the window: empties the
    // description and access-code boxes and lists every attachment.
    void prepareForOpening();

    ListWindow* list() const { return m_list; }

public slots:
    void ins_btnClick();                           // choose a file and store it
    void DBGrid1CellClick(const QModelIndex& index); // save and open the clicked attachment
    void N1Click();                                // delete the current attachment

private:
    ListWindow* m_list = nullptr;
};
