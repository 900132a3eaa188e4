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

    // Shown again after the password change: the user name typed before
    // stays, whatever name the file remembers.
    void showKeepingName();

    // Where the last user name is remembered: Tuvek.txt in the working folder,
    // or in the user's data folder when the working folder is not writable.
    static QString rememberedNamePath();

signals:
    // The window closed and the program ends.
    void ended();

public slots:
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void Label3Click();
    void Label9Click();

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void endProgram();
    // The login proper once connected; true when the main window is shown.
    bool logIn(const QString& us, const QString& ps);
    void refuseOldVersion(const QString& us, const QString& newest);
    static void rememberName(const QString& us);
    void closeEvent(QCloseEvent* event) override;
};
