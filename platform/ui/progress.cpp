#include "progress.h"

#include "platform/ui/command.h"
#include "platform/ui/texts.h"

#include <QApplication>
#include <QList>
#include <QProgressDialog>
#include <limits>

namespace {
// Work shorter than this shows no box.
constexpr int ShownAfterMs = 700;
// The bar's steps: a large count in thousandths, so that it fits an int.
constexpr int Steps = 1000;

// The work under way, the latest last.
QList<Progress*>& underWay()
{
    static QList<Progress*> all;
    return all;
}
} // namespace

Progress::Progress(const QString& label, bool cancellable)
    : m_box(std::make_unique<QProgressDialog>(label, cancellable ? UiText::Cancel : QString(), 0, Steps,
                                              QApplication::activeWindow())),
      m_cancellable(cancellable)
{
    // No other window takes input meanwhile: the work may hold a transaction open.
    m_box->setWindowModality(Qt::ApplicationModal);
    m_box->setWindowTitle(QApplication::applicationDisplayName());
    // The box shows at a step, never by a timer of its own: a message shown
    // after the work's last step is never covered by it.
    m_box->setMinimumDuration(std::numeric_limits<int>::max());
    m_box->setAutoReset(false);
    m_box->setAutoClose(false);
    m_box->setMinimumWidth(360);
    if (!cancellable)
        m_box->setCancelButton(nullptr);
    m_box->setValue(0);
    m_started.start();
    underWay().append(this);
}

Progress::~Progress()
{
    underWay().removeOne(this);
    m_box->close();
}

bool Progress::step(qint64 done, qint64 total)
{
    if (total <= 0) {
        m_box->setMaximum(0); // to and fro
        m_box->setValue(0);
    } else {
        m_box->setMaximum(Steps);
        m_box->setValue(int(std::min<qint64>(Steps - 1, done * Steps / total)));
    }
    if (!m_box->isVisible() && !m_box->wasCanceled() && m_started.elapsed() >= ShownAfterMs)
        m_box->show();
    {
        // What is delivered now runs beneath the work's command, which may
        // hold a transaction and keys: the windows are painted and the box's
        // Cancel button is pressed (the box is modal: no other window takes
        // input), while the timers of other windows wait until the work is done.
        // A box not yet shown still keeps the window painted; the input it
        // holds back is delivered once the command ended.
        Command::Beneath beneath(m_box.get());
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (m_box->isVisible())
            QApplication::processEvents();
    }
    // An error caught beneath the command stops its work as a cancel does,
    // along the work's own way back, which keeps nothing half-done. Work that
    // cannot be cancelled has no such way: it is stopped where it stands.
    if (!m_cancellable)
        Command::stopIfFailed();
    return !m_box->wasCanceled() && !Command::failed();
}

bool Progress::cancelled() const { return m_box->wasCanceled(); }

void Progress::stepAside()
{
    for (Progress* work : underWay())
        work->m_box->hide();
}
