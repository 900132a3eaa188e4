#pragma once
// The activity log: who did what, from which workstation and when. Rows are
// only ever inserted.

#include <QString>
#include <functional>

class QObject;

// Writes one log row for the current user with the given text. Each value is
// cut to its column's width, so a long text never makes the log write fail
// after the logged operation has succeeded. The first row of the run waits a
// short while (1.5 s at most) for the workstation's host name; later rows
// carry it once the look-up has answered.
void write_log_row(const QString& cmt);
// The same for a named user (the login writes rows before the session holds the user).
void write_log_row_for(const QString& karbar, const QString& cmt);

// The workstation's IPv4 address as dotted text, empty when it has none.
QString LocalIP();
// The host name registered for an address; for an address of this
// workstation without one (and for no address), the workstation's own host
// name; empty when none is known (yet). The reverse look-up runs in the
// background and never blocks the window: the first call for an address
// starts it (the login starts it for the workstation's address), later calls
// return its answer.
QString IPAddrToName(const QString& address);
// Calls done with the host name registered for an address once the look-up
// has answered (empty when there is none), at once when it has already; not
// at all when context is gone by then.
void whenHostNameKnown(const QString& address, QObject* context, std::function<void(const QString&)> done);
