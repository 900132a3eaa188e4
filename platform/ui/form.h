#pragma once
// Base of every window of the window set: a dialog that can be shown modally
// or modelessly and that only hides when it is closed. It closes by its
// buttons and its title bar's close box, never by Escape.

#include <QDialog>

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    // Shows the window modally and returns when it is closed.
    int showModal();

    void done(int result) override;

signals:
    void shown();
    // The window was closed, whichever way.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
