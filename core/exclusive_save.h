#pragma once
// The one way a command saves what must hold against another workstation: a
// write that depends on what it read (a duplicate check before an insert, a
// replace, a code carried from one table to others, a record read and written
// back), or a write of many rows of a table. The check and the write run in
// one transaction holding the locks of keys (named in core/lock_keys.h; taken
// in their one order whatever the order given), inside Db::guard: a database
// refusal is shown as one Persian message and nothing of body is kept. When
// the database itself refuses the write because the value is already on file
// (a unique index), the user is told duplicateMessage, the command's own
// words, not the general one.
//
//     bool taken = false;
//     if (!exclusive_save({Keys::accounts()}, CoreText::UserNameDuplicate, [&] {
//             taken = user_name_taken(us);
//             if (!taken)
//                 Sql::insert("users", values);
//         }))
//         return;                       // the message was shown
//     Msg::info(taken ? CoreText::UserNameDuplicate : CoreText::UserSaved);
//
// Every one of them first checks, under the rights key shared, that the
// signed-in account is still there and active (and of the level a command
// reserved for one needs), as stored now (core/account_now.h): when it is
// not, the clerk is told why and nothing is written.
//
// A command that adds, edits or deletes on a page says which (PageWrite,
// core/page_rights.h): with the rights key shared among its keys, it first
// checks that the clerk still has that right on the page in use, as stored
// now; when the right is gone, the clerk is told so and nothing is written.
//
//     exclusive_save(Tphone::AddEntry.right, {Keys::table("phone")}, CoreText::PhoneDuplicate, [&] { ... });
//
// The right is the one declared with the command (PageCommand), which its
// opener enables it by.
//
// An edit of one record goes through Entry (core/entry.h), which adds the
// record's key and the check that the record is still as its window read it.

#include "core/lock_keys.h"
#include "core/page_rights.h"

#include <QList>
#include <QString>
#include <functional>

// False after a message (the database's, or duplicate): then nothing of body is kept.
// For a command that is no page's add, edit or delete (a message sent, read
// or deleted; the sign-in; an administrator's command ruled by the level).
bool exclusive_save(const QList<LockKey>& keys, const QString& duplicateMessage, const std::function<void()>& body);
// The same for a write of the page in use: false too, after the message,
// when the clerk no longer has the right write needs.
bool exclusive_save(PageWrite write, const QList<LockKey>& keys, const QString& duplicateMessage,
                    const std::function<void()>& body);
// The same without Db::guard and without a word, for a page's write whose
// caller ends the command itself (a stored file's pieces, a delete run inside
// another transaction): Sql::exclusive with the rights key shared while a
// page is in use, body run only while the clerk has the right. False when
// not (nothing run); throws DbError.
bool page_write(PageWrite write, const QList<LockKey>& keys, const std::function<void()>& body);
