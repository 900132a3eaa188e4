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
// (a database error by its kind; none when it was already shown; the
// failure caught beneath the command, when that is what stopped it).
void commandFailed(const std::exception_ptr& error);
// An error caught beneath a running command (platform/ui/command.h): what
// its handler opened (the transaction levels above opened) is undone, the
// command's own transaction is doomed, to be rolled back where it began,
// and the command stops at its next step or wait.
void failedBeneath(const std::exception_ptr& error, int opened);
// A command ended: what failed beneath it, or could not be shown while it
// ran, is told once.
void commandEnded();
}

// Every command starts from an event (a click, a key, a menu item, a window
// shown): an error that no code on its way up caught ends that command
// (Program::commandFailed), never the program. An event delivered beneath a
// running command (while its work lets events in, or while it holds a
// transaction) is no command of its own: its error fails the command beneath
// which it ran (Program::failedBeneath).
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
