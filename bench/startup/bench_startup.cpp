// Time from process start until the login window is shown with the whole
// window set created. The benchmark starts itself again as a child process
// that builds the program's window set, shows the login window and reports
// when the window is exposed; the parent times each child from its fork.
//
//   bench_startup [runs]     (default 20; uses QT_QPA_PLATFORM as set, offscreen if unset)

#include "core/login.h"
#include "core/program.h"
#include "platform/ui/window_set.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int child(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Program::start(app);
    auto* login = win<Tlogin>("login");
    login->show();
    // Exposed means the window system has it on screen.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (login->windowHandle() && login->windowHandle()->isExposed()) {
            std::printf("shown %lld\n", static_cast<long long>(WindowSet::instance().created().size()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
    });
    poll.start(0);
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::string(argv[1]) == "--child")
        return child(argc, argv);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::vector<double> times;
    QString created;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child")});
        if (!process.waitForReadyRead(30000)) {
            std::fprintf(stderr, "child did not report\n");
            return 1;
        }
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        created = QString::fromLocal8Bit(process.readAll()).trimmed();
        process.waitForFinished(30000);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("startup to login window shown (%s windows created), %d runs: median %.1f ms, min %.1f ms, max %.1f ms\n",
                qPrintable(created.section(' ', 1)), runs, times[times.size() / 2], times.front(), times.back());
    return 0;
}
