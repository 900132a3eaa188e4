#include "core_pages.h"

#include "core/main_window.h"
#include "core/users.h"
#include "platform/ui/window_set.h"

#include <QWidget>

void connectCorePages(Tmain& main)
{
    // N6: user accounts, page "karbaran".
    auto* users = win<Tusers>(QStringLiteral("users"));
    main.addPage(QStringLiteral("N6"), {
        .page = QStringLiteral("karbaran"),
        .enable = [users](const PageRights& r) { users->prepareForOpening(r.darj, r.virayesh, r.hazf); },
        .prepare = [&main, users] { main.sizePage(users, 60); },
        .show = [users] { users->showModal(); },
        .window = users,
        .commands = Tusers::Commands,
    });
}
