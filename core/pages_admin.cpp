#include "pages_admin.h"

#include "core/backup.h"
#include "core/log_viewer.h"
#include "core/main_window.h"
#include "core/session.h"
#include "core/setting.h"
#include "core/setting_ost.h"
#include "platform/ui/window_set.h"

namespace {
Tsetting* setting() { return win<Tsetting>(QStringLiteral("setting")); }
Tsetting_ost* setting_ost() { return win<Tsetting_ost>(QStringLiteral("setting_ost")); }
Tlog* log_viewer() { return win<Tlog>(QStringLiteral("log")); }
} // namespace

void connectAdminPages(Tmain& main)
{
    // N26: general settings, page "setting".
    main.addPage(QStringLiteral("N26"), {
        .page = QStringLiteral("setting"),
        .prepare = [] { setting()->prepareForOpening(); },
        .show = [] { setting()->showModal(); },
        .window = setting(),
        .commands = Tsetting::Commands,
    });
    // N27: provincial settings, page "setting_ost".
    main.addPage(QStringLiteral("N27"), {
        .page = QStringLiteral("setting_ost"),
        .prepare = [] { setting_ost()->prepareForOpening(); },
        .show = [] { setting_ost()->showModal(); },
        .window = setting_ost(),
        .commands = Tsetting_ost::Commands,
    });
    // N7: the log viewer, page "log"; only the view right counts.
    main.addPage(QStringLiteral("N7"), {
        QStringLiteral("log"),
        {},
        [&main] {
            Tlog* page = log_viewer();
            page->prepareForOpening();
            page->resize(page->width(), main.height() - 80);
        },
        [] { log_viewer()->showModal(); },
        {},
    });
    // N8: the backup, for administrators only; nothing happens for anyone else.
    main.addCommand(QStringLiteral("N8"), [] {
        if (Session::user().isAdmin())
            win<Tbackup>(QStringLiteral("backup"))->showModal();
    });
}
