// Prints what the list windows cost on a large table, on the embedded database
// and on PostgreSQL when TUVEK_TEST_PG names a server (as scripts/test.sh sets it):
//  - a phone-book-like list of 100,000 rows: the search until the count and the
//    first rows are shown, a sort by a clicked title, and the export of all rows
//    to a workbook (time, and how much the process's peak memory grew);
//  - a log-like list of 1,024,000 rows ordered by the server time, newest first:
//    the search until the count and the first rows are shown, without and with
//    an index on the time.
// Run it with QT_QPA_PLATFORM=offscreen.

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

double ms(QElapsedTimer& t)
{
    const double v = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    return v;
}

// The process's resident memory now and at its peak, in MiB (Linux).
double memory(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

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
    QElapsedTimer t;
    t.start();
    list.search();
    grid.viewport()->repaint();
    return ms(t);
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
    const double filled = ms(t);

    QWidget window;
    QTableView grid(&window);
    QLabel count(&window);
    grid.resize(1000, 700);
    window.show();
    ListSpec phone;
    phone.from = QStringLiteral("bench_phone where id<=?");
    phone.values = {100000};
    phone.titleSort = true;
    ListWindow list(phone, &grid, &count, &window);
    const double first = search(list, grid);
    const QString phoneCount = count.text();

    t.restart();
    sort_grid_by_title(&grid, list.model()->columnOf(QStringLiteral("family")));
    const double sorted = ms(t);

    QString exported;
    Desktop::setOpener([&](const QString& path) { exported = path; });
    const double before = memory("VmRSS:");
    resetPeak();
    t.restart();
    list.exportRows();
    const double exportMs = ms(t);
    const double grew = memory("VmHWM:") - before;
    const double fileMiB = double(QFileInfo(exported).size()) / 1048576.0;

    // The same export of a tenth of the rows, for the memory's growth with rows.
    ListSpec small = phone;
    small.values = {10000};
    ListWindow smallList(small, &grid, &count, &window);
    smallList.search();
    smallList.model()->fetchAll();
    const double beforeSmall = memory("VmRSS:");
    resetPeak();
    smallList.exportRows();
    const double grewSmall = memory("VmHWM:") - beforeSmall;

    std::printf("%s: phone list of %s rows (made in %.0f ms): search until count and first rows %.1f ms, "
                "sort by a title %.1f ms, export %.1f ms (%.1f MiB file), peak memory growth during "
                "export %.1f MiB (10,000 rows: %.1f MiB)\n",
                backend, qPrintable(phoneCount), filled, first, sorted, exportMs, fileMiB, grew, grewSmall);

    // The log: 1,000 x 2^10 = 1,024,000 rows, newest first.
    t.restart();
    fill(QStringLiteral("bench_log"), QStringLiteral("karbar,ip,computer_name,saat,tarikh,cmt,saat_sys"), 10,
         [&](int i) {
             return QVariantList{names[i % 8], QStringLiteral("192.168.1.%1").arg(i % 250),
                                 QStringLiteral("PC-%1").arg(i % 40), QStringLiteral("10:%1").arg(i % 60, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("1403/01/%1").arg(i % 30 + 1, 2, 10, QLatin1Char('0')),
                                 QStringLiteral(" ورود موفق به نرم افزار "),
                                 QDateTime(QDate(2024, 3, 20), QTime(8, 0)).addSecs(i * 37)};
         });
    const double logFilled = ms(t);
    ListSpec log;
    log.from = QStringLiteral("bench_log where karbar<>?");
    log.values = {QString()};
    log.orderBy = QStringLiteral("saat_sys desc");
    ListWindow logList(log, &grid, &count, &window);
    const double plain = search(logList, grid);
    Sql::exec(QStringLiteral("create index bench_log_saat_sys on bench_log (saat_sys)"));
    const double indexed = search(logList, grid);
    std::printf("%s: log list of %s rows (made in %.0f ms): search until count and first rows %.1f ms "
                "without an index on saat_sys, %.1f ms with one\n",
                backend, qPrintable(count.text()), logFilled, plain, indexed);

    logList.model()->clear();
    list.model()->clear();
    smallList.model()->clear();
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
