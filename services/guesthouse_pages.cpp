#include "guesthouse_pages.h"

#include "core/list_window.h"
#include "core/main_window.h"
#include "platform/ui/window_set.h"
#include "services/khabgahha_ins.h"
#include "services/khabgahha_pic.h"
#include "services/khabgahha_src.h"
#include "services/khabgahha_status.h"
#include "services/khabghah_hamrahan.h"

void defineGuesthouseWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define("khabgahha_src", [] { return new Tkhabgahha_src; });
    set.define("khabgahha_ins", [] { return new Tkhabgahha_ins; });
    set.define("khabgahha_status", [] { return new Tkhabgahha_status; });
    set.define("khabgahha_pic", [] { return new Tkhabgahha_pic; });
    set.define("khabghah_hamrahan", [] { return new Tkhabghah_hamrahan; });
}

void connectGuesthousePages(Tmain& main)
{
    auto* registry = win<Tkhabgahha_src>(QStringLiteral("khabgahha_src"));
    // A suite added or changed shows in the list at once.
    QObject::connect(win<Tkhabgahha_ins>(QStringLiteral("khabgahha_ins")), &Tkhabgahha_ins::saved,
                     registry->list(), &ListWindow::reload);

    // N25: the registry, page "khabghahha"; the list shows the rows of the
    // last search, none before the first.
    main.addPage(QStringLiteral("N25"), {
        QStringLiteral("khabghahha"),
        [registry](const PageRights& r) { registry->enableCommands(r.darj, r.virayesh, r.hazf); },
        [registry, &main] {
            main.sizePage(registry, 60, 17);
            registry->prepareForOpening();
        },
        [registry] { registry->showModal(); },
        {},
    });
}
