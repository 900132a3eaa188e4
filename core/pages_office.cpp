#include "pages_office.h"

#include "core/main_window.h"
#include "core/payam.h"
#include "core/phone.h"
#include "core/zamaem.h"
#include "platform/ui/window_set.h"

void connectOfficePages(Tmain& main)
{
    // N9: messages, without a rights check. Closing the window sets the
    // menu's unread mark again.
    auto* payam = win<Tpayam>(QStringLiteral("payam"));
    QObject::connect(payam, &Tpayam::unreadChanged, &main, &Tmain::setMessagesWaiting);
    main.addCommand(QStringLiteral("N9"), [payam] {
        if (payam->prepareForOpening())
            payam->showModal();
    });

    // N11: phone book, page "phone".
    auto* phone = win<Tphone>(QStringLiteral("phone"));
    main.addPage(QStringLiteral("N11"), {
        .page = QStringLiteral("phone"),
        .prepare = [phone] { phone->prepareForOpening(); },
        .show = [phone] { phone->showModal(); },
        .window = phone,
        .commands = Tphone::Commands,
    });

    // N12: attachments, page "zamaem".
    auto* zamaem = win<Tzamaem>(QStringLiteral("zamaem"));
    main.addPage(QStringLiteral("N12"), {
        .page = QStringLiteral("zamaem"),
        .prepare = [zamaem] { zamaem->prepareForOpening(); },
        .show = [zamaem] { zamaem->showModal(); },
        .window = zamaem,
        .commands = Tzamaem::Commands,
    });
}
