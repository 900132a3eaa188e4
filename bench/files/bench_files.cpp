// Prints what storing a file in the database and reading it back costs: the
// time, the longest the window goes without painting (the largest gap between
// the ticks of a 10 ms timer of the window's thread) and the peak memory,
// for a file of the given size in MB (default 45), first in one statement
// (the whole file bound at once and read whole) and then a piece at a time
// as the stored-file helper does. The database comes from the environment
// (bench/support/bench_db.h); its tables are made when missing.
//
//     bench_files [MB] [whole|pieces]    (both when the mode is left out)

#include "bench/support/bench_db.h"
#include "bench/support/measure.h"
#include "core/schema.h"
#include "core/stored_file.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// The longest the event loop went without a turn while work ran, in ms.
template <typename Work> double longestFreeze(Work&& work)
{
    QElapsedTimer since;
    since.start();
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, since.restart());
    });
    tick.start(10);
    work();
    longest = std::max(longest, since.elapsed());
    return double(longest);
}

void report(const char* what, double ms, double freeze)
{
    std::printf("  %-28s %8.0f ms, window without paint at most %6.0f ms, peak %7.1f MiB\n", what, ms, freeze,
                Measure::peakMiB());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    BenchDb::Answers answers;
    Msg::setHandler(&answers);
    const qint64 mb = argc > 1 ? QByteArray(argv[1]).toLongLong() : 45;
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    QTemporaryDir dir;
    const char* backend = BenchDb::open(dir.filePath(QStringLiteral("bench.sqlite")));
    if (!backend)
        return 1;
    if (!Sql::tableExists(QStringLiteral("mostanadat")))
        Schema::install(QStringLiteral("bench"));
    Sql::exec(QStringLiteral("delete from mostanadat"));

    // The file, written a piece at a time so that making it costs no memory.
    const QString path = dir.filePath(QStringLiteral("scan.pdf"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        QByteArray piece(1024 * 1024, Qt::Uninitialized);
        for (qint64 m = 0; m < mb; ++m) {
            for (int i = 0; i < piece.size(); ++i)
                piece[i] = char((m * 131 + i * 7919) >> 5);
            f.write(piece);
        }
    }
    const StoredFile::Chosen chosen{path, QStringLiteral(".pdf"), mb * 1024 * 1024};
    const QString back = dir.filePath(QStringLiteral("back.pdf"));
    std::printf("%s, a file of %lld MB\n", backend, mb);

    if (mode.isEmpty() || mode == "whole") {
        Measure::resetPeak();
        double ms = 0;
        const double freeze = longestFreeze([&] {
            ms = Measure::msOf([&] {
                QFile f(path);
                f.open(QIODevice::ReadOnly);
                Sql::insert(QStringLiteral("mostanadat"), {{QStringLiteral("cmt"), QStringLiteral("whole")},
                                                           {QStringLiteral("pictype"), chosen.extension},
                                                           {QStringLiteral("pic"), f.readAll()}});
            });
        });
        report("stored in one statement", ms, freeze);
        Measure::resetPeak();
        const double readFreeze = longestFreeze([&] {
            ms = Measure::msOf([&] {
                const QByteArray bytes =
                    Sql::scalar(QStringLiteral("select pic from mostanadat where cmt=?"), {QStringLiteral("whole")})
                        .toByteArray();
                QFile f(back);
                f.open(QIODevice::WriteOnly);
                f.write(bytes);
            });
        });
        report("read whole", ms, readFreeze);
    }
    if (mode.isEmpty() || mode == "pieces") {
        Measure::resetPeak();
        double ms = 0;
        const double freeze = longestFreeze([&] {
            ms = Measure::msOf([&] {
                StoredFile::store(QStringLiteral("mostanadat"),
                                  {{QStringLiteral("cmt"), QStringLiteral("pieces")},
                                   {QStringLiteral("pictype"), chosen.extension}},
                                  chosen);
            });
        });
        report("stored a piece at a time", ms, freeze);
        const QVariant id = Sql::scalar(QStringLiteral("select id from mostanadat where cmt=?"), {QStringLiteral("pieces")});
        Measure::resetPeak();
        const double readFreeze = longestFreeze([&] {
            ms = Measure::msOf([&] { StoredFile::saveTo({QStringLiteral("mostanadat"), QStringLiteral("pictype")}, id, back); });
        });
        report("read a piece at a time", ms, readFreeze);
    }
    Sql::exec(QStringLiteral("delete from mostanadat"));
    return 0;
}
