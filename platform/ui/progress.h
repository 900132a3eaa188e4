#pragma once
// Long work done on the window's own thread without freezing it: a box with a
// bar and a cancel button, shown only when the work lasts more than a moment.
// The work calls step() as it goes; each call lets the windows repaint and
// the button be pressed, and nothing else: the timers of other windows wait
// until the work is done. Every message or question of the program (Msg)
// first puts the boxes of work under way out of sight, so that nothing the
// user must read shows under a progress box; work that goes on after it
// shows its box again at its next step.
//
//     Progress progress(CoreText::BackupRunning);
//     for (...) { if (!progress.step(done, total)) break; ... }

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;

class Progress {
public:
    // label: what is being done; cancellable: whether the cancel button shows.
    explicit Progress(const QString& label, bool cancellable = true);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // How far the work is (total 0: not known, the bar runs to and fro);
    // false once the user asked to stop, or an error was caught beneath the
    // command meanwhile (platform/ui/command.h): the work stops as for a
    // cancel, and the command's next message is the failure instead. Work
    // without a cancel is stopped there instead (Command::Failed is thrown).
    bool step(qint64 done, qint64 total);
    bool cancelled() const;

    // Hides the box of every work under way (Msg calls it before each box).
    static void stepAside();

private:
    std::unique_ptr<QProgressDialog> m_box;
    QElapsedTimer m_started;
    bool m_cancellable;
};
