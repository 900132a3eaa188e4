#pragma once
// The command under way, seen from the events delivered beneath it. A command
// is what one event starts (a click, a key, a menu item); where its work lets
// events in (a progress step, a wait for another workstation), those events
// run beneath it. An error caught beneath a running command fails that
// command: its work stops at its next step (as for a cancel) or wait, it is
// undone where it began, and the clerk is told once: its next message is the
// failure instead, or, when it says nothing more, the failure once it ended.
// Meanwhile the handlers of other commands do not run: timers wait until the
// work lets no more events in.
//
//     {
//         Command::Beneath beneath(box);   // what is delivered now runs beneath the command
//         QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
//     }
//     Command::stopIfFailed();             // throws Command::Failed after a failure beneath

#include <QString>
#include <optional>

class QEvent;
class QObject;

namespace Command {

// Thrown where a command that failed beneath stops (a wait, a message of its
// own). Not a std::exception, so that no handler of the command's own takes
// it for a failure of its own: the program block catches it where the
// command began.
struct Failed {};

// While one lives, the events delivered run beneath the running command, and
// timer events of objects other than own's (the progress box) and Qt's
// animation clocks are held: each is delivered once after the outermost ends.
class Beneath {
public:
    explicit Beneath(QObject* own = nullptr);
    ~Beneath();
    Beneath(const Beneath&) = delete;
    Beneath& operator=(const Beneath&) = delete;
};
// Whether events are delivered beneath a running command now.
bool beneath();

// One event's delivery (the program's application object makes one for each):
// beneath: whether it runs beneath a running command. A failure beneath a
// command, or an error that could not be shown while one ran, is told when
// the delivery of that command ends (tells() says so), not when a paint ends,
// which is sent on the way of a command or of the windows' repaint.
class Delivery {
public:
    Delivery(bool beneath, const QEvent* event);
    ~Delivery();
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;
    // Whether the outcome of a command is to be told as this delivery ends.
    bool tells() const;

private:
    bool m_command; // a delivery that may be a command's own
    int m_depth;
};

// The running command failed beneath it (the first failure counts): it stops
// at its next step or wait; message: what the clerk is told once it has ended
// (empty: it was said already).
void failBeneath(const QString& message);
// An error the clerk is to be told once the command under way has ended (or
// the event being handled, when none is), that does not stop the command
// (a value a grid could not show). Kept only when nothing is to be told yet.
void tellAfter(const QString& message);
// Whether the running command failed beneath it.
bool failed();
// Throws Failed when the running command failed beneath it.
void stopIfFailed();
// The command ended: what it is to tell, once (the failure forgotten).
std::optional<QString> takeOutcome();

} // namespace Command
