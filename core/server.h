#pragma once
// The connection settings window: the person's own connection (server,
// database, user, password, authentication, server type), saved in the
// per-user settings file. Its label ". . ." installs the schema.

#include "platform/ui/form.h"

namespace Ui { class Tserver; }

class Tserver : public Form {
    Q_OBJECT
public:
    explicit Tserver(QWidget* parent = nullptr);
    ~Tserver() override;

    Ui::Tserver* ui;

    // Fills the boxes from this user's settings; without settings they keep their texts.
    void fillFromSettings();
    // The login window's "change database" link: a word, the boxes filled, the window shown modally.
    static void openFromLogin();

public slots:
    void Button1Click();
    void Button2Click();
    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Label5Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};
