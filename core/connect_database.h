#pragma once
// Opening the one database connection of the run, by the login window's
// connection choice:
//   0 "Internet": the built-in connection of the installation settings file,
//     or, without one, the embedded database in the user's data folder (an
//     empty embedded database gets its schema at once);
//   1 "Local": the connection settings of this user (settings window).
// Failures are shown in Persian and open the settings window where the Local
// settings are at fault; the result is false after a reported failure. The
// message names the cause where the driver tells it: the server cannot be
// reached, it refused the user name or password, the database does not exist,
// the data folder cannot be written or the database path is a folder (told by
// the file system, with the path), the database file is damaged (with its
// path; nothing is written to it, the installer does not run on it); any
// other failure with the driver's own words.
// Once open, the login's connection (EmptyDatabase::Install) is used only on
// the program's own database with all it needs (an embedded one is
// installed or completed); another program's is closed untouched, and the
// message names what the database lacks.

#include "platform/config/connection_settings.h"
#include "platform/db/database.h"

#include <optional>

enum class EmptyDatabase { Install, Leave };

// By the login window's choice (nothing chosen: nothing happens, true).
bool connect_database(EmptyDatabase empty = EmptyDatabase::Install);
// installed, when given, tells whether the schema was installed just now.
bool connect_database(int choice, EmptyDatabase empty = EmptyDatabase::Install, bool* installed = nullptr);

// The connection choice to preselect: "Local" (1) when this user has a
// connection settings file, wrong ones too (the sign-in then says they are
// wrong, rather than going quietly to another database), else "Internet" (0).
int default_connection_choice();

// Why a connection could not be opened or used at once, told from the
// driver's code where it gives one, else from its English words (libpq, the
// SQL Server ODBC driver, SQLite). Words it does not know (a server that
// speaks another language) are Unrecognised: the message shows them as they
// are rather than guess.
enum class ConnectionFailure { Unreachable, LoginRefused, NoDatabase, FolderNotWritable, Damaged, Unrecognised };
ConnectionFailure connection_failure(const QString& driverText, const QString& code = {});

// How settings translate into a connection; nothing for an authentication,
// system type or server type outside the known values.
std::optional<ConnectionOptions> connection_options(const ConnectionSettings& settings);
