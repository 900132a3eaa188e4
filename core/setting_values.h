#pragma once
// Reading the settings lists: a signatory's name or a stored password is the
// item of the first row of its list (table setting, or setting_ost for one
// province), and the prompt that stands in front of protected deletes and of
// the managers' windows.

#include <QString>

// The item of the first row of a list of setting; empty text when the list has
// no row. Database errors are thrown (DbError).
QString setting_value(const QString& listName);
// The same for a list of setting_ost of one province.
QString setting_ost_value(const QString& province, const QString& listName);

// Whether a list of setting holds a password (its items are never shown).
bool is_password_list(const QString& listName);

// Asks for the password stored in a list, masked, with the list name as the
// prompt; passed only when the answer matches the stored password exactly
// (case-sensitive; passwords are stored as salted hashes). A list without a stored password, a cancelled prompt and
// a database error (after its message) never pass. What a refusal means is
// the caller's.
bool ask_delete_password(const QString& listName);
