#pragma once
// Opening a page from the main menu by the current user's rights on it.

#include <QString>
#include <functional>
#include <optional>

struct PageRights {
    bool darj = false;     // may add
    bool virayesh = false; // may edit or approve
    bool hazf = false;     // may delete
    bool namayesh = false; // may open and view
};

// The current user's rights row for a page; nothing when the user has none.
// With several rows the first one the server returns counts.
std::optional<PageRights> page_rights(const QString& page_name);

// What one menu item does with its page.
struct PageOpener {
    QString page;                                   // dastrasi.page_name; empty: no rights check
    std::function<void(const PageRights&)> enable;  // enable the target's commands by darj, virayesh, hazf
    std::function<void()> prepare;                  // view presets and the search
    std::function<void()> show;                     // show the target window modally
    std::function<void()> refuse;                   // without the view right: commands to disable
};

// The shared opener: reads the rights, enables the commands, and with the view
// right presets, searches and shows the target; otherwise refuses with the
// message. Returns whether the target was shown.
bool check_page_rights(const PageOpener& opener);
