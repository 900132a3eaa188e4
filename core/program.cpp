#include "program.h"

#include "barcode/ui/barcode_windows.h"
#include "core/core_pages.h"
#include "core/core_windows.h"
#include "core/failure.h"
#include "core/main_window.h"
#include "core/pages_admin.h"
#include "core/pages_office.h"
#include "core/texts.h"
#include "core/window_order.h"
#include "personnel/personnel_windows.h"
#include "platform/db/sql.h"
#include "platform/ui/app_setup.h"
#include "platform/ui/command.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"
#include "services/guesthouse_pages.h"
#include "services/services_windows.h"

#include <QApplication>
#include <QThread>
#include <QtDebug>

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
        {
            // The command waits: nothing of another command runs meanwhile.
            Command::Beneath beneath;
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        Command::stopIfFailed();
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

void commandFailed(const std::exception_ptr& error)
{
    // Nothing of the command is kept.
    Database& db = Database::current();
    while (db.inTransaction())
        db.rollbackTransaction();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    // Told once: an error that follows from a failure beneath the command
    // (a doomed transaction, the stop at a step) was that failure.
    const QString own = Failure::told(error);
    const QString beneath = Command::takeOutcome().value_or(QString());
    const QString message = own.isEmpty() ? beneath : own;
    if (!message.isEmpty())
        Msg::error(message);
}

void failedBeneath(const std::exception_ptr& error, int opened)
{
    Database& db = Database::current();
    const QString message = Failure::told(error);
    while (db.transactionDepth() > opened)
        db.rollbackTransaction();
    // Said once the command has ended, never while it holds its keys.
    db.doom(true);
    Command::failBeneath(message);
}

void commandEnded()
{
    // A command that left its transaction open has not ended.
    if (Database::current().inTransaction())
        return;
    const std::optional<QString> told = Command::takeOutcome();
    if (told && !told->isEmpty())
        Msg::error(*told);
}

} // namespace Program

bool Application::notify(QObject* receiver, QEvent* event)
{
    // Only the window thread runs commands; another thread's events are its own.
    if (QThread::currentThread() != thread()) {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            qWarning().noquote() << "error in an event of another thread:" << Failure::told(std::current_exception());
            return false;
        }
    }
    const int opened = Database::current().transactionDepth();
    const bool beneath = Command::beneath() || opened > 0;
    const Command::Delivery delivery(beneath, event);
    try {
        const bool done = QApplication::notify(receiver, event);
        if (delivery.tells())
            Program::commandEnded();
        return done;
    } catch (...) {
        if (beneath)
            Program::failedBeneath(std::current_exception(), opened);
        else
            Program::commandFailed(std::current_exception());
    }
    return false;
}
