#pragma once
// The phone book: names of people and offices with their numbers and a remark,
// searched as the user types, with add and delete.

#include "core/page_rights.h"
#include "platform/ui/form.h"

class ListWindow;

namespace Ui { class Tphone; }

class Tphone : public Form {
    Q_OBJECT
public:
    explicit Tphone(QWidget* parent = nullptr);
    ~Tphone() override;

    Ui::Tphone* ui;

    // The commands and the right that enables each and is checked at its write.
    static constexpr PageCommand AddEntry{"ins_btn", PageWrite::Add};
    static constexpr PageCommand DeleteEntry{"N1", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddEntry, DeleteEntry};
    // The commands by those rights, as the main menu enables them.
    void enableCommands(bool darj, bool hazf);
    // What the main menu does before showing the window: empties the search box
    // (which searches again when it held text) and the three entry boxes.
    void prepareForOpening();

    // The list: its rows, count and current row.
    ListWindow* list() const { return m_list; }

    // Search text and entries in the form the phone book stores: the house's
    // digits and yeh, and the Arabic kaf for the Persian keheh.
    static QString storedForm(const QString& text);

public slots:
    // The search, run at every change of the search box: rewrites the box in
    // the stored form, then counts and lists the entries whose name (or number,
    // or remark, by the chosen item) contains its text.
    void srcChange();
    void ins_btnClick(); // add
    void N1Click();      // delete the current entry

private:
    ListWindow* m_list = nullptr;
};
