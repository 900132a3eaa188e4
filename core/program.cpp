#include "program.h"

#include "barcode/ui/barcode_windows.h"
#include "core/core_pages.h"
#include "core/core_windows.h"
#include "core/main_window.h"
#include "core/pages_admin.h"
#include "core/pages_office.h"
#include "core/texts.h"
#include "core/window_order.h"
#include "personnel/personnel_windows.h"
#include "platform/db/sql.h"
#include "platform/ui/app_setup.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"
#include "services/guesthouse_pages.h"
#include "services/services_windows.h"

#include <QApplication>
#include <QtDebug>
#include <stdexcept>

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

void commandFailed(const std::exception& error)
{
    // Nothing of the command is kept.
    Database& db = Database::current();
    while (db.inTransaction())
        db.rollbackTransaction();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (const auto* failed = dynamic_cast<const DbError*>(&error)) {
        qWarning().noquote() << "database error:" << failed->driverText << "in" << failed->sql;
        if (!failed->reported)
            Msg::error(Db::errorMessage(*failed));
        return;
    }
    qWarning().noquote() << "command failed:" << error.what();
    Msg::error(CoreText::CommandFailed);
}

} // namespace Program

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Program::commandFailed(error);
    } catch (...) {
        Program::commandFailed(std::runtime_error("an error of no known kind"));
    }
    return false;
}
