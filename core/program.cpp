#include "program.h"

#include "barcode/ui/barcode_windows.h"
#include "core/core_pages.h"
#include "core/core_windows.h"
#include "core/main_window.h"
#include "core/pages_office.h"
#include "core/pages_admin.h"
#include "core/window_order.h"
#include "personnel/personnel_windows.h"
#include "platform/db/database.h"
#include "platform/ui/app_setup.h"
#include "platform/ui/window_set.h"
#include "services/guesthouse_pages.h"
#include "services/services_windows.h"

#include <QApplication>

namespace Program {

void defineWindows()
{
    WindowSet& set = WindowSet::instance();
    set.setOrder(windowCreationOrder());
    defineCoreWindows();
    definePersonnelWindows();
    registerBarcodeElements();
    defineBarcodeWindows();
    defineGuesthouseWindows();
    defineServicesWindows();
}

void start(QApplication& app)
{
    AppSetup::apply(app);
    // A command that waits for what another workstation holds shows it: the
    // wait cursor until the wait ends. The window is not repainted meanwhile,
    // but the cursor is shown at once.
    Database::current().setWaitNotice([](bool waiting) {
        if (!waiting) {
            QApplication::restoreOverrideCursor();
            return;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    // The login window is the main window: the program ends when it closes,
    // not when the last visible window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    defineWindows();
    WindowSet::instance().createAll();
    Tmain& main = *win<Tmain>(QStringLiteral("main"));
    connectOfficePages(main);
    connectAdminPages(main);
    connectCorePages(main);
    connectPersonnelPages(main);
    connectBarcodePages(main);
    connectGuesthousePages(main);
    connectServicesPages(main);
}

} // namespace Program
