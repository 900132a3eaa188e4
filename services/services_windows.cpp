#include "services_windows.h"

#include "core/main_window.h"
#include "platform/report/report_sheet.h"
#include "platform/ui/window_set.h"
#include "services/request/request_entry.h"
#include "services/request/request_list.h"
#include "services/hazine_ins.h"
#include "services/hazine_src.h"
#include "services/paziraei_ins.h"
#include "services/paziraei_nafarat.h"
#include "services/paziraei_src.h"
#include "services/taeidat_ins.h"
#include "services/taeidat_src.h"
#include "services/ticket_ins.h"
#include "services/ticket_nafarat.h"
#include "services/ticket_src.h"
#include "services/vam_ins.h"
#include "services/vam_ins_modir.h"
#include "services/vam_src.h"
#include "services/zemanat_ins.h"
#include "services/zemanat_src.h"

void defineServicesWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define(QStringLiteral("vam_src"), [] { return new Tvam_src; });
    set.define(QStringLiteral("vam_ins"), [] { return new Tvam_ins; });
    set.define(QStringLiteral("vam_ins_modir"), [] { return new Tvam_ins_modir; });
    for (const char* letter : {"vam_chap", "vam_chap2", "vam_chap_kargoshaei"})
        set.define(QLatin1String(letter), [letter] { return new ReportSheet(QLatin1String(letter)); });
    set.define(QStringLiteral("zemanat_src"), [] { return new Tzemanat_src; });
    set.define(QStringLiteral("zemanat_ins"), [] { return new Tzemanat_ins; });
    set.define(QStringLiteral("taeidat_src"), [] { return new Ttaeidat_src; });
    set.define(QStringLiteral("taeidat_ins"), [] { return new Ttaeidat_ins; });
    set.define(QStringLiteral("hazine_src"), [] { return new Thazine_src; });
    set.define(QStringLiteral("hazine_ins"), [] { return new Thazine_ins; });
    set.define(QStringLiteral("ticket_src"), [] { return new Tticket_src; });
    set.define(QStringLiteral("ticket_ins"), [] { return new Tticket_ins; });
    set.define(QStringLiteral("paziraei_src"), [] { return new Tpaziraei_src; });
    set.define(QStringLiteral("paziraei_ins"), [] { return new Tpaziraei_ins; });
    set.define(QStringLiteral("paziraei_nafarat"), [] { return new Tpaziraei_nafarat; });
    set.define(QStringLiteral("ticket_nafarat"), [] { return new Tticket_nafarat; });
    for (const char* letter : {"zemanat_chap", "zemanat_chap2", "hazine_chap", "ticket_chap", "paziraei_chap"})
        set.define(QLatin1String(letter), [letter] { return new ReportSheet(QLatin1String(letter)); });
}

namespace {

// A request list's page opens it 60 pixels shorter than the main window, as
// wide as it was.
void addRequestPage(Tmain& main, const char* item, QWidget* window, RequestList* requests)
{
    PageOpener opener = requests->opener();
    opener.prepare = [&main, window, search = opener.prepare] {
        main.sizePage(window, 60);
        search();
    };
    main.addPage(QLatin1String(item), opener);
}

// A request feature's page: its list shows its rows again after every request
// its entry window writes.
template <class List, class Entry>
void connectRequestPage(Tmain& main, const char* item, const char* list, const char* entry)
{
    auto* window = win<List>(QLatin1String(list));
    RequestList* requests = &window->requests();
    QObject::connect(&win<Entry>(QLatin1String(entry))->request(), &RequestEntry::changed, requests,
                     &RequestList::reload);
    addRequestPage(main, item, window, requests);
}

} // namespace

void connectServicesPages(Tmain& main)
{
    // N14: loans, page "vam". The list shows its rows again after every
    // request written, and when the manager's window closes.
    auto* vam = win<Tvam_src>(QStringLiteral("vam_src"));
    RequestList* requests = &vam->requests();
    QObject::connect(&win<Tvam_ins>(QStringLiteral("vam_ins"))->request(), &RequestEntry::changed, requests,
                     &RequestList::reload);
    QObject::connect(win<Tvam_ins_modir>(QStringLiteral("vam_ins_modir")), &Form::closed, requests,
                     &RequestList::reload);
    addRequestPage(main, "N14", vam, requests);

    connectRequestPage<Tpaziraei_src, Tpaziraei_ins>(main, "N15", "paziraei_src", "paziraei_ins");
    connectRequestPage<Tticket_src, Tticket_ins>(main, "N16", "ticket_src", "ticket_ins");
    connectRequestPage<Thazine_src, Thazine_ins>(main, "N17", "hazine_src", "hazine_ins");
    connectRequestPage<Tzemanat_src, Tzemanat_ins>(main, "N18", "zemanat_src", "zemanat_ins");
    connectRequestPage<Ttaeidat_src, Ttaeidat_ins>(main, "N20", "taeidat_src", "taeidat_ins");
}
