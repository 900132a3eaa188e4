// Prints how long the schema installer takes on an empty embedded database
// (and on PostgreSQL when TUVEK_TEST_PG names a server), split into the
// administrator's password hash and the statements, plus a second run, and
// the cost of bound inserts and a Persian-ordered read of 10,000 rows.

#include "bench/support/measure.h"
#include "core/password_hash.h"
#include "core/schema.h"
#include "platform/db/sql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void measure(const char* backend, const ConnectionOptions& options)
{
    QString error;
    if (!Database::current().open(options, &error)) {
        std::printf("%s: cannot open: %s\n", backend, qPrintable(error));
        return;
    }
    QElapsedTimer t;
    t.start();
    const QString hash = PasswordHash::hash(QStringLiteral("bench"));
    const double hashMs = Measure::lapMs(t);
    Schema::install(QStringLiteral("bench"));
    const double first = Measure::lapMs(t);
    Schema::install();
    const double second = Measure::lapMs(t);
    Sql::transaction([] {
        for (int i = 0; i < 10000; ++i)
            Sql::insert(QStringLiteral("phone"), {{"name", QStringLiteral("نام %1").arg(i)}, {"tel", i}});
    });
    const double inserts = Measure::lapMs(t);
    const auto rows = Sql::rows(QStringLiteral("select * from phone order by %1")
                                    .arg(Database::current().dialect().persianOrder(QStringLiteral("name"))));
    const double ordered = Measure::lapMs(t);
    std::printf("%s: password hash %.1f ms, first install %.1f ms (hash included), second run %.1f ms, "
                "10000 bound inserts in one transaction %.1f ms, Persian-ordered read of %lld rows %.1f ms\n",
                backend, hashMs, first, second, inserts, qlonglong(rows.size()), ordered);
    Database::current().close();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ConnectionOptions sqlite;
    sqlite.database = dir.filePath(QStringLiteral("bench.sqlite"));
    measure("sqlite", sqlite);

    const QString pg = QString::fromLocal8Bit(qgetenv("TUVEK_TEST_PG"));
    if (pg.isEmpty())
        return 0;
    ConnectionOptions server;
    server.backend = Backend::PostgreSQL;
    for (const QString& part : pg.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0), value = part.section(QLatin1Char('='), 1);
        if (key == QLatin1String("host")) server.host = value;
        if (key == QLatin1String("port")) server.port = value.toInt();
        if (key == QLatin1String("user")) server.user = value;
        if (key == QLatin1String("dbname")) server.database = value;
    }
    Database admin(QStringLiteral("bench_admin"));
    if (!admin.open(server))
        return 1;
    Sql::exec(admin, QStringLiteral("drop database if exists tuvek_bench with (force)"));
    Sql::exec(admin, QStringLiteral("create database tuvek_bench"));
    ConnectionOptions bench = server;
    bench.database = QStringLiteral("tuvek_bench");
    measure("postgresql", bench);
    Sql::exec(admin, QStringLiteral("drop database tuvek_bench with (force)"));
    return 0;
}
