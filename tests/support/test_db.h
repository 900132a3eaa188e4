#pragma once
// A fresh, empty database for a test, on the backend that CTest names in
// TUVEK_TEST_BACKEND: "sqlite" (the default) gives a file in a temporary
// folder, "pg" a database of its own on the server of TUVEK_TEST_PG (a libpq
// "key=value ..." text, set by scripts/test.sh). Database::current() is opened
// on it; the database is removed when the TestDb goes out of scope.
//
//     void TestFoo::init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
//     void TestFoo::cleanup() { m_db.reset(); }
//
// With TestDb::Installed the schema installer has run: every table exists and
// the administrator "admin" has the password TestDb::AdminPassword.
// PostgreSQL requested but TUVEK_TEST_PG unset: the test is skipped, or fails
// when CI=true.
//
// Register such tests with BACKENDS in tuvek_add_test and link tuvek_core.

#include "platform/config/connection_settings.h"
#include "platform/db/database.h"

#include <QString>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestDb {
public:
    enum Content { Empty, Installed };
    static const QString AdminPassword;

    TestDb() = default;
    ~TestDb() { reset(); }
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    // Makes a new database and opens Database::current() on it (any earlier one
    // of this TestDb is removed first). False when it cannot: see reason() and mustFail().
    bool open(Content content = Empty);
    // Closes Database::current() and removes the database.
    void reset();

    QString reason() const { return m_reason; }
    // The test must fail rather than be skipped.
    bool mustFail() const { return m_mustFail; }

    // The backend of this run: PostgreSQL for TUVEK_TEST_BACKEND=pg, else SQLite.
    static Backend backend();
    // How to reach this database (another connection, or connection settings).
    const ConnectionOptions& options() const { return m_options; }
    // Connection settings that reach it: the database file ("Access") on
    // SQLite, the server ("SQL Server" authentication, PostgreSQL) on pg.
    ConnectionSettings settings() const;
    // Writes them to a settings file, TuvekSystemType included (which the
    // settings window never writes).
    bool writeSettings(const QString& file) const;
    // The same for any settings.
    static bool writeSettingsFile(const QString& file, const ConnectionSettings& settings);

    // Points the per-user settings, the installation settings and the data
    // folder into folder, so that a test never reads or writes the real ones.
    static void isolateSettings(const QString& folder);

private:
    QString m_reason;
    bool m_mustFail = false;
    ConnectionOptions m_options;
    ConnectionOptions m_server; // pg: the server's own database, for CREATE and DROP
    QString m_pgName;
    std::unique_ptr<QTemporaryDir> m_dir;
};

#define TUVEK_OPEN_TEST_DB(db, content)                    \
    do {                                                   \
        if (!(db).open(content)) {                         \
            if ((db).mustFail())                           \
                QFAIL(qPrintable((db).reason()));          \
            QSKIP(qPrintable((db).reason()));              \
        }                                                  \
    } while (0)
