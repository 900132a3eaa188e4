#pragma once
// The request and approval pattern. Every service a member of staff asks of
// the office (a loan, a guarantee, a ticket, a guesthouse stay, a leave ...) is
// one table with one row per request, owned by a person (personel_id), sent on
// a day (ersal_dat) and approved on another (taeed_dat and the feature's further
// stamps; NULL or empty: pending). A feature describes its table once and uses
// the parts it needs, each on its own:
//
//   request_sql.h     duplicate check, insert with the send date, approval stamps
//                     of both kinds, delete rules re-checked in the database;
//                     every command in one transaction, its message after the commit
//   request_list.h    the list window: request table joined with its owners,
//                     scope, filters, count, export, commands enabled by the
//                     page's rights, and the main-menu opener
//   request_entry.h   the entry window in insert and approve mode (the approved
//                     request's id is captured when the window opens), and the
//                     manager gate in front of a manager's entry window
//   person_picker.h   the manager windows' person picker (namesakes told apart
//                     by their national codes)
//   request_letter.h  letters through the report engine, captions from the
//                     request, its owner's person row and the signatories
//
//     const RequestDesc VamDesc{
//         .table = "vam",
//         .duplicateKeys = {"typ"},
//         .duplicateMessage = ServiceText::VamDuplicate,
//         .list = {.grid = {{"fname", ...}, ...}, .exportTitles = {...}, .titleSort = true},
//     };
//
//     // list window
//     m_requests = new RequestList(VamDesc, ui->DBGrid1, ui->cnt, this);
//     m_requests->contains(ui->CheckBox4, ui->lname, "personel.lname");
//     m_requests->dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, "vam.taeed_dat");
//     m_requests->connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3,
//                                  .exportRows = ui->N6, .exit = ui->N5, .search = ui->src_btn},
//                                 [] { vam_ins->request().openNew(); },
//                                 [](qint64 id) { vam_ins->request().openApprove(id); });
//     main.addPage("N14", m_requests->opener());
//
//     // entry window: its boxes bound to the request's columns (core/entry.h)
//     auto* entry = new Entry("vam", this);
//     entry->bind({{ui->typ, "typ"}, {ui->mablagh, "mablagh"}, ...});
//     m_request = new RequestEntry(VamDesc, entry, this, ui->ins_btn, ui->edit_btn);
//     ins_btn:  m_request->insertForUser();
//     edit_btn: m_request->approve({.stamp = {.onlyWhenEmpty = true}, .closeWindow = true});   // loans
//               m_request->approve({.stamp = {}, .showEdited = true});                          // guarantees ...
//               m_request->approve({.stamp = {.column = "modir_dat", .nameColumn = "modir_name"},
//                                   .closeWindow = true});                                     // a manager's stamp
//     connect(m_request, &RequestEntry::changed, list, &RequestList::reload);
//
//     // a manager's window: the picker gives the owner, "approve" stamps with the send date
//     m_request->insert(m_picker->personId(), RequestText::PickPerson, approveNow ? QStringList{"taeed_dat"} : QStringList{});
//
//     // letters
//     print_letter("vam_chap", list->currentRow(), {Letter::fullName("fname"), Letter::person("ostan", "ostan"),
//                                                   Letter::signatory("raeis_edari", RequestText::SignatoryAdministration)});

#include "core/list_window.h"

#include <QString>
#include <QStringList>
#include <functional>

struct RequestDesc {
    QString table;
    // The rights page (dastrasi.page_name); the table's name when empty.
    QString page;
    // The duplicate check: another request of the same owner with the same
    // values in these columns ...
    QStringList duplicateKeys;
    // ... that is still pending (false: whether approved or not).
    bool duplicateOnlyPending = true;
    QString duplicateMessage;
    // The approval that decides "pending" for the duplicate check and the delete rules.
    QString approvalColumn = QStringLiteral("taeed_dat");
    // The send date, stamped with the server's day by the insert.
    QString sentColumn = QStringLiteral("ersal_dat");
    // The list: grid and export titles, title sort. Its from is the request
    // table joined with its owners' person rows, unless the feature gives its own.
    ListDescription list;

    // Rows that hang on a new request (a ticket's first traveller), written in
    // the insert's transaction, given the new request's id and its owner.
    std::function<void(qint64 id, qint64 owner)> insertDetails;

    QString pageName() const { return page.isEmpty() ? table : page; }
};

// One approval stamp: which date column the approval sets and how.
struct Stamping {
    // Empty: no date changes, only the fields are saved.
    QString column = QStringLiteral("taeed_dat");
    // true: the approval is withdrawn, the date set to NULL (a second office's
    // approval box saved unticked).
    bool clear = false;
    // true: the date is set only while it is empty; an approved request keeps
    // its date when approved again. false: every approval moves it to the day.
    bool onlyWhenEmpty = false;
    // false: the boxes are not saved, only the stamp (a guard's confirmation).
    bool saveFields = true;
    // The column that takes the approving user's surname, when the table keeps one.
    QString nameColumn;
    // A manager's approval: the hierarchy tables in one of which the current
    // user must approve the request's owner, checked when the approval is
    // written, against the pairs as they are then (an administrator needs none).
    QStringList approverIn;
};
