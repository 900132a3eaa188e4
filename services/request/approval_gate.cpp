#include "approval_gate.h"

#include "core/session.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "services/request/texts.h"

bool approval_gate(bool allowed, const QString& refusal)
{
    if (allowed)
        return true;
    Msg::info(refusal);
    return Session::user().isAdmin();
}

bool approver_gate(const QString& hierarchyTable, const QString& requesterNation)
{
    return approver_gate(QStringList{hierarchyTable}, requesterNation);
}

bool approver_gate(const QStringList& hierarchyTables, const QString& requesterNation)
{
    bool approver = false;
    if (!Db::guard([&] {
            for (const QString& table : hierarchyTables)
                approver = approver ||
                    Sql::exists(QStringLiteral("select master from %1 where master=? and slave=?").arg(table),
                                {Session::user().karbar, requesterNation});
        }))
        return false;
    return approval_gate(approver, RequestText::NotManager);
}

ScopeClause hierarchy_scope(const QString& hierarchyTable, const QString& own, const QVariantList& ownValues)
{
    const CurrentUser& user = Session::user();
    if (user.isAdmin())
        return {};
    return {QStringLiteral(" and (%1 or personel.nation in (select slave from %2 where master=?))").arg(own, hierarchyTable),
            ownValues + QVariantList{user.karbar}};
}
