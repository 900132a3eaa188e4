// Prints what the log viewer and the phone book cost on a large database:
//  - the time from pressing search until the count and the first rows are
//    shown, for searches with and without filters (median of 5, and the first);
//  - the plan the database chose for each phone-book search (its count and
//    the statement that finds its first rows);
//  - the export of 10,000 and 100,000 rows to a workbook: time, and the peak
//    resident memory of a process that searches and exports (each export runs
//    in a process of its own, so that the peaks are not mixed).
//
// It starts nothing: the database comes from the environment.
//   TUVEK_BENCH_BACKEND   sqlite (default) or pg
//   TUVEK_BENCH_DB        sqlite: the database file (made when missing)
//   PGHOST, PGPORT, PGUSER, PGPASSWORD, PGDATABASE
//                         pg: the server and an existing database
//   TUVEK_BENCH_LOG_ROWS  the log's rows, over a thousand days (1,000,000 unless given)
// The schema is installed and the rows generated when the tables do not hold
// that many log rows and 100,000 phone entries; a later run reuses them.
// Run it with QT_QPA_PLATFORM=offscreen; bench/lists/run.sh runs it on both backends.

#include "bench/support/bench_db.h"
#include "bench/support/measure.h"
#include "core/list_window.h"
#include "core/log_viewer.h"
#include "core/phone.h"
#include "core/schema.h"
#include "core/shamsi_date.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"
#include "ui_log.h"
#include "ui_phone.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTableView>
#include <algorithm>
#include <cstdio>

namespace {

// The log's rows, over a thousand days: TUVEK_BENCH_LOG_ROWS, 1,000,000 unless given.
const int LogRows = qEnvironmentVariableIntValue("TUVEK_BENCH_LOG_ROWS") > 0
                        ? qEnvironmentVariableIntValue("TUVEK_BENCH_LOG_ROWS")
                        : 1000000;
constexpr int PhoneRows = 100000;
const int LogRowsPerDay = std::max(1, LogRows / 1000);
const QDate FirstDay(2022, 3, 21);

QString day(int d) { return Shamsi::fromDate(FirstDay.addDays(d)); }

const QStringList FirstNames{"پرويز", "بهرام", "ژاله", "گلاره", "کاوه", "زهره", "چمران", "سارا", "آرش", "يوسف",
                             "مريم", "علي", "حسين", "فاطمه", "رضا", "ليلا", "جواد", "نرگس", "امير", "شيرين"};
const QStringList LastNames{"احمدي", "پاکزاد", "چگيني", "ژيان", "گودرزي", "کريمي", "محمدي", "رضايي", "حسيني",
                            "موسوي", "جعفري", "صادقي", "نوري", "قاسمي", "يزداني", "بهرامي", "طاهري", "اکبري"};
const QStringList Actions{" ورود موفق به نرم افزار ", " ثبت درخواست وام ", " تاييد درخواست ", " حذف درخواست ",
                          " ويرايش مشخصات پرسنل ", " ثبت کاربر جديد "};

void generate()
{
    const qint64 logs = Sql::scalar(QStringLiteral("select count(*) from log")).toLongLong();
    const qint64 phones = Sql::scalar(QStringLiteral("select count(*) from phone")).toLongLong();
    QElapsedTimer t;
    t.start();
    // A few rows more (a login written while trying the windows) keep the
    // rows made before: making ten million again takes ten minutes, and the
    // delete before it leaves the server's text index twice its size.
    const bool remakeLog = logs < LogRows || logs > LogRows + LogRows / 100;
    if (remakeLog) {
        Sql::exec(QStringLiteral("delete from log"));
        // The same number of rows each day over a thousand days; 200 users on 300 workstations.
        BenchDb::insertRows(QStringLiteral("log"), {"karbar", "ip", "computer_name", "saat", "tarikh", "cmt", "saat_sys"},
                   LogRows, [](int i) {
                       const int d = i / LogRowsPerDay;
                       const QDateTime at(FirstDay.addDays(d), QTime(7, 0));
                       const QDateTime when = at.addSecs(qint64(i % LogRowsPerDay) * 40000 / LogRowsPerDay);
                       return QVariantList{QStringLiteral("00%1").arg(1000000 + (qint64(i) * 7919) % 200, 8, 10, QLatin1Char('0')),
                                           QStringLiteral("10.%1.%2.%3").arg(i % 3).arg((i / 3) % 10).arg((i * 13) % 10),
                                           QStringLiteral("PC-%1").arg((i * 31) % 300),
                                           when.time().toString(QStringLiteral("hh:mm:ss")), day(d),
                                           Actions[(i / 7) % Actions.size()] + FirstNames[i % 20], when};
                   });
    }
    if (phones != PhoneRows || !Sql::exists(QStringLiteral("select id from phone where name=?"),
                                            {Tphone::storedForm(FirstNames[0] + QLatin1Char(' ') + LastNames[0] +
                                                                QStringLiteral(" (واحد 0)"))})) {
        Sql::exec(QStringLiteral("delete from phone"));
        // Each tenth of the entries in one unit: "(واحد 3)" finds 10,000 of them.
        BenchDb::insertRows(QStringLiteral("phone"), {"name", "tel", "cmt"}, PhoneRows, [](int i) {
            // In the form the phone book stores its names.
            return QVariantList{Tphone::storedForm(FirstNames[(i * 7) % 20] + QLatin1Char(' ') + LastNames[(i * 11) % 18] +
                                                   QStringLiteral(" (واحد %1)").arg(i % 10)),
                                QStringLiteral("021%1").arg(10000000 + (i * 104729) % 90000000),
                                QStringLiteral("داخلي %1").arg(100 + i % 900)};
        });
    }
    if (remakeLog || phones != PhoneRows) {
        Sql::exec(QStringLiteral("analyze"));
        std::printf("generated %d log rows and %d phone entries in %.1f s\n", LogRows, PhoneRows,
                    double(t.elapsed()) / 1000.0);
    }
}

// The time from the press until the count and the first rows are painted.
double timed(QTableView* grid, const std::function<void()>& press)
{
    return Measure::msOf([&] {
        press();
        grid->viewport()->repaint();
    });
}

struct Search {
    const char* what;
    std::function<void()> press;
};

// The plan the database chose for the phone book's search as it stands: its
// count, and the statement that finds its first rows in the list's order.
// The values are written in: a server explains no statement with parameters.
void printPhonePlan(Tphone& phone)
{
    const bool sqlite = Database::current().backend() == Backend::SQLite;
    Condition c = phone.list()->conditions();
    for (const QVariant& v : std::as_const(c.values))
        c.sql.replace(c.sql.indexOf(QLatin1Char('?')), 1,
                      QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''));
    const QString where = QStringLiteral(" from phone where name<>''") + c.sql;
    // The list sorts few matches (50,000 or fewer) rather than read them
    // along the index of its order, and says so in the statement.
    const Dialect& d = Database::current().dialect();
    const bool few = phone.ui->cnt->text().toLongLong() <= 50000;
    const QString name = d.persianOrder(QStringLiteral("name")), id = QStringLiteral("id");
    const QString order = few ? d.orderUnindexed(name) + QStringLiteral(", ") + d.orderUnindexed(id) : name + QStringLiteral(", id");
    for (const QString& sql : {QStringLiteral("select count(*)") + where,
                               QStringLiteral("select id") + where + QStringLiteral(" order by ") + order +
                                   QStringLiteral(" limit 256")}) {
        std::printf("        %s\n", qPrintable(sql.left(sql.indexOf(QLatin1String(" from")))));
        for (const QVariantMap& row : Sql::rows((sqlite ? QStringLiteral("explain query plan ") : QStringLiteral("explain ")) + sql))
            std::printf("          %s\n", qPrintable(row.value(sqlite ? QStringLiteral("detail") : QStringLiteral("QUERY PLAN")).toString()));
    }
}

