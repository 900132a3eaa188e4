// Prints what the list windows cost on a large table, on the embedded database
// and on PostgreSQL when TUVEK_TEST_PG names a server (as scripts/test.sh sets it):
//  - a phone-book-like list of 100,000 rows: the search until the count and the
//    first rows are shown, a sort by a clicked title until its first rows are
//    shown, and the export of all rows to a workbook: its time, and how much the
//    process's peak memory grew from before the search, next to the same for a
//    list of 10,000 rows (memory that does not grow with the rows);
//  - a log-like list of 1,024,000 rows ordered by the server time, newest first:
//    the search until the count and the first rows are shown, without and with
//    an index on the time, the next rows as the grid scrolls, and a sort by a
//    clicked title, without and with an index of the title's order.
// Run it with QT_QPA_PLATFORM=offscreen.

#include "bench/support/measure.h"
#include "core/list_window.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "tests/support/test_db.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <cstdio>

namespace {

// Rows by doubling: 1,000 bound inserts, then the table copied into itself.
void fill(const QString& table, const QString& columns, int doublings,
          const std::function<QVariantList(int)>& row)
{
    const QStringList names = columns.split(QLatin1Char(','));
    Sql::transaction([&] {
        for (int i = 0; i < 1000; ++i) {
            Row values;
            const QVariantList v = row(i);
            for (int c = 0; c < names.size(); ++c)
                values.append({names[c], v[c]});
            Sql::insert(table, values);
        }
        for (int d = 0; d < doublings; ++d)
            Sql::exec(QStringLiteral("insert into %1 (%2) select %2 from %1").arg(table, columns));
    });
}

// A search as a person sees it: the count and the first rows painted.
double search(ListWindow& list, QTableView& grid)
{
    return Measure::msOf([&] {
        list.search();
        grid.viewport()->repaint();
    });
}

// A click on a title until the first rows of the new order are painted.
double sortByTitle(ListWindow& list, QTableView& grid, const char* column)
{
    return Measure::msOf([&] {
        sort_grid_by_title(&grid, list.model()->columnOf(QLatin1String(column)));
        grid.viewport()->repaint();
    });
}

struct Export {
    double ms = 0;
    double grewMiB = 0; // peak memory over the memory before the search
    double fileMiB = 0;
    QString count;
};

// A search of the first `rows` phone rows and the export of all of them.
Export searchAndExport(const ListDescription& phone, int rows, QTableView& grid, QLabel& count, QWidget& window)
{
    ListDescription desc = phone;
    desc.values = {rows};
    QString exported;
    Desktop::setOpener([&](const QString& path) { exported = path; });
    Export e;
    Measure::resetPeak();
    const double before = Measure::residentMiB();
    {
        ListWindow list(desc, &grid, &count, &window);
        list.search();
        e.count = count.text();
        e.ms = Measure::msOf([&] { list.exportRows(); });
        e.grewMiB = Measure::peakMiB() - before;
        list.model()->clear();
    }
    e.fileMiB = double(QFileInfo(exported).size()) / 1048576.0;
    QFile::remove(exported);
    return e;
}

void measure(const char* backend)
{
    const Dialect& d = Database::current().dialect();
    const QString text = d.type(ColumnType::Text, 50);
    Sql::exec(QStringLiteral("create table bench_phone (%1, name %2, family %2, tel %2, cmt %2, ostan %2)")
                  .arg(d.identityKey(false), text));
    Sql::exec(QStringLiteral("create table bench_log (%1, karbar %2, ip %2, computer_name %2, saat %2, "
                             "tarikh %2, cmt %2, saat_sys %3)")
                  .arg(d.identityKey(false), text, d.type(ColumnType::DateTime)));

    QElapsedTimer t;
    t.start();
    // 1,000 x 2^7 = 128,000 rows; the list shows 100,000 of them.
    const QStringList names{"پرويز", "بهرام", "ژاله", "گلاره", "کاوه", "زهره", "چمران", "سارا"};
    fill(QStringLiteral("bench_phone"), QStringLiteral("name,family,tel,cmt,ostan"), 7, [&](int i) {
        return QVariantList{names[i % 8], names[(i / 8) % 8] + QString::number(i), QStringLiteral("0912%1").arg(i, 7, 10, QLatin1Char('0')),
                            QStringLiteral("  توضيح شماره %1  ").arg(i), QStringLiteral("تهران")};
    });
    const double filled = Measure::lapMs(t);

    QWidget window;
    QTableView grid(&window);
    QLabel count(&window);
    grid.resize(1000, 700);
    window.show();
    ListDescription phone;
    phone.from = QStringLiteral("bench_phone where id<=?");
    phone.values = {100000};
    phone.titleSort = true;
    double first = 0, sorted = 0;
    {
        ListWindow list(phone, &grid, &count, &window);
        first = search(list, grid);
        sorted = sortByTitle(list, grid, "family");
        list.model()->clear();
    }
    const Export small = searchAndExport(phone, 10000, grid, count, window);
    const Export big = searchAndExport(phone, 100000, grid, count, window);
    std::printf("%s: phone list of %s rows (made in %.0f ms): search until count and first rows %.1f ms, "
                "sort by a title until its first rows %.1f ms\n",
                backend, qPrintable(big.count), filled, first, sorted);
    std::printf("%s: export of %s rows %.1f ms (%.1f MiB file), peak memory growth from before the search "
                "%.1f MiB; %s rows: %.1f ms, %.1f MiB\n",
                backend, qPrintable(big.count), big.ms, big.fileMiB, big.grewMiB, qPrintable(small.count), small.ms,
                small.grewMiB);

    // The log: 1,000 x 2^10 = 1,024,000 rows, newest first, as the log window lists it.
    t.restart();
    fill(QStringLiteral("bench_log"), QStringLiteral("karbar,ip,computer_name,saat,tarikh,cmt,saat_sys"), 10,
         [&](int i) {
             return QVariantList{names[i % 8], QStringLiteral("192.168.1.%1").arg(i % 250),
                                 QStringLiteral("PC-%1").arg(i % 40), QStringLiteral("10:%1").arg(i % 60, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("1403/01/%1").arg(i % 30 + 1, 2, 10, QLatin1Char('0')),
                                 QStringLiteral(" ورود موفق به نرم افزار "),
                                 QDateTime(QDate(2024, 3, 20), QTime(8, 0)).addSecs(i * 37)};
         });
    const double logFilled = Measure::lapMs(t);
    ListDescription log;
    log.from = QStringLiteral("bench_log where karbar<>?");
    log.values = {QString()};
    log.orderBy = QStringLiteral("saat_sys desc, id desc");
    log.titleSort = true;
    ListWindow logList(log, &grid, &count, &window);
    const double plain = search(logList, grid);
    Sql::exec(QStringLiteral("create index bench_log_saat_sys on bench_log (saat_sys)"));
    const double indexed = search(logList, grid);
    // The grid scrolled down 40 times, each asking for the next rows.
    t.restart();
    for (int i = 0; i < 40 && logList.model()->canFetchMore(); ++i)
        logList.model()->fetchMore();
    const double next = Measure::lapMs(t) / 40;
    const int read = logList.model()->rowCount();
    const double logSorted = sortByTitle(logList, grid, "computer_name");
    // The index of the title's order that the program keeps on its log, where the backend has one.
    const QString orderIndex = d.createPersianOrderIndex(QStringLiteral("bench_log_computer_name_order"),
                                                         QStringLiteral("bench_log"), QStringLiteral("computer_name"));
    if (!orderIndex.isEmpty())
        Sql::exec(orderIndex);
    logList.search();
    const double logSortedIndexed = sortByTitle(logList, grid, "computer_name");
    std::printf("%s: log list of %s rows (made in %.0f ms): search until count and first rows %.1f ms "
                "without an index on saat_sys, %.1f ms with one; the next rows as the grid scrolls %.1f ms "
                "a time (%d rows read); sort by a title until its first rows %.1f ms, %.1f ms %s\n",
                backend, qPrintable(count.text()), logFilled, plain, indexed, next, read, logSorted, logSortedIndexed,
                orderIndex.isEmpty() ? "again (no index of the order on this backend)" : "with an index of its order");
    logList.model()->clear();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // A fresh database per backend, made and removed as the tests' are.
    for (const char* backend : {"sqlite", "pg"}) {
        if (qstrcmp(backend, "pg") == 0 && qEnvironmentVariableIsEmpty("TUVEK_TEST_PG"))
            break;
        qputenv("TUVEK_TEST_BACKEND", backend);
        TestDb db;
        if (!db.open(TestDb::Empty)) {
            std::printf("%s: %s\n", backend, qPrintable(db.reason()));
            continue;
        }
        measure(backend);
    }
    return 0;
}
