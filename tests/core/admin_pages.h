#pragma once
// What the tests of the program's pages share: the program started with its
// main window and a page, a user with or without rights on a page, and
// opening a page from the main menu with steps run while it is shown modally.

#include "core/account_row.h"
#include "core/main_window.h"
#include "core/program.h"
#include "core/session.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "tests/support/second_workstation.h"
#include "tests/support/window_steps.h"

#include <QAction>
#include <QApplication>
#include <QThread>
#include <QWidget>
#include <functional>

namespace AdminPages {

// Another workstation deletes the account of that id under the keys the
// accounts window's delete takes, and holds them 300 ms once the row is gone
// (deleting arrives then): this workstation's command meets the delete.
inline void deleteAccountMeanwhile(SecondWorkstation& other, Meeting& deleting, qint64 id)
{
    other.start([&deleting, id] {
        Sql::exclusive(AccountRow::deleteKeys(id), [&] {
            Sql::exec(QStringLiteral("delete from users where id=?"), {id});
            deleting.arrive();
            QThread::msleep(300);
        });
    });
}

// Starts the program as its main() does and finds the main window and the
// page of that name; false when either is missing.
template <class Page>
bool startProgram(Tmain*& main, Page*& page, const QString& name)
{
    Program::start(*qApp);
    main = win<Tmain>(QStringLiteral("main"));
    page = win<Page>(name);
    return main && page;
}

// The session's user from now on, as a login leaves it: its account on file,
// active and of its level (an id a test names is given the account).
inline void signIn(const CurrentUser& user)
{
    const QVariantList values{user.level, CoreText::ActiveStatus, user.prs_id.toLongLong()};
    if (Sql::update(QStringLiteral("users"), {{QStringLiteral("lev"), values[0]}, {QStringLiteral("status"), values[1]}},
                    QStringLiteral("id=?"), {values[2]}) == 0 && values[2].toLongLong() > 0) {
        Sql::exec(QStringLiteral("insert into users (lev, status, id) values (?, ?, ?)"), values);
        if (Database::current().backend() == Backend::PostgreSQL) // the server's next ids go on past it
            Sql::scalar(QStringLiteral("select setval(pg_get_serial_sequence('users', 'id'), (select max(id) from users))"));
    }
    Session::setUser(user);
}

inline void actAs(const QString& karbar, qint64 id, const QString& level = QStringLiteral("single"))
{
    signIn({karbar, QString::number(id), level, {}, {}});
}

// The rights row of an account on a page (one a page: an earlier one is
// replaced): add, edit, delete, view, each 1 or 0.
inline void grantRights(qint64 user, const QString& page, const QList<int>& rights)
{
    Sql::exec(QStringLiteral("delete from dastrasi where prs_id=? and page_name=?"), {user, page});
    Sql::insert(QStringLiteral("dastrasi"), {{QStringLiteral("prs_id"), user},
                                             {QStringLiteral("page_name"), page},
                                             {QStringLiteral("darj"), rights.value(0)},
                                             {QStringLiteral("virayesh"), rights.value(1)},
                                             {QStringLiteral("hazf"), rights.value(2)},
                                             {QStringLiteral("namayesh"), rights.value(3)}});
}

// An active user of the given level with the given rights row on a page (no
// row when namayesh is left out); becomes the current user.
inline qint64 becomeUser(const QString& level, const QString& page = QString(), QList<int> rights = {},
                         const QString& ostan = QString())
{
    // A login is unique: an earlier account of the level gives its name up, and keeps its id and rights.
    for (const QVariantMap& earlier : Sql::rows(QStringLiteral("select id from users where us=?"), {QStringLiteral("u") + level}))
        Sql::exec(QStringLiteral("update users set us=? where id=?"),
                  {QStringLiteral("u%1-%2").arg(level, earlier.value(QStringLiteral("id")).toString()), earlier.value(QStringLiteral("id"))});
    const qint64 id = Sql::insert(QStringLiteral("users"), {{QStringLiteral("us"), QStringLiteral("u") + level},
                                                           {QStringLiteral("lev"), level},
                                                           {QStringLiteral("ostan"), ostan},
                                                           {QStringLiteral("status"), CoreText::ActiveStatus}});
    if (!page.isEmpty() && rights.size() == 4)
        grantRights(id, page, rights);
    actAs(QStringLiteral("u") + level, id, level);
    return id;
}

// Clicks the main-menu item of that name; steps run once the page is shown,
// then the page is closed. Returns whether the page was shown.
inline bool openPage(Tmain* main, const QString& item, QWidget* page, const std::function<void()>& steps = {})
{
    return WindowSteps::openFromMenu(main->findChild<QAction*>(item), page, steps);
}

} // namespace AdminPages
