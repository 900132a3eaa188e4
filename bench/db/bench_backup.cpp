// Prints how long a backup of an embedded database of about 90 MB takes when
// nothing else writes, and while another connection adds a phone-book row
// every 150 ms (a second workstation). The backup checks its copy before it
// keeps it (pragma integrity_check); that check alone, and the quicker
// quick_check (which does not compare indexes with their tables), are timed on
// the finished file, so that the backup's time without its check is the
// difference. The better of three runs each; the other connection's rows are counted.

#include "bench/support/measure.h"
#include "core/schema.h"
#include "platform/db/backup.h"
#include "platform/db/sql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <thread>

namespace {

// Backs up, the best of three; the copy's integrity check of the last.
double backupMs(const QString& path, QString* integrity)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QFile::remove(path);
        QElapsedTimer t;
        t.start();
        // Told how far it is: the copy goes in steps, as the window makes it.
        const DbBackup::Outcome outcome = DbBackup::write(Database::current(), path, [](qint64, qint64) { return true; });
        const double ms = Measure::lapMs(t);
        if (outcome.kind != DbBackup::Outcome::Written) {
            std::printf("backup failed: %s\n", qPrintable(outcome.error));
            return -1;
        }
        best = qMin(best, ms);
        std::printf("  run %d: %.0f ms\n", run + 1, ms);
    }
    Database copy(QStringLiteral("copy"));
    ConnectionOptions o;
    o.database = path;
    copy.open(o);
    QSqlQuery q = Sql::exec(copy, QStringLiteral("pragma integrity_check"));
    *integrity = q.next() ? q.value(0).toString() : QStringLiteral("no answer");
    return best;
}

// The better of three runs of a check of the finished file, in ms.
double checkMs(const QString& path, const QString& pragma)
{
    Database copy(QStringLiteral("check"));
    ConnectionOptions o;
    o.database = path;
    copy.open(o);
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        QSqlQuery q = Sql::exec(copy, pragma);
        q.next();
        best = qMin(best, Measure::lapMs(t));
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ConnectionOptions options;
    options.database = dir.filePath(QStringLiteral("bench.sqlite"));
    if (!Database::current().open(options))
        return 1;
    Schema::install(QStringLiteral("bench"));
    // About 90 MB: messages with attachments-sized texts that do not compress.
    Sql::transaction([] {
        for (int i = 0; i < 90; ++i) {
            QByteArray bytes(1 << 20, Qt::Uninitialized);
            for (char& c : bytes)
                c = char('a' + QRandomGenerator::global()->bounded(26));
            Sql::insert(QStringLiteral("payamha"), {{"mozo", QStringLiteral("bench %1").arg(i)}, {"cmt", QString::fromLatin1(bytes)}});
        }
    });
    const double megabytes = QFileInfo(options.database).size() / 1048576.0;
    const QString path = dir.filePath(QStringLiteral("backup.sqlite"));

    QString integrity;
    const double quiet = backupMs(path, &integrity);
    std::printf("backup of %.0f MB, nothing else writing: %.0f ms, integrity %s\n", megabytes, quiet, qPrintable(integrity));
    const double full = checkMs(path, QStringLiteral("pragma integrity_check(1)"));
    const double quick = checkMs(path, QStringLiteral("pragma quick_check(1)"));
    std::printf("  of which the copy's integrity_check: %.0f ms (without it: %.0f ms); quick_check would take %.0f ms\n",
                full, quiet - full, quick);

    std::atomic<bool> stop = false;
    std::atomic<int> rows = 0;
    std::thread writer([&] {
        Database other(QStringLiteral("writer"));
        other.open(options);
        Database::setCurrentForThisThread(&other);
        while (!stop) {
            try {
                Sql::insert(QStringLiteral("phone"), {{"name", QStringLiteral("ورودي %1").arg(rows.load())}});
                ++rows;
            } catch (const DbError& e) {
                std::printf("the writer was refused: %s\n", qPrintable(e.driverText));
            }
            QThread::msleep(150);
        }
        Database::setCurrentForThisThread(nullptr);
    });
    QThread::msleep(500);
    const int before = rows;
    const double busy = backupMs(path, &integrity);
    const int during = rows - before;
    stop = true;
    writer.join();
    std::printf("backup of %.0f MB, a row written every 150 ms: %.0f ms, integrity %s (%d rows written meanwhile)\n",
                megabytes, busy, qPrintable(integrity), during);
    Database::current().close();
    return 0;
}
