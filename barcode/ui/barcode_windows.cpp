#include "barcode_windows.h"

#include "barcode/ui/card_sheets.h"
#include "barcode/ui/cart_sodor.h"
#include "core/main_window.h"
#include "core/session.h"
#include "platform/ui/window_set.h"

void defineBarcodeWindows()
{
    WindowSet& set = WindowSet::instance();
    set.define(QStringLiteral("cart_sodor"), [] { return new Tcart_sodor; });
    set.define(QStringLiteral("cart_print"), [] { return new Tcart_print; });
    set.define(QStringLiteral("barcodeTypes"), [] { return new TbarcodeTypes; });
    set.define(QStringLiteral("barcodeTypes2"), [] { return new TbarcodeTypes2; });
}

void connectBarcodePages(Tmain& main)
{
    // N10: occasion cards, for the level admin only; no page right is read.
    main.addCommand(QStringLiteral("N10"), [] {
        if (!Session::user().isAdmin())
            return;
        auto* cards = win<Tcart_sodor>(QStringLiteral("cart_sodor"));
        cards->prepareForOpening();
        cards->showModal();
    });
}
