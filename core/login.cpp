#include "login.h"
#include "ui_login.h"

#include "core/connect_database.h"
#include "core/server.h"

#include <QApplication>
#include <QCloseEvent>

Tlogin::Tlogin(QWidget* parent) : Form(parent), ui(new Ui::Tlogin)
{
    ui->setupUi(this);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tlogin::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &Tlogin::BitBtn2Click);
    connect(ui->Label4, &QLabel::linkActivated, this, [] { Tserver::openFromLogin(); });
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

void Tlogin::BitBtn1Click() { emit loginRequested(); }

void Tlogin::BitBtn2Click() { close(); }

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
    // Escape closes the login window like its close box.
    Form::reject();
    endProgram();
}

void Tlogin::endProgram()
{
    emit ended();
    QCoreApplication::quit();
}