void searches(const char* list, QTableView* grid, QLabel* count, const QList<Search>& cases,
              const std::function<void()>& printPlan = {})
{
    for (const Search& s : cases) {
        std::vector<double> ms;
        for (int run = 0; run < 5; ++run)
            ms.push_back(timed(grid, s.press));
        const double first = ms.front();
        std::sort(ms.begin(), ms.end());
        std::printf("  %-5s search %-36s %9s rows: median %7.1f ms, first %7.1f ms, slowest %7.1f ms\n", list, s.what,
                    qPrintable(count->text()), ms[2], first, ms.back());
        if (printPlan)
            printPlan();
    }
}

struct Windows {
    Tlog log;
    Tphone phone;
    Windows()
    {
        log.prepareForOpening();
        log.show();
        phone.prepareForOpening();
        phone.show();
    }
    // The log's date range over the first `rows` rows.
    void logDays(int rows)
    {
        if (!log.ui->CheckBox2->isChecked())
            log.ui->CheckBox2->click();
        log.ui->dat1->setText(day(0));
        log.ui->dat2->setText(day(rows / LogRowsPerDay - 1));
    }
    void phoneText(const QString& text)
    {
        phone.ui->src->setText(text);
        phone.srcChange(); // a repeated text would not signal a change
    }
};

