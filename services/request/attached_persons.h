#pragma once
// The persons attached to one request: a ticket's travellers, a hospitality
// order's guests, a guesthouse stay's companions. A window of persons keeps
// its own form (boxes named after the columns, a grid, a delete item) and
// hands the rest to one AttachedPersons:
//
//     // constructor, after setupUi
//     m_persons = new AttachedPersons({.table = "paziraei_nafarat", .parent = "paziraei_id",
//                                      .grid = {{"fname", T::Name}, {"lname", T::Surname}, ...}},
//                                     ui->DBGrid1, ui->cnt /* or nullptr */, this);
//     m_persons->bind({{ui->fname, "fname"}, {ui->lname, "lname"}, {ui->ghaza, "ghaza"}});
//     connect(ui->ins_btn, &QPushButton::clicked, m_persons, &AttachedPersons::add);
//     ui->DBGrid1->addAction(ui->N1); // the grid's right-click item "delete"
//     connect(ui->N1, &QAction::triggered, m_persons, &AttachedPersons::deleteBack);
//
//     // the list's command, on its current request
//     window->persons()->openFor(list->current("id")); // then show the window modally
//
//     // a letter: the persons in the order they were added
//     const QList<QVariantMap> rows = AttachedPersons::rowsOf("hamrahan", "khabghah_id", id);
//
// The request is captured by its id when the window opens, so adds and
// deletes go to that request whatever its list shows meanwhile. A person is
// refused when the request already has one of that first name and surname.
// Deleting takes the person's values back into the boxes first, so a
// mistaken delete is undone by adding again. Deleting a request leaves its
// persons in their table.

#include "core/list_behaviours.h"
#include "core/page_rights.h"
#include "platform/db/sql.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class Entry;
class ListWindow;
class QLabel;
class QTableView;
class QWidget;

struct AttachedDescription {
    QString table;  // "ticket_nafarat"
    QString parent; // the column that holds the request's id: "ticket_id"
    CaptionTable grid;
    // Columns that hold whole numbers: an empty box stores NULL.
    QStringList numbers;
    // The request itself is the owner of table's parent column in
    // core/lock_keys.h: persons are added under the keys its delete takes, so
    // they end one after the other; a request deleted meanwhile gets none.
};

class AttachedPersons : public QObject {
    Q_OBJECT
public:
    // A window of persons is its request list's, opened by the page's view
    // right; its add and delete are enabled whenever it is open: the window's
    // own gate, which their writes check too.
    static constexpr PageCommand AddPerson{"ins_btn", PageWrite::Open};
    static constexpr PageCommand DeletePerson{"N1", PageWrite::Open};

    AttachedPersons(AttachedDescription desc, QTableView* grid, QLabel* countLabel, QWidget* window);

    // The boxes and their columns; the first box gets the focus after each
    // add and delete. The columns fname and lname are the duplicate test's.
    void bind(const QList<QPair<QWidget*, QString>>& boxes);

    // Captures the request, empties the boxes, lists its persons and counts them.
    void openFor(const QVariant& requestId);
    QVariant request() const { return m_request; }

    ListWindow* list() const { return m_list; }
    // The boxes' binding, for what a window adds to it (settings lists).
    Entry* entry() const { return m_entry; }
    // The number of persons of the request (as the count label shows it).
    int count() const { return m_count; }

    // Whether the request has a person of that first name and surname. Throws DbError.
    bool has(const QString& fname, const QString& lname) const;
    // Adds persons (column -> value; the request's column is added) in one
    // transaction, skipping those whose first name and surname the request
    // already has, without a message, then lists them again; answers how many
    // were added, or nothing after a database error's message, or after the
    // message that the request was deleted meanwhile (nothing added).
    std::optional<int> addAll(const QList<Row>& persons);

    // The persons of a request in the order they were added (column -> value). Throws DbError.
    static QList<QVariantMap> rowsOf(const QString& table, const QString& parent, const QVariant& requestId);

public slots:
    // Adds the person in the boxes; the duplicate message when the request has
    // that name already. The boxes keep their text.
    void add();
    // Takes the current person back into the boxes and deletes it, with no question.
    void deleteBack();

signals:
    // The persons shown changed (opened, added, deleted).
    void changed();

private:
    void refresh();

    AttachedDescription m_desc;
    Entry* m_entry;
    ListWindow* m_list;
    QLabel* m_countLabel;
    QWidget* m_first = nullptr;
    QVariant m_request;
    int m_count = 0;
};
