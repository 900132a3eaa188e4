#include "services_windows.h"

#include "core/main_window.h"
#include "platform/report/report_sheet.h"
#include "platform/ui/window_set.h"
#include "services/request/request_entry.h"
#include "services/request/request_list.h"
#include "services/vam_ins.h"
#include "services/vam_ins_modir.h"
#include "services/vam_src.h"

void defineServicesWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define(QStringLiteral("vam_src"), [] { return new Tvam_src; });
    set.define(QStringLiteral("vam_ins"), [] { return new Tvam_ins; });
    set.define(QStringLiteral("vam_ins_modir"), [] { return new Tvam_ins_modir; });
    for (const char* letter : {"vam_chap", "vam_chap2", "vam_chap_kargoshaei"})
        set.define(QLatin1String(letter), [letter] { return new ReportSheet(QLatin1String(letter)); });
}

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
    main.addPage(QStringLiteral("N14"), requests->opener());
}
