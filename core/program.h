#pragma once
// The program block: what start-up does before the message loop runs, and the
// application object whose every event is a command that may fail alone.

#include <QApplication>
#include <exception>

namespace Program {
// Makes every window class of every subsystem known, in the creation order.
void defineWindows();
// Application settings, then the whole window set, created once in order.
void start(QApplication& app);
// What a command that failed with an error nothing caught leaves: the open
// transaction rolled back, the wait cursor gone, then one Persian message
// (a database error by its kind; none when it was already shown).
void commandFailed(const std::exception& error);
}

// Every command starts from an event (a click, a key, a menu item, a window
// shown): an error that no code on its way up caught ends that command
// (Program::commandFailed), never the program.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
