#pragma once
// The database of a list benchmark: where it is, from the environment, and
// its generated rows written fast; the answers to the boxes it shows.
//   TUVEK_BENCH_BACKEND   sqlite (default) or pg
//   TUVEK_BENCH_DB        sqlite: the database file (made when missing)
//   PGHOST, PGPORT, PGUSER, PGPASSWORD, PGDATABASE
//                         pg: the server and an existing database

#include "platform/db/sql.h"
#include "platform/ui/msg.h"

#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace BenchDb {

// The benchmark answers every box itself and says what it was.
class Answers final : public Msg::Handler {
public:
    Msg::Button message(const Msg::Request& r) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(r.text));
        return Msg::Button::Ok;
    }
    std::optional<QString> input(const Msg::Request&) override { return std::nullopt; }
};

inline ConnectionOptions optionsFromEnvironment(const QString& defaultFile)
{
    ConnectionOptions o;
    if (qEnvironmentVariable("TUVEK_BENCH_BACKEND") != QLatin1String("pg")) {
        o.database = qEnvironmentVariable("TUVEK_BENCH_DB", defaultFile);
        return o;
    }
    // The server as PostgreSQL's own tools find it.
    o.backend = Backend::PostgreSQL;
    o.host = qEnvironmentVariable("PGHOST");
    o.port = qEnvironmentVariableIntValue("PGPORT");
    o.user = qEnvironmentVariable("PGUSER");
    o.password = qEnvironmentVariable("PGPASSWORD");
    o.database = qEnvironmentVariable("PGDATABASE");
    return o;
}

// Opens the current database from the environment; the backend's name, or
// none after the reason was printed.
inline const char* open(const QString& defaultFile)
{
    const ConnectionOptions options = optionsFromEnvironment(defaultFile);
    const char* backend = options.backend == Backend::PostgreSQL ? "PostgreSQL" : "SQLite";
    QString error;
    if (!Database::current().open(options, &error)) {
        std::fprintf(stderr, "%s: cannot connect: %s\n", backend, qPrintable(error));
        return nullptr;
    }
    return backend;
}

// Rows in multi-row inserts of bound values, 500 at a time, in one transaction.
inline void insertRows(const QString& table, const QStringList& columns, int count,
                       const std::function<QVariantList(int)>& row)
{
    const QString one = QLatin1Char('(') + QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
                        QLatin1Char(')');
    Sql::transaction([&] {
        for (int start = 0; start < count; start += 500) {
            const int n = std::min(500, count - start);
            QVariantList values;
            for (int i = start; i < start + n; ++i)
                values += row(i);
            Sql::exec(QStringLiteral("insert into %1 (%2) values %3")
                          .arg(table, columns.join(QLatin1Char(',')), QStringList(n, one).join(QLatin1Char(','))),
                      values);
        }
    });
}

} // namespace BenchDb
