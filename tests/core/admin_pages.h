#pragma once
// What the tests of the administration pages share: a user with or without
// rights on a page, and opening a page from the main menu with steps run
// while it is shown modally.

#include "core/main_window.h"
#include "core/session.h"
#include "platform/db/sql.h"
#include "tests/support/window_steps.h"

#include <QAction>
#include <QWidget>
#include <functional>

namespace AdminPages {

// A user of the given level with the given rights row on a page (no row
// when namayesh is left out); becomes the current user.
inline qint64 becomeUser(const QString& level, const QString& page = QString(), QList<int> rights = {},
                         const QString& ostan = QString())
{
    const qint64 id = Sql::insert(QStringLiteral("users"), {{QStringLiteral("us"), QStringLiteral("u") + level},
                                                           {QStringLiteral("lev"), level},
                                                           {QStringLiteral("ostan"), ostan}});
    if (!page.isEmpty() && rights.size() == 4)
        Sql::insert(QStringLiteral("dastrasi"), {{QStringLiteral("prs_id"), id},
                                                 {QStringLiteral("page_name"), page},
                                                 {QStringLiteral("darj"), rights[0]},
                                                 {QStringLiteral("virayesh"), rights[1]},
                                                 {QStringLiteral("hazf"), rights[2]},
                                                 {QStringLiteral("namayesh"), rights[3]}});
    Session::setUser({QStringLiteral("u") + level, QString::number(id), level, {}, {}});
    return id;
}

// Clicks the main-menu item of that name; steps run once the page is shown,
// then the page is closed. Returns whether the page was shown.
inline bool openPage(Tmain* main, const QString& item, QWidget* page, const std::function<void()>& steps = {})
{
    return WindowSteps::openFromMenu(main->findChild<QAction*>(item), page, steps);
}

} // namespace AdminPages
