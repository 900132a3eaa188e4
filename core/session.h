#pragma once
// The current user of this run: written by the login, read by every page.

#include <QString>

struct CurrentUser {
    QString karbar;      // user name: the person's national code, or "admin"
    QString prs_id;      // users.id as text
    QString level;       // users.lev: "admin", "single", "city", "ostan", ...
    QString personel_id; // personel.id of the user's person, empty when there is none
    QString semat;       // the person's post, empty when there is none

    bool isAdmin() const { return level == QLatin1String("admin"); }
};

namespace Session {
const CurrentUser& user();
void setUser(const CurrentUser& user);
}
