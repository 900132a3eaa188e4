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
    // Every page item starts disabled; each subsystem enables the items whose
    // pages it brings when it registers its windows.
    for (QAction* action : findChildren<QAction*>()) {
        if (action->menu() || action == ui->N3)
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

void Tmain::N3Click() { close(); }

void Tmain::closeEvent(QCloseEvent* event)
{
    // Only Yes ends the program; No and Cancel leave everything as it was.
    if (!Msg::confirm(CoreText::ExitQuestion)) {
        event->ignore();
        return;
    }
    event->accept();
    if (auto* login = win<Tlogin>(QStringLiteral("login")))
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
