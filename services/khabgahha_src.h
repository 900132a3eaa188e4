#pragma once
// The guesthouse registry: the organisation's suites across the provinces,
// searched by province, with the day statuses of the clicked suite below.
// Its commands act on the current suite: edit, day status, photographs; with
// no current suite (before the first search, or in an empty list) they do
// nothing.

#include "core/page_rights.h"
#include "platform/ui/form.h"

#include <QVariant>

class ListWindow;
class QModelIndex;

namespace Ui { class Tkhabgahha_src; }

class Tkhabgahha_src : public Form {
    Q_OBJECT
public:
    explicit Tkhabgahha_src(QWidget* parent = nullptr);
    ~Tkhabgahha_src() override;

    Ui::Tkhabgahha_src* ui;

    // The commands and the right that enables each and is checked at its
    // write (the new suite's and the edit's saves are khabgahha_ins's).
    static constexpr PageCommand AddSuite{"N1", PageWrite::Add};
    static constexpr PageCommand EditSuite{"N2", PageWrite::Edit};
    static constexpr PageCommand Commands[] = {AddSuite, EditSuite};
    // The commands by those rights, as the main menu enables them, and the
    // delete item (N3) by hazf: it writes nothing, suites are not deleted.
    void enableCommands(bool darj, bool virayesh, bool hazf);
    // What the main menu does before showing the window: the province filter
    // and the count are emptied; the list keeps the rows of the last search.
    void prepareForOpening();

    ListWindow* list() const { return m_list; }
    ListWindow* statuses() const { return m_statuses; }
    // The id of the current suite; invalid when there is none.
    QVariant currentSuite() const;

public slots:
    void BitBtn1Click(); // search
    void N1Click();      // new suite
    void N2Click();      // edit the current suite
    void N4Click();      // a day status for the current suite
    void N7Click();      // the current suite's photographs
    void DBGrid1CellClick(const QModelIndex& index); // the clicked suite's day statuses

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showStatuses();

    ListWindow* m_list;
    ListWindow* m_statuses;
    QVariant m_statusSuite; // the suite whose statuses the lower grid shows
};
