#pragma once
// The login window: the application's main window and the only one shown at
// start. Closing it ends the program.

#include "platform/ui/form.h"

namespace Ui { class Tlogin; }

class Tlogin : public Form {
    Q_OBJECT
public:
    explicit Tlogin(QWidget* parent = nullptr);
    ~Tlogin() override;

    Ui::Tlogin* ui;

    // The connection choice of RadioGroup1: 0 "Internet", 1 "Local", -1 none.
    int connectionChoice() const;
    void setConnectionChoice(int index);

signals:
    // Pressed "ورود"; the login procedure is connected by the core.
    void loginRequested();
    // The window closed and the program ends.
    void ended();

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

    void reject() override;

protected:
    void endProgram();
    void closeEvent(QCloseEvent* event) override;
};
