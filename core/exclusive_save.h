#pragma once
// A save whose write depends on what it read (a duplicate check before an
// insert, a replace, a code carried from one table to others), as every
// workstation runs it: the check and the write in one transaction holding the
// locks of keys (Sql::exclusive, taken in the order given: a command that
// takes several keys takes them in the order the others do, "personel" before
// "users" before "marateb_k"), inside Db::guard. When the database itself
// refuses the write because the value is already on file (a unique index),
// the user is told the command's own duplicate message, not the general one.

#include <QString>
#include <QStringList>
#include <functional>

// False after a message (the database's, or duplicate): then nothing of body is kept.
bool exclusive_save(const QStringList& keys, const QString& duplicateMessage, const std::function<void()>& body);
