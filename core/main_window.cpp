#include "main_window.h"
#include "ui_main.h"

#include "core/log_row.h"
#include "core/login.h"
#include "core/texts.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

// The stretched background picture: a calm sky-to-paper wash with a few
// faint rings, drawn once at a size the label stretches, when the window
// first shows (not at start-up, which shows the login window first).
QPixmap backgroundPicture()
{
    const QSize size(1200, 800);
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wash(0, 0, size.width(), size.height());
    wash.setColorAt(0, QColor(0xDC, 0xE9, 0xF5));
    wash.setColorAt(0.55, QColor(0xF4, 0xF7, 0xFA));
    wash.setColorAt(1, QColor(0xE6, 0xEF, 0xE4));
    p.fillRect(picture.rect(), wash);
    p.setBrush(Qt::NoBrush);
    const QPointF centre(size.width() * 0.3, size.height() * 0.62);
    for (int ring = 1; ring <= 7; ++ring) {
        p.setPen(QPen(QColor(0x5B, 0x84, 0xA8, 70 - ring * 8), 6));
        p.drawEllipse(centre, ring * 70.0, ring * 70.0);
    }
    return picture;
}

} // namespace

Tmain::Tmain(QWidget* parent) : QMainWindow(parent), ui(new Ui::Tmain)
{
    ui->setupUi(this);
    ui->Image1->lower();
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
    m_pages.insert(item, opener);
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

void Tmain::setServerDate(const QString& date)
{
    ui->tarikh->setText(date);
    placeLabels();
}

void Tmain::setWorkstation(const QString& address)
{
    ui->localip2->setText(address);
    // The host name once the reverse look-up answers; until then, and for an
    // address that has no name, the address itself.
    ui->IPAddrToName2->setText(address);
    placeLabels();
    whenHostNameKnown(address, this, [this, address](const QString& name) {
        ui->IPAddrToName2->setText(name.isEmpty() ? address : name);
        placeLabels();
    });
}

void Tmain::placeLabels()
{
    // Each label as wide as its text, its right edge 50 pixels from the
    // window's right edge, wherever that edge goes.
    for (QLabel* label : {ui->localip2, ui->IPAddrToName2, ui->tarikh}) {
        label->resize(label->sizeHint().width(), label->height());
        label->move(width() - 50 - label->width(), label->y());
    }
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
    if (ui->Image1->pixmap().isNull())
        ui->Image1->setPixmap(backgroundPicture());
    QMainWindow::showEvent(event);
    placeLabels();
}

void Tmain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ui->Image1->resize(width() - 25, height() - 80);
    // The window opens maximised after it is first shown: the labels follow
    // its right edge.
    placeLabels();
}
