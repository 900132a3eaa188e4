#include "personnel_windows.h"

#include "core/main_window.h"
#include "personnel/abadiha.h"
#include "personnel/abadiha_ins.h"
#include "personnel/kargozini_ins.h"
#include "personnel/kargozini_slips.h"
#include "personnel/kargozini_src.h"
#include "personnel/marateb_k.h"
#include "personnel/personel_ins.h"
#include "personnel/khanevade.h"
#include "personnel/mostanadat.h"
#include "personnel/personel_pic.h"
#include "personnel/personel_src.h"
#include "personnel/takafol.h"
#include "personnel/texts.h"
#include "platform/report/report_sheet.h"
#include "platform/ui/window_set.h"
#include "services/request/request_list.h"

namespace {
Tmarateb_k* marateb_k() { return win<Tmarateb_k>(QStringLiteral("marateb_k")); }
Tpersonel_src* personel_src() { return win<Tpersonel_src>(QStringLiteral("personel_src")); }
Tabadiha* abadiha() { return win<Tabadiha>(QStringLiteral("abadiha")); }
Tmostanadat* mostanadat() { return win<Tmostanadat>(QStringLiteral("mostanadat")); }
Tkargozini_src* kargozini_src() { return win<Tkargozini_src>(QStringLiteral("kargozini_src")); }
} // namespace

void definePersonnelWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define(QStringLiteral("marateb_k"), [] { return new Tmarateb_k; });
    set.define(QStringLiteral("personel_src"), [] { return new Tpersonel_src; });
    set.define(QStringLiteral("personel_ins"), [] { return new Tpersonel_ins; });
    set.define(QStringLiteral("abadiha"), [] { return new Tabadiha; });
    set.define(QStringLiteral("abadiha_ins"), [] { return new Tabadiha_ins; });
    set.define(QStringLiteral("takafol"), [] { return new Ttakafol; });
    set.define(QStringLiteral("personel_pic"), [] { return new Tpersonel_pic; });
    set.define(QStringLiteral("khanevade"), [] { return new Tkhanevade; });
    set.define(QStringLiteral("mostanadat"), [] { return new Tmostanadat; });
    set.define(QStringLiteral("kargozini_src"), [] { return new Tkargozini_src; });
    set.define(QStringLiteral("kargozini_ins"), [] { return new Tkargozini_ins; });
    set.define(QStringLiteral("kargozini_morakhasi_rozane_frm"), [] { return new Tkargozini_morakhasi_rozane_frm; });
    set.define(QStringLiteral("kargozini_mamoriat_saati_frm"), [] { return new Tkargozini_mamoriat_saati_frm; });
    set.define(QStringLiteral("kargozini_morakhasi_saati_frm"), [] { return new Tkargozini_morakhasi_saati_frm; });
    // The insurance request letter and the card-charge list.
    for (const char* sheet : {"takafol_print", "pec_rep"})
        set.define(QLatin1String(sheet), [sheet] { return new ReportSheet(QLatin1String(sheet)); });
}

void connectPersonnelPages(Tmain& main)
{
    // N23: leave and missions, page "kargozini".
    PageOpener leave = kargozini_src()->requests()->opener();
    leave.prepare = [&main, search = leave.prepare] {
        Tkargozini_src* page = kargozini_src();
        page->resize(main.width() - 17, main.height() - 60);
        search();
    };
    main.addPage(QStringLiteral("N23"), leave);

    // N22: the approval hierarchy of leave and missions, and N24: that of the
    // staff services (the hospitality list's scope and its manager approval);
    // one window, page "marateb", on the item's table.
    const QList<std::tuple<const char*, const char*, QString>> hierarchies = {
        {"N22", "marateb_k", PersonnelText::LeaveHierarchyCaption},
        {"N24", "marateb_v", PersonnelText::ServicesHierarchyCaption},
    };
    for (const auto& [item, table, caption] : hierarchies)
        main.addPage(QLatin1String(item), {
            .page = QStringLiteral("marateb"),
            .prepare = [&main, table = QLatin1String(table), caption = caption] {
                Tmarateb_k* page = marateb_k();
                page->setTable(table, caption);
                page->resize(page->width(), main.height() - 50);
                page->prepareForOpening();
            },
            .show = [] { marateb_k()->showModal(); },
            .window = marateb_k(),
            .commands = Tmarateb_k::Commands,
        });
    // N1: the personnel list, page "personel".
    main.addPage(QStringLiteral("N1"), {
        .page = QStringLiteral("personel"),
        .prepare = [&main] {
            Tpersonel_src* page = personel_src();
            page->resize(main.width() - 17, main.height() - 60);
            page->prepareForOpening();
            page->src_btnClick();
        },
        .show = [] { personel_src()->showModal(); },
        .window = personel_src(),
        .commands = Tpersonel_src::Commands,
    });
    // N21: the gazetteer, page "abadiha".
    main.addPage(QStringLiteral("N21"), {
        .page = QStringLiteral("abadiha"),
        .prepare = [&main] {
            Tabadiha* page = abadiha();
            page->prepareForOpening();
            page->BitBtn1Click();
            page->resize(page->width(), main.height() - 50);
        },
        .show = [] { abadiha()->showModal(); },
        .window = abadiha(),
        .commands = Tabadiha::Commands,
    });
    // N19: the office's documents and blank forms, page "mostanadat".
    main.addPage(QStringLiteral("N19"), {
        .page = QStringLiteral("mostanadat"),
        .prepare = [&main] {
            Tmostanadat* page = mostanadat();
            page->prepareForOpening();
            page->resize(page->width(), main.height() - 50);
        },
        .show = [] { mostanadat()->showModal(); },
        .window = mostanadat(),
        .commands = Tmostanadat::Commands,
    });
}
