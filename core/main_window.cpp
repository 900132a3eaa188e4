#include "main_window.h"
#include "ui_main.h"

#include "core/login.h"
#include "core/texts.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"

#include <QAction>
#include <QCloseEvent>

Tmain::Tmain(QWidget* parent) : QMainWindow(parent), ui(new Ui::Tmain)
{
    ui->setupUi(this);
    connect(ui->N3, &QAction::triggered, this, &Tmain::N3Click);
    connect(ui->N5, &QAction::triggered, this, &Tmain::N5Click);
    // Every page item starts disabled; each subsystem enables the items whose
    // pages it brings when it registers its windows.
    for (QAction* action : findChildren<QAction*>()) {
        if (action->menu() || action == ui->N3 || action == ui->N5)
            continue;
        action->setEnabled(false);
    }
}

Tmain::~Tmain() { delete ui; }

void Tmain::setPageAvailable(const QString& item, bool available)
{
    if (auto* action = findChild<QAction*>(item))
        action->setEnabled(available);
}

void Tmain::addPage(const QString& item, PageOpener opener)
{
    addCommand(item, [opener = std::move(opener)] { check_page_rights(opener); });
}

void Tmain::addCommand(const QString& item, std::function<void()> handler)
{
    auto* action = findChild<QAction*>(item);
    if (!action)
        return;
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    action->setEnabled(true);
}

void Tmain::sizePage(QWidget* page, int heightLess, int widthLess) const
{
    const int w = widthLess < 0 ? page->width() : width() - widthLess;
    page->resize(w, height() - heightLess);
}

void Tmain::setMessagesWaiting(bool waiting)
{
    ui->N9->setText(waiting ? CoreText::MessagesWaiting : CoreText::MessagesItem);
}

void Tmain::setServerDate(const QString& date) { ui->tarikh->setText(date); }

void Tmain::setWorkstation(const QString& address, const QString& hostName)
{
    ui->localip2->setText(address);
    ui->IPAddrToName2->setText(hostName);
}

void Tmain::N3Click() { close(); }

void Tmain::N5Click() { Msg::info(CoreText::About); }

void Tmain::closeEvent(QCloseEvent* event)
{
    // Only Yes ends the program; No and Cancel leave everything as it was.
    if (!Msg::confirm(CoreText::ExitQuestion)) {
        event->ignore();
        return;
    }
    event->accept();
    if (auto* login = WindowSet::instance().find<Tlogin>(QStringLiteral("login")))
        login->close();
}

void Tmain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The three labels keep their right edge 50 pixels from the window's right edge.
    for (QWidget* label : {static_cast<QWidget*>(ui->localip2), static_cast<QWidget*>(ui->IPAddrToName2),
                           static_cast<QWidget*>(ui->tarikh)})
        label->move(width() - 50 - label->width(), label->y());
}

void Tmain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ui->Image1->resize(width() - 25, height() - 80);
}
