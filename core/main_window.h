#pragma once
// The main window: the hub shown after login. Every menu item opens one page.

#include <QMainWindow>

namespace Ui { class Tmain; }

class Tmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmain(QWidget* parent = nullptr);
    ~Tmain() override;

    Ui::Tmain* ui;

    // Menu items whose pages are not part of the program yet stay visible and disabled.
    void setPageAvailable(const QString& item, bool available);

public slots:
    void N3Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
