#pragma once
// Page rights (table dastrasi: four yes/no rights per user and page) and row
// scopes (table dastrasi2 with the user's level: which people and requests a
// user's lists show).

#include "core/lock_keys.h"
#include "core/page_rights.h"
#include "core/session.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

// A page of the rights editor: its dastrasi.page_name and the name prefix of its
// four check boxes (prefix + "_ins", "_edit", "_del", "_show").
struct RightsPage {
    const char* page_name;
    const char* prefix;
};

// The 22 pages, in the order in which the rights are saved; "karbaran" (the
// users window) is the last.
extern const RightsPage rights_pages[22];

using RightsSet = QHash<QString, PageRights>; // page_name -> rights

// The default rights a template gives for a level and a user group; an empty
// set when the pair has no template.
RightsSet rights_template(const QString& level, const QString& group);

// One user's rights rows; with several rows for one page the last one read counts.
RightsSet load_rights(qint64 userId);
// Rewrites the user's rights on every page in one transaction: old rows are
// deleted and one row per page inserted. With keepKarbaran the row of page
// "karbaran" is left as it is (the administrator's right on the users window).
// A page missing from rights gets no right at all. Throws DbError.
void save_rights(qint64 userId, const RightsSet& rights, bool keepKarbaran);

// One user's scope list (counties, or companies for level "multi").
QStringList load_scope(qint64 userId);
// Replaces the user's scope list in one transaction, under scope_keys.
// Throws DbError.
void save_scope(qint64 userId, const QStringList& entries);
// The keys of one user's scope list.
QList<LockKey> scope_keys(qint64 userId);

// A condition appended to a list's WHERE clause with its bound values, in order.
struct ScopeClause {
    QString sql; // empty, or " and ..." with "?" placeholders
    QVariantList values;
};

// Which form of the column names the clause uses: a list joined with personel
// names them "personel.nation"; the person list, which selects from personel
// alone, names them plainly.
enum class ScopeColumns { Qualified, Unqualified };

// The row scope of a list of people or requests for a user: none for "admin",
// the own person for "single" (national code equal to the user name), and the
// counties of the user's scope list for every other level.
ScopeClause scope_by_level(const CurrentUser& user, ScopeColumns columns = ScopeColumns::Qualified);
// The same for the current user.
ScopeClause scope_by_level(ScopeColumns columns = ScopeColumns::Qualified);

// The row scope of the insurance lists (they select from personel alone): the
// own person for "single", the companies of the scope list for "multi", and
// none for every other level.
ScopeClause insurance_scope_by_level(const CurrentUser& user);
ScopeClause insurance_scope_by_level();
