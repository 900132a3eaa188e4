#include "command.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QTimerEvent>
#include <QWidget>
#include <QWindow>

namespace Command {

namespace {

struct State {
    int beneath = 0;         // Beneath scopes alive
    QList<QObject*> own;     // the objects whose timers run beneath (the progress boxes)
    bool failed = false;     // the running command failed beneath it
    std::optional<QString> told; // what the clerk is to be told once
    QList<QPair<QPointer<QObject>, int>> held; // timer events held, once each
    int depth = 0;           // deliveries under way
    QList<int> commands;     // the depths of those not beneath a command, innermost last
    int tellAt = 0;          // the depth whose end tells the outcome
};

State& state()
{
    static State s;
    return s;
}

// Whether a timer of this object belongs to what runs beneath: the box the
// work shows, its parts, its window; or a clock of Qt's animations, which
// only moves what is painted (the to-and-fro bar).
bool runsBeneath(QObject* object)
{
    if (object->inherits("QAnimationDriver") || object->inherits("QUnifiedTimer") ||
        object->inherits("QAnimationTimer"))
        return true;
    for (QObject* own : std::as_const(state().own)) {
        const auto* box = qobject_cast<QWidget*>(own);
        for (QObject* o = object; o; o = o->parent())
            if (o == own || (box && o == box->windowHandle()))
                return true;
    }
    return false;
}

// Holds the timer events of other commands while events run beneath.
class TimerHold : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Timer || runsBeneath(watched))
            return false;
        const int id = static_cast<QTimerEvent*>(event)->timerId();
        auto& held = state().held;
        const bool known = std::any_of(held.cbegin(), held.cend(),
                                       [&](const auto& h) { return h.first == watched && h.second == id; });
        if (!known)
            held.append({QPointer<QObject>(watched), id});
        return true;
    }
};

TimerHold* g_hold = nullptr;

} // namespace

Beneath::Beneath(QObject* own)
{
    State& s = state();
    s.own.append(own);
    if (s.beneath++ == 0 && QCoreApplication::instance()) {
        g_hold = new TimerHold;
        QCoreApplication::instance()->installEventFilter(g_hold);
    }
}

Beneath::~Beneath()
{
    State& s = state();
    s.own.removeLast();
    if (--s.beneath > 0)
        return;
    delete g_hold; // removes itself as a filter
    g_hold = nullptr;
    // Each held timer once more, when the work lets events in no longer.
    for (const auto& [object, id] : std::exchange(s.held, {}))
        if (object)
            QCoreApplication::postEvent(object, new QTimerEvent(id));
}

bool beneath() { return state().beneath > 0; }

Delivery::Delivery(bool beneath, const QEvent* event)
    : m_command(!beneath && event->type() != QEvent::Paint), m_depth(++state().depth)
{
    if (m_command)
        state().commands.append(m_depth);
}

Delivery::~Delivery()
{
    State& s = state();
    --s.depth;
    if (m_command)
        s.commands.removeLast();
}

bool Delivery::tells() const { return m_command && state().told && m_depth <= state().tellAt; }

namespace {
// The depth whose end tells: that of the command now delivered.
int thisCommand()
{
    const State& s = state();
    return s.commands.isEmpty() ? 0 : s.commands.last();
}
} // namespace

void failBeneath(const QString& message)
{
    State& s = state();
    if (!s.failed) {
        s.told = message;
        s.tellAt = thisCommand();
    }
    s.failed = true;
}

void tellAfter(const QString& message)
{
    State& s = state();
    if (!s.told) {
        s.told = message;
        s.tellAt = thisCommand();
    }
}

bool failed() { return state().failed; }

void stopIfFailed()
{
    if (state().failed)
        throw Failed{};
}

std::optional<QString> takeOutcome()
{
    State& s = state();
    s.failed = false;
    return std::exchange(s.told, std::nullopt);
}

} // namespace Command
