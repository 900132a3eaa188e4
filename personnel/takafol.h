#pragma once
// The dependants of one person (the head of the family): add a dependant,
// take one back into the boxes to correct it (it is deleted and added again),
// and print the family's insurance request letter.

#include "personnel/insurance.h"
#include "core/page_rights.h"
#include "platform/ui/form.h"

class Entry;
class ListWindow;

namespace Ui { class Ttakafol; }

class Ttakafol : public Form {
    Q_OBJECT
public:
    explicit Ttakafol(QWidget* parent = nullptr);
    ~Ttakafol() override;

    Ui::Ttakafol* ui;

    // The commands and the right that enables each and is checked at its write
    // on the dependants.
    static constexpr PageCommand AddDependant{"ins_btn", PageWrite::Add};
    static constexpr PageCommand DeleteDependant{"N1", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddDependant, DeleteDependant};
    // The commands by those rights, as the person's list enables them.
    void enableCommands(bool darj, bool hazf);
    // The dependants of one head, kept as it was when the window opened; the boxes emptied.
    void openFor(const FamilyHead& head);

    const FamilyHead& head() const { return m_head; }
    ListWindow* list() const { return m_list; }

public slots:
    void ins_btnClick(); // add a dependant
    void N1Click();      // the current dependant back into the boxes, deleted
    void BitBtn1Click(); // the insurance request letter

private:
    FamilyHead m_head;
    ListWindow* m_list = nullptr;
    Entry* m_entry = nullptr;
};
