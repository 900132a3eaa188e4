#include "guesthouse_pages.h"

#include "core/list_window.h"
#include "core/main_window.h"
#include "platform/ui/window_set.h"
#include "services/khabgahha_ins.h"
#include "services/khabgahha_pic.h"
#include "services/khabgahha_src.h"
#include "services/khabgahha_status.h"
#include "services/khabghah_hamrahan.h"
#include "services/khabghah_ins.h"
#include "services/khabghah_ins_modir.h"
#include "services/khabghah_letters.h"
#include "services/khabghah_src.h"
#include "platform/report/report_sheet.h"
#include "services/request/request_entry.h"
#include "services/request/request_list.h"
#include "ui_khabgahha_src.h"
#include "ui_khabghah_src.h"

void defineGuesthouseWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define("khabgahha_src", [] { return new Tkhabgahha_src; });
    set.define("khabgahha_ins", [] { return new Tkhabgahha_ins; });
    set.define("khabgahha_status", [] { return new Tkhabgahha_status; });
    set.define("khabgahha_pic", [] { return new Tkhabgahha_pic; });
    set.define("khabghah_hamrahan", [] { return new Tkhabghah_hamrahan; });
    set.define("khabghah_src", [] { return new Tkhabghah_src; });
    set.define("khabghah_ins", [] { return new Tkhabghah_ins; });
    set.define("khabghah_ins_modir", [] { return new Tkhabghah_ins_modir; });
    for (const char* sheet : {"khabghah_markazi", "khabghah_amirkola", "khabghah_ramsar", "khabghah_other",
                              "khabghah_mashad", "khabghah_taeid"})
        set.define(QLatin1String(sheet), [sheet] { return new ReportSheet(QLatin1String(sheet)); });
}

void connectGuesthousePages(Tmain& main)
{
    auto* registry = win<Tkhabgahha_src>(QStringLiteral("khabgahha_src"));
    // A suite added or changed shows in the list at once.
    QObject::connect(win<Tkhabgahha_ins>(QStringLiteral("khabgahha_ins")), &Tkhabgahha_ins::saved,
                     registry->list(), &ListWindow::reload);

    // N13: guesthouse stays, page "khabghah"; the list as wide as the main
    // window; without the view right its companions, print and export are off.
    auto* stays = win<Tkhabghah_src>(QStringLiteral("khabghah_src"));
    RequestList* requests = stays->requests();
    QObject::connect(win<Tkhabghah_ins>(QStringLiteral("khabghah_ins"))->request(), &RequestEntry::changed, requests,
                     &RequestList::reload);
    PageOpener opener = requests->opener();
    opener.prepare = [stays, requests, &main] {
        main.sizePage(stays, 60, 17);
        requests->prepareForOpening();
    };
    opener.refuse = [stays] {
        for (QAction* item : {stays->ui->N10, stays->ui->N4->menuAction(), stays->ui->N13})
            item->setEnabled(false);
    };
    opener.enable = [stays](const PageRights&) {
        for (QAction* item : {stays->ui->N10, stays->ui->N4->menuAction(), stays->ui->N13})
            item->setEnabled(true);
    };
    main.addPage(QStringLiteral("N13"), opener);

    // N25: the registry, page "khabghahha"; the list shows the rows of the
    // last search, none before the first.
    main.addPage(QStringLiteral("N25"), {
        .page = QStringLiteral("khabghahha"),
        .enable = [registry](const PageRights& r) { registry->ui->N3->setEnabled(r.hazf); },
        .prepare = [registry, &main] {
            main.sizePage(registry, 60, 17);
            registry->prepareForOpening();
        },
        .show = [registry] { registry->showModal(); },
        .window = registry,
        .commands = Tkhabgahha_src::Commands,
    });
}
