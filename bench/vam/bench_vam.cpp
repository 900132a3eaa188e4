// Prints what the loans list costs on a large database: 1,000,000 requests of
// 100,000 persons in 100 counties. The time from pressing search until the
// count and the first rows are shown (median of 5, and the first), for a
// county user's scope (3 counties) with a surname filter, for that scope
// alone, and for the administrator with no filter and with a surname filter.
//
// It starts nothing: the database comes from the environment (bench/support/bench_db.h);
// bench/vam/run.sh runs it on SQLite and on a throwaway PostgreSQL server.
// The rows are generated when the tables do not hold them; a later run reuses them.

#include "bench/support/bench_db.h"
#include "bench/support/measure.h"
#include "core/schema.h"
#include "core/session.h"
#include "core/shamsi_date.h"
#include "platform/ui/msg.h"
#include "services/request/request_list.h"
#include "services/vam_src.h"
#include "ui_vam_src.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <cstdio>

namespace {

constexpr int Persons = 100000;
constexpr int Loans = 1000000;
constexpr int Counties = 100;

const QStringList FirstNames{"پرويز", "بهرام", "ژاله", "گلاره", "کاوه", "زهره", "چمران", "سارا", "آرش", "يوسف",
                             "مريم", "علي", "حسين", "فاطمه", "رضا", "ليلا", "جواد", "نرگس", "امير", "شيرين"};
// 200 surnames: a surname filter finds one person in 200.
QString lastName(int i)
{
    static const QStringList stems{"احمدي", "پاکزاد", "چگيني", "ژيان", "گودرزي", "کريمي", "محمدي", "رضايي", "حسيني",
                                   "موسوي"};
    return stems[i % 10] + QStringLiteral(" %1").arg(i % 20);
}
QString county(int i) { return QStringLiteral("شهرستان %1").arg(i % Counties); }
const QStringList Types{"ضروري", "مسکن", "ازدواج", "کارگشايي", "خريد کالا"};

void generate()
{
    const qint64 persons = Sql::scalar(QStringLiteral("select count(*) from personel")).toLongLong();
    const qint64 loans = Sql::scalar(QStringLiteral("select count(*) from vam")).toLongLong();
    if (persons == Persons && loans == Loans)
        return;
    QElapsedTimer t;
    t.start();
    Sql::exec(QStringLiteral("delete from vam"));
    Sql::exec(QStringLiteral("delete from personel"));
    BenchDb::insertRows(QStringLiteral("personel"), {"ostan", "shahrestan", "lname", "fname", "nation", "loc"}, Persons,
                        [](int i) {
                            return QVariantList{QStringLiteral("استان %1").arg(i % 31), county(i / 7), lastName(i / 3),
                                                FirstNames[i % 20], QStringLiteral("%1").arg(1000000000 + i),
                                                QStringLiteral("واحد %1").arg(i % 40)};
                        });
    const qint64 first = Sql::scalar(QStringLiteral("select min(id) from personel")).toLongLong();
    BenchDb::insertRows(QStringLiteral("vam"),
                        {"personel_id", "typ", "mablagh", "aghsat", "ersal_dat", "taeed_dat", "marhale", "status",
                         "cmt", "bank"},
                        Loans, [first](int i) {
                            const QString sent = Shamsi::fromDate(QDate(2021, 3, 21).addDays(i / 1000));
                            return QVariantList{first + (qint64(i) * 7919) % Persons, Types[i % 5],
                                                qint64(10000000) * (1 + i % 300), 12 + i % 48, sent,
                                                i % 3 ? QVariant(sent) : QVariant(), QStringLiteral("مرحله %1").arg(i % 4),
                                                QStringLiteral("در جريان"), QString(), QStringLiteral("ملي")};
                        });
    Sql::exec(QStringLiteral("analyze"));
    std::printf("generated %d persons and %d loans in %.1f s\n", Persons, Loans, double(t.elapsed()) / 1000.0);
}

void measure(const char* backend)
{
    Tvam_src list;
    list.show();
    RequestList& r = list.requests();
    auto search = [&] {
        list.ui->src_btn->click();
        list.ui->DBGrid1->viewport()->repaint();
    };
    auto surname = [&](bool on) {
        list.ui->CheckBox4->setChecked(on);
        list.ui->lname->setText(lastName(7));
    };
    struct Case {
        const char* what;
        CurrentUser user;
        bool surname;
    };
    const QList<Case> cases{
        {"county user (3 counties), surname", {"1000000007", "2", "ostan", {}, {}}, true},
        {"county user (3 counties)", {"1000000007", "2", "ostan", {}, {}}, false},
        {"admin, no filter", {"admin", "1", "admin", {}, {}}, false},
        {"admin, surname", {"admin", "1", "admin", {}, {}}, true},
    };
    std::printf("%s: loans search until the count and the first rows are shown\n", backend);
    for (const Case& c : cases) {
        Session::setUser(c.user);
        r.prepareForOpening();
        surname(c.surname);
        std::vector<double> ms;
        for (int run = 0; run < 5; ++run)
            ms.push_back(Measure::msOf(search));
        const double firstRun = ms.front();
        std::sort(ms.begin(), ms.end());
        std::printf("  %-36s %8s rows: median %7.1f ms, first %7.1f ms, slowest %7.1f ms\n", c.what,
                    qPrintable(list.ui->cnt->text()), ms[2], firstRun, ms.back());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    BenchDb::Answers answers;
    Msg::setHandler(&answers);
    const char* backend = BenchDb::open(QStringLiteral("/tmp/tuvek-bench-vam.sqlite"));
    if (!backend)
        return 1;
    shamsi_today.Init();
    try {
        if (!Sql::tableExists(QStringLiteral("vam")) && !Schema::install(QStringLiteral("bench-admin")).ok()) {
            std::fprintf(stderr, "%s: the schema could not be installed\n", backend);
            return 1;
        }
        generate();
        // What the installer adds to a database made before it did (made once, then kept).
        Schema::ensureSearchIndexes();
        // The county user's scope: three counties.
        Sql::exec(QStringLiteral("delete from dastrasi2 where user_id=2"));
        for (int c : {3, 40, 77})
            Sql::insert(QStringLiteral("dastrasi2"), {{QStringLiteral("user_id"), 2}, {QStringLiteral("cmt"), county(c)}});
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s: %s\n", backend, qPrintable(e.driverText));
        return 1;
    }
    measure(backend);
    Database::current().close();
    return 0;
}