void measureSearches(const char* backend)
{
    Windows w;
    std::printf("%s: search until the count and the first rows are shown\n", backend);
    Tlog& log = w.log;
    auto press = [&] { log.ui->BitBtn1->click(); };
    searches("log", log.ui->DBGrid1, log.ui->cnt,
             {{"no filter (every row, newest first)", press},
              {"one month", [&] {
                   w.logDays(30 * LogRowsPerDay);
                   press();
               }},
              {"one month, user", [&] {
                   log.ui->CheckBox1->setChecked(true);
                   log.ui->karbar->setCurrentText(QStringLiteral("0001000017"));
                   press();
               }},
              {"user only", [&] {
                   log.ui->CheckBox2->setChecked(false);
                   press();
               }},
              {"text of the action only", [&] {
                   log.ui->CheckBox1->setChecked(false);
                   log.ui->CheckBox4->setChecked(true);
                   log.ui->cmt->setText(QStringLiteral("حذف درخواست ژاله"));
                   press();
               }},
              {"text of the action with a kaf", [&] {
                   log.ui->cmt->setText(QStringLiteral("کاربر جديد کاوه"));
                   press();
               }}});
    log.ui->CheckBox4->setChecked(false);
    searches("phone", w.phone.ui->DBGrid1, w.phone.ui->cnt,
             {{"empty box (every entry)", [&] { w.phoneText(QString()); }},
              {"one unit", [&] { w.phoneText(QStringLiteral("(واحد 3)")); }},
              {"a name", [&] { w.phoneText(QStringLiteral("سارا صادقي")); }},
              {"a number", [&] {
                   w.phone.ui->src_tel->setChecked(true);
                   w.phoneText(QStringLiteral("02134"));
               }},
              {"a remark", [&] {
                   w.phone.ui->src_cmt->setChecked(true);
                   w.phoneText(QStringLiteral("داخلي 345"));
               }}},
             [&] { printPhonePlan(w.phone); });
    w.phone.ui->src_name->setChecked(true);
}

// Child: one search and its export; prints "rows ms rssBefore peak fileMiB".
int exportChild(const QString& list, int rows)
{
    Windows w;
    QString written;
    Desktop::setOpener([&](const QString& path) { written = path; });
    const bool log = list == QLatin1String("log");
    if (log) {
        w.logDays(rows);
        w.log.ui->BitBtn1->click();
    } else {
        w.phoneText(rows == PhoneRows ? QString() : QStringLiteral("(واحد 3)"));
    }
    const double before = Measure::residentMiB();
    // The phone book's list exports through the same list behaviour.
    const double ms = Measure::msOf([&] {
        if (log)
            w.log.ui->SpeedButton1->click();
        else
            w.phone.list()->exportRows();
    });
    if (written.isEmpty())
        return 1;
    std::printf("%s %.1f %.1f %.1f %.2f\n", qPrintable((log ? w.log.ui->cnt : w.phone.ui->cnt)->text()), ms, before,
                Measure::peakMiB(), double(QFileInfo(written).size()) / 1048576.0);
    QFile::remove(written);
    return 0;
}

void measureExports(const char* backend, const QString& self)
{
    std::printf("%s: export to a workbook (each in a process of its own)\n", backend);
    for (const char* list : {"log", "phone"})
        for (int rows : {10000, 100000}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(self, {QStringLiteral("--export"), QString::fromLatin1(list), QString::number(rows)});
            child.waitForFinished(-1);
            const QStringList f = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
            if (f.size() < 5) {
                std::printf("  %-5s %6d rows: failed\n", list, rows);
                continue;
            }
            std::printf("  %-5s %6s rows: %7.0f ms, %5.1f MiB file; resident memory %6.1f MiB before the export, "
                        "peak %6.1f MiB\n",
                        list, qPrintable(f[0]), f[1].toDouble(), f[4].toDouble(), f[2].toDouble(), f[3].toDouble());
        }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    BenchDb::Answers answers;
    Msg::setHandler(&answers);
    const char* backend = BenchDb::open(QStringLiteral("/tmp/tuvek-bench-lists.sqlite"));
    if (!backend)
        return 1;
    shamsi_today.Init();
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--export"))
        return exportChild(args[2], args[3].toInt());
    try {
        if (!Sql::tableExists(QStringLiteral("log")) || !Sql::tableExists(QStringLiteral("phone"))) {
            const Schema::Result installed = Schema::install(QStringLiteral("bench-admin"));
            if (!installed.ok()) {
                std::fprintf(stderr, "%s: the schema could not be installed\n", backend);
                return 1;
            }
        }
        generate();
        // What the installer adds where the server allows it (made once, then kept).
        std::printf("%s: indexes of the contains searches: %s\n", backend,
                    Schema::ensureContainsIndexes() ? "made where the backend has them" : "refused");
        std::printf("%s: indexes of the lists' scopes and orders: %s\n", backend,
                    Schema::ensureSearchIndexes() ? "made where the backend has them" : "refused");
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s: %s\n", backend, qPrintable(e.driverText));
        return 1;
    }
    measureSearches(backend);
    measureExports(backend, QCoreApplication::applicationFilePath());
    Database::current().close();
    return 0;
}
