#pragma once
// The list window of a request feature: the requests joined with their owners'
// person rows (the request's own columns keep their names; the person's columns
// of the same name get "_1"), in the current user's scope, narrowed by the
// filters that check boxes switch on, counted, exported; its commands enabled
// by the user's rights on the feature's page, and the main-menu opener that
// clears the filters, sets the date boxes to today and searches.

#include "core/page_rights.h"
#include "core/rights.h"
#include "services/request/request.h"

#include <QObject>
#include <functional>

class Form;
class QAction;
class QPushButton;

class RequestList : public QObject {
    Q_OBJECT
public:
    RequestList(RequestDesc desc, QTableView* grid, QLabel* countLabel, Form* window);

    const RequestDesc& desc() const { return m_desc; }
    ListWindow& list() { return *m_list; }

    // Filters, in the order the search adds them (ListWindow). A filter on a
    // column of the owner ("personel.lname") and the scope are asked of the
    // owners (personel_id in the persons that match), so that a big table of
    // requests is read through its index on the owner.
    void contains(QCheckBox* check, QWidget* box, const QString& expression);
    void equals(QCheckBox* check, QWidget* box, const QString& expression);
    // A range of Persian dates; the opener sets both boxes to today.
    void dateRange(QCheckBox* check, QWidget* from, QWidget* to, const QString& expression);

    // The row scope; the current user's scope_by_level (asked of the owners)
    // unless a feature gives its own.
    void setScope(std::function<ScopeClause()> scope);

    // The commands of every request list (its menu's N1, N2, N3) and the
    // right that enables each and is checked at its write: the request's
    // insert and delete (request_sql.h) and the office's approval (an edit of
    // the request, Entry). A confirmation behind a gate of its own (a
    // manager's, a guard's) is no command of the list.
    static constexpr PageCommand AddRequest{"N1", PageWrite::Add};
    static constexpr PageCommand ApproveRequest{"N2", PageWrite::Edit};
    static constexpr PageCommand DeleteRequest{"N3", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddRequest, ApproveRequest, DeleteRequest};

    struct Actions {
        QAction* add = nullptr;        // AddRequest: a new request
        QAction* approve = nullptr;    // ApproveRequest: approve the current request
        QAction* remove = nullptr;     // DeleteRequest: the delete rules
        QAction* exportRows = nullptr; // the list to a workbook
        QAction* exit = nullptr;       // closes the window
        QPushButton* search = nullptr;
    };
    // Connects the commands; a new request and an approval open the feature's
    // entry window (approve is given the current request's id). A command on an
    // empty list does nothing.
    void connectCommands(const Actions& commands, std::function<void()> add,
                         std::function<void(qint64 id)> approve);

    // The current request's id, 0 when the list has none; its row as listed.
    qint64 currentId() const;
    QVariantMap currentRow() const { return m_list->currentRow(); }

    // The rows again with the last search's conditions (after an insert, an
    // approval or a delete); the count stays that of the last search.
    void reload() { m_list->reload(); }

    // What the main menu does: the commands by the page's rights, then with the
    // view right the filters cleared, the date boxes set to today, the search
    // and the window shown modally.
    void enable(const PageRights& rights);
    void prepareForOpening();
    PageOpener opener();

    // " and <table>.personel_id in (the persons of that condition)", for a
    // condition " and ..." over the columns of personel.
    QString ownerCondition(const QString& personCondition) const;

private:
    RequestDesc m_desc;
    Form* m_window;
    ListWindow* m_list;
    Actions m_commands;
    QList<QWidget*> m_dateBoxes;
    std::function<ScopeClause()> m_scope;
};
