#pragma once
// The family list of the administrator: every person with their dependants
// (one row per dependant, one row for a person without any), or the
// dependants alone; filters, a count, title sort and the export.

#include "platform/ui/form.h"

class ListWindow;

namespace Ui { class Tkhanevade; }

class Tkhanevade : public Form {
    Q_OBJECT
public:
    explicit Tkhanevade(QWidget* parent = nullptr);
    ~Tkhanevade() override;

    Ui::Tkhanevade* ui;

    enum class View { Families, DependantsOnly };
    // What the personnel list does before showing the window: the rows of
    // the view listed, the filter boxes and the count emptied (their check
    // boxes keep their ticks).
    void prepareForOpening(View view);

    // The list the grid shows now.
    ListWindow* list() const { return m_shown; }

public slots:
    void src_btnClick(); // search the families with the filters
    void N1Click();      // export what the grid shows

private:
    void showList(ListWindow* list);

    ListWindow* m_families = nullptr; // searched with the filters
    ListWindow* m_all = nullptr;      // the same rows unfiltered, as the window opens
    ListWindow* m_dependants = nullptr;
    ListWindow* m_shown = nullptr;
};
