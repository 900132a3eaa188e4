#include "server.h"
#include "ui_server.h"

#include "core/login.h"
#include "core/schema.h"
#include "core/texts.h"
#include "platform/config/connection_settings.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"

#include <QHideEvent>
#include <QMouseEvent>

namespace {

// The defaults the labels put into the boxes. No password ships with the program.
const QString kDefaultServer = QStringLiteral("localhost");
const QString kDefaultDataBase = QStringLiteral("Tuvek");
const QString kDefaultUserName = QStringLiteral("sa");

} // namespace

Tserver::Tserver(QWidget* parent) : Form(parent), ui(new Ui::Tserver)
{
    ui->setupUi(this);
    connect(ui->Button1, &QPushButton::clicked, this, &Tserver::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &Tserver::Button2Click);
    for (QLabel* label : {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5})
        label->installEventFilter(this);
}

Tserver::~Tserver() { delete ui; }

bool Tserver::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ui->Label1)
            Label1Click();
        else if (watched == ui->Label2)
            Label2Click();
        else if (watched == ui->Label3)
            Label3Click();
        else if (watched == ui->Label4)
            Label4Click();
        else if (watched == ui->Label5)
            Label5Click();
    }
    return Form::eventFilter(watched, event);
}

void Tserver::Button1Click()
{
    const std::pair<QLineEdit*, QString> required[] = {
        {ui->SqlServerName, CoreText::EnterServerName},
        {ui->DataBase, CoreText::EnterDataBase},
        {ui->UserName, CoreText::EnterUserName},
        {ui->Password, CoreText::EnterPassword},
    };
    for (const auto& [box, message] : required) {
        if (box->text().isEmpty()) {
            Msg::questionYes(message);
            box->setFocus();
            return;
        }
    }
    ConnectionSettings s;
    s.sqlServerName = ui->SqlServerName->text();
    s.dataBase = ui->DataBase->text();
    s.authentication = ui->rbWindows->isChecked() ? QStringLiteral("Windows") : QStringLiteral("SQL Server");
    s.userName = ui->UserName->text();
    s.password = ui->Password->text();
    s.serverType = ui->ServerType->currentText();
    if (!Settings::write(Settings::userFile(), s)) {
        Msg::warnYes(CoreText::SaveFailed);
    } else if (auto* login = WindowSet::instance().find<Tlogin>(QStringLiteral("login"))) {
        // The next login goes to the database just set, not the embedded one.
        login->setConnectionChoice(1);
    }
    close();
}

void Tserver::Button2Click()
{
    close();
    ui->Button2->setText(QStringLiteral("end"));
}

void Tserver::Label1Click() { Schema::run(); }

void Tserver::Label2Click() { ui->SqlServerName->setText(kDefaultServer); }

void Tserver::Label3Click() { ui->DataBase->setText(kDefaultDataBase); }

void Tserver::Label4Click() { ui->UserName->setText(kDefaultUserName); }

// No default password: the label leads to the box instead.
void Tserver::Label5Click() { ui->Password->setFocus(); }

void Tserver::fillFromSettings()
{
    const std::optional<ConnectionSettings> s = Settings::read(Settings::userFile());
    if (!s)
        return;
    ui->SqlServerName->setText(s->sqlServerName);
    ui->DataBase->setText(s->dataBase);
    ui->UserName->setText(s->userName);
    if (s->authentication == QLatin1String("SQL Server")) {
        ui->rbSQL->setChecked(true);
        ui->Password->setText(s->password);
    } else {
        ui->rbWindows->setChecked(true);
    }
    const int type = ui->ServerType->findText(s->serverType);
    ui->ServerType->setCurrentIndex(type >= 0 ? type : 0);
}

void Tserver::openFromLogin()
{
    Msg::info(CoreText::ChangeDatabase);
    Tserver* server = win<Tserver>(QStringLiteral("server"));
    server->fillFromSettings();
    server->showModal();
}

void Tserver::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    if (event->spontaneous())
        return;
    // However the window closes, the login window refreshes itself (its user
    // name comes back from the file of the last user).
    if (auto* login = WindowSet::instance().find<Tlogin>(QStringLiteral("login")))
        login->FormShow();
}
