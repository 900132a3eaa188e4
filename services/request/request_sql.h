#pragma once
// What the request pattern writes, once for every feature. The functions of
// RequestSql run their statements in one transaction and throw DbError; the
// commands below them show the messages (after the commit) and answer whether
// anything was written.

#include "core/lock_keys.h"
#include "platform/db/sql.h"
#include "services/request/request.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace RequestSql {

enum class Outcome {
    Done,
    Duplicate, // the owner already has such a request (pending, where the feature says so)
    NoOwner,   // no owner was chosen: no request is written
    OwnerGone, // the owner was deleted (by another workstation): no request is written
    Gone,      // the request is no longer in the table
    Approved,  // the request is approved: a delete of pending requests only left it
    Changed,   // another workstation changed the request after the window opened it
    NotApprover, // the current user no longer approves the request's owner
};

// The key under which the writes of one request are serialised.
LockKey requestKey(const RequestDesc& desc, qint64 id);

// "(column is null or column='')": the request is pending on that stamp.
QString pending(const QString& column);

// The owner's other request that the new one would repeat.
bool hasDuplicate(const RequestDesc& desc, const QVariant& owner, const Row& fields);

// Duplicate check and insert, with the send date (and the further stamps given,
// an approve-now) set to the server's day in the same statement. The new row's
// id goes to id. The owner must be a person of personel, there when the
// request is written (checked under the keys of the person's delete).
Outcome insert(const RequestDesc& desc, const QVariant& owner, const Row& fields, qint64* id = nullptr,
               const QStringList& moreStamps = {});

// Saves the fields of one request and stamps it, by its id. With expected
// (the request as the approving window read it), nothing is written when the
// request is stored otherwise now: Changed. A manager's approval (approverIn)
// of a request whose owner he no longer approves writes nothing: NotApprover.
// An entry window approves through its Entry's saveEdit, which checks the
// record and keeps the row as the approval left it.
Outcome approve(const RequestDesc& desc, qint64 id, const Row& fields, const Stamping& stamp,
                const QVariantMap& expected = {});

// Whether the request is approved, as the database has it now; nothing when it is gone.
std::optional<bool> isApproved(const RequestDesc& desc, qint64 id);

// Deletes one request (only while it is pending, with onlyPending). Its detail
// rows stay where they are.
Outcome remove(const RequestDesc& desc, qint64 id, bool onlyPending);

// The surname of the current user's person row; without one, the account's name.
QString approverSurname();

} // namespace RequestSql

// ---- the commands, with their messages -----------------------------------

// The insert of a new request: the duplicate message, the owner refusal
// (noOwnerMessage when none was chosen, the person's own when deleted
// meanwhile) or "ثبت شد" after the commit. True when written.
bool insert_request(const RequestDesc& desc, const QVariant& owner, const Row& fields,
                    const QString& noOwnerMessage, qint64* id = nullptr, const QStringList& moreStamps = {});

// The delete rules, decided on the request as the database has it now:
// approved: only an administrator who gives the delete password; pending: a
// user deletes at once, an administrator is asked first. A user's delete only
// takes a request that is still pending when it runs. "حذف شد" only when a
// row went. True when deleted. id 0 (no current request): nothing happens.
bool delete_request_rules(const RequestDesc& desc, qint64 id);
