#include "core_pages.h"

#include "core/main_window.h"
#include "core/users.h"
#include "platform/ui/window_set.h"

#include <QWidget>

namespace {

// The view presets size a page relative to the main window's current size.
void sizeFromMain(QWidget* page, const Tmain& main, int heightLess, int widthLess = -1)
{
    const int width = widthLess < 0 ? page->width() : main.width() - widthLess;
    page->resize(width, main.height() - heightLess);
}

} // namespace

void connectCorePages(Tmain& main)
{
    // N6: user accounts, page "karbaran".
    main.addPage(QStringLiteral("N6"), {
        QStringLiteral("karbaran"),
        [](const PageRights& r) { win<Tusers>(QStringLiteral("users"))->prepareForOpening(r.darj, r.virayesh, r.hazf); },
        [&main] { sizeFromMain(win<Tusers>(QStringLiteral("users")), main, 60); },
        [] { win<Tusers>(QStringLiteral("users"))->showModal(); },
        {},
    });
}
