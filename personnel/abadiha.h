#pragma once
// The gazetteer of places: search with filters, count, title sort, new, edit,
// delete behind the delete password, the export, and the replacement of the
// whole table by the rows of a workbook sheet (.xlsx or .xls), previewed first.

#include "core/page_rights.h"
#include "platform/ui/form.h"

class ListWindow;
class SheetPreview;

namespace Ui { class Tabadiha; }

class Tabadiha : public Form {
    Q_OBJECT
public:
    explicit Tabadiha(QWidget* parent = nullptr);
    ~Tabadiha() override;

    Ui::Tabadiha* ui;

    // The commands and the right that enables each and is checked at its write
    // (the new place's and the edit's saves are abadiha_ins's).
    static constexpr PageCommand AddPlace{"N2", PageWrite::Add};
    static constexpr PageCommand ReplaceFromSheet{"ins_btn", PageWrite::Add};
    static constexpr PageCommand EditPlace{"N3", PageWrite::Edit};
    static constexpr PageCommand DeletePlace{"N1", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddPlace, ReplaceFromSheet, EditPlace, DeletePlace};
    // The commands by those rights, as the main menu enables them.
    void enableCommands(const PageRights& rights);
    // Before showing: the six filter boxes emptied, the sheet count "0".
    void prepareForOpening();

    ListWindow* list() const { return m_list; }
    // Reads the sheet of a workbook into the preview; false after the message
    // when it cannot be read.
    bool openSheet(const QString& path);
    // The sheet's data rows shown in the preview (its first row is the header).
    int sheetRows() const;

public slots:
    void BitBtn1Click();   // search
    void Excel_btnClick(); // export
    void BitBtn2Click();   // choose a workbook
    void ins_btnClick();   // replace the table by the sheet
    void N1Click();        // delete
    void N2Click();        // new
    void N3Click();        // edit

private:
    ListWindow* m_list;
    SheetPreview* m_sheet;
};
