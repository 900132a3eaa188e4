#pragma once
// The password change, reached from the login window once the user name and
// the old password are right.

#include "platform/ui/form.h"

namespace Ui { class Tchange_pass; }

class Tchange_pass : public Form {
    Q_OBJECT
public:
    explicit Tchange_pass(QWidget* parent = nullptr);
    ~Tchange_pass() override;

    Ui::Tchange_pass* ui;

    // The account whose password changes, and the old password found right
    // at login (checked again against what is stored when the change is saved;
    // forgotten when the window closes).
    void setAccount(qint64 userId, const QString& oldPassword);

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    void backToLogin();
    qint64 m_userId = 0;
    QString m_old;
};
