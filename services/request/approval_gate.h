#pragma once
// Confirmations that not every user may give, and the list scope of a
// manager: the approval hierarchies are pairs of national codes, an approver
// (master, which is also his user name) and a requester (slave).

#include "core/rights.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

// A gate in front of a confirmation: a user who may not give it is told so
// and stops, except an administrator, who goes on after the message.
bool approval_gate(bool allowed, const QString& refusal);

// The manager's gate: the current user approves the requester (by national
// code) in the hierarchy table ("marateb_k", ...).
bool approver_gate(const QString& hierarchyTable, const QString& requesterNation);
// The same where a pair in any of the tables lets the user approve.
bool approver_gate(const QStringList& hierarchyTables, const QString& requesterNation);

// The row scope of a list that managers see: none for an administrator;
// otherwise the rows that pass own (a condition over the joined person row,
// with ownValues) or whose requester the current user approves in the table.
// The filters narrow both alike.
ScopeClause hierarchy_scope(const QString& hierarchyTable, const QString& own, const QVariantList& ownValues);
