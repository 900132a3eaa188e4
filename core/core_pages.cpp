#include "core_pages.h"

#include "core/main_window.h"
#include "core/users.h"
#include "platform/ui/window_set.h"

#include <QWidget>

void connectCorePages(Tmain& main)
{
    // N6: user accounts, page "karbaran".
    main.addPage(QStringLiteral("N6"), {
        QStringLiteral("karbaran"),
        [](const PageRights& r) { win<Tusers>(QStringLiteral("users"))->prepareForOpening(r.darj, r.virayesh, r.hazf); },
        [&main] { main.sizePage(win<Tusers>(QStringLiteral("users")), 60); },
        [] { win<Tusers>(QStringLiteral("users"))->showModal(); },
        {},
    });
}
