#include "page_rights.h"

#include "core/session.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

#include <QVariant>
#include <QWidget>

namespace {
// The pages in use, the innermost last (the windows are shown modally); the
// windows' own thread's, where their commands run.
QStringList& pages_in_use()
{
    thread_local QStringList pages;
    return pages;
}

bool flag(const QVariant& value)
{
    // bit columns read back as bool, integer or text depending on the backend
    const QString text = value.toString().trimmed().toLower();
    return text == QLatin1String("1") || text == QLatin1String("true") || text == QLatin1String("t");
}
} // namespace

std::optional<PageRights> page_rights(const QString& page_name)
{
    const QVariantMap row = Sql::row(
        QStringLiteral("select darj, virayesh, hazf, namayesh from dastrasi where prs_id = ? and page_name = ? order by id"),
        {Session::user().prs_id.toLongLong(), page_name});
    if (row.isEmpty())
        return std::nullopt;
    PageRights rights;
    rights.darj = flag(row.value(QStringLiteral("darj")));
    rights.virayesh = flag(row.value(QStringLiteral("virayesh")));
    rights.hazf = flag(row.value(QStringLiteral("hazf")));
    rights.namayesh = flag(row.value(QStringLiteral("namayesh")));
    return rights;
}

PageInUse::PageInUse(const QString& page) { pages_in_use().append(page); }
PageInUse::~PageInUse() { pages_in_use().removeLast(); }

QString page_in_use() { return pages_in_use().isEmpty() ? QString() : pages_in_use().last(); }

bool may_write_now(PageWrite write)
{
    const QString page = page_in_use();
    if (page.isEmpty())
        return true;
    const std::optional<PageRights> rights = page_rights(page);
    if (!rights)
        return false;
    return allows(*rights, write);
}

bool allows(const PageRights& rights, PageWrite write)
{
    switch (write) {
    case PageWrite::Add: return rights.darj;
    case PageWrite::Edit: return rights.virayesh;
    case PageWrite::Delete: return rights.hazf;
    case PageWrite::Open: return rights.namayesh;
    }
    return false;
}

void enable_commands(const QObject* window, PageCommands commands, const PageRights& rights)
{
    for (const PageCommand& command : commands) {
        QObject* item = window->findChild<QObject*>(QLatin1String(command.item));
        Q_ASSERT_X(item, "enable_commands", command.item);
        if (item)
            item->setProperty("enabled", allows(rights, command.right));
    }
}

bool check_page_rights(const PageOpener& opener)
{
    PageRights rights;
    rights.darj = rights.virayesh = rights.hazf = rights.namayesh = true;
    if (!opener.page.isEmpty()) {
        std::optional<PageRights> row;
        if (!Db::guard([&] { row = page_rights(opener.page); }))
            return false;
        if (!row) {
            Msg::info(CoreText::NoPageAccess);
            return false;
        }
        rights = *row;
        if (opener.window)
            enable_commands(opener.window, opener.commands, rights);
        if (opener.enable && !Db::guard([&] { opener.enable(rights); }))
            return false;
    }
    if (!rights.namayesh) {
        if (opener.refuse)
            opener.refuse();
        Msg::info(CoreText::NoPageAccess);
        return false;
    }
    // A database error in the presets or the search shows its message and the window is not shown.
    if (opener.prepare && !Db::guard(opener.prepare))
        return false;
    if (opener.show) {
        std::optional<PageInUse> inUse;
        if (!opener.page.isEmpty())
            inUse.emplace(opener.page);
        opener.show();
    }
    return true;
}
