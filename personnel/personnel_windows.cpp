#include "personnel_windows.h"

#include "core/main_window.h"
#include "personnel/marateb_k.h"
#include "platform/ui/window_set.h"

namespace {
Tmarateb_k* marateb_k() { return win<Tmarateb_k>(QStringLiteral("marateb_k")); }
} // namespace

void definePersonnelWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define(QStringLiteral("marateb_k"), [] { return new Tmarateb_k; });
}

void connectPersonnelPages(Tmain& main)
{
    // N22: the approval hierarchy of leave and missions, page "marateb".
    main.addPage(QStringLiteral("N22"), {
        QStringLiteral("marateb"),
        [](const PageRights& r) { marateb_k()->enableCommands(r.darj); },
        [&main] {
            Tmarateb_k* page = marateb_k();
            page->resize(page->width(), main.height() - 50);
            page->prepareForOpening();
        },
        [] { marateb_k()->showModal(); },
        {},
    });
}
