#include "login.h"
#include "ui_login.h"

#include "core/connect_database.h"
#include "core/list_behaviours.h"
#include "core/server.h"

#include <QApplication>
#include <QCloseEvent>

Tlogin::Tlogin(QWidget* parent) : Form(parent), ui(new Ui::Tlogin)
{
    ui->setupUi(this);
    limit_to_column(ui->us, QStringLiteral("users"), QStringLiteral("us"));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tlogin::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &Tlogin::BitBtn2Click);
    connect(ui->Label3, &QLabel::linkActivated, this, &Tlogin::Label3Click);
    connect(ui->Label9, &QLabel::linkActivated, this, &Tlogin::Label9Click);
    // Enter in the user name goes to the password; Enter in the password logs in.
    connect(ui->us, &QLineEdit::returnPressed, ui->ps, qOverload<>(&QWidget::setFocus));
    connect(ui->ps, &QLineEdit::returnPressed, this, &Tlogin::BitBtn1Click);
    // "Change database": the connection settings window, filled from this user's settings.
    connect(ui->Label4, &QLabel::linkActivated, this, [] { Tserver::openFromLogin(); });
    // Without settings of this user, the built-in connection is preselected.
    setConnectionChoice(default_connection_choice());
}

Tlogin::~Tlogin() { delete ui; }

int Tlogin::connectionChoice() const
{
    if (ui->RadioGroup1_Internet->isChecked())
        return 0;
    if (ui->RadioGroup1_Local->isChecked())
        return 1;
    return -1;
}

void Tlogin::setConnectionChoice(int index)
{
    if (index == 0)
        ui->RadioGroup1_Internet->setChecked(true);
    else if (index == 1)
        ui->RadioGroup1_Local->setChecked(true);
}

void Tlogin::BitBtn2Click() { close(); }

void Tlogin::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormShow();
}

void Tlogin::closeEvent(QCloseEvent* event)
{
    // The login window is the application's main window: closing it, hidden or
    // not, ends the program.
    // A visible window is closed through reject(), which ends the program.
    const bool wasVisible = isVisible();
    Form::closeEvent(event);
    if (event->isAccepted() && !wasVisible)
        endProgram();
}

void Tlogin::reject()
{
    // The close box comes here (through the close event): the program ends.
    Form::reject();
    endProgram();
}

void Tlogin::endProgram()
{
    emit ended();
    QCoreApplication::quit();
}
