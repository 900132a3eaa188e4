#pragma once
// Opening a page from the main menu by the current user's rights on it, and
// the check every add, edit and delete makes of the right it needs, as the
// rights are stored at the moment of the write: a right taken away while the
// page's windows are open holds from the next write on. Each command of a
// page's window is declared once with its right (PageCommand): what enables
// its button and what its write checks are that one right. The account
// itself (there, active, its level) is checked before, by every write
// (core/account_now.h).

#include <QString>
#include <functional>
#include <optional>
#include <span>

class QObject;
class QWidget;

struct PageRights {
    bool darj = false;     // may add
    bool virayesh = false; // may edit or approve
    bool hazf = false;     // may delete
    bool namayesh = false; // may open and view
};

// The current user's rights row for a page; nothing when the user has none.
// With several rows the first one the server returns counts.
std::optional<PageRights> page_rights(const QString& page_name);

// What a write does on its page, and so the right it needs.
enum class PageWrite {
    Add,    // darj
    Edit,   // virayesh (an approval is an edit)
    Delete, // hazf
    Open,   // namayesh: the window's own gate, a command enabled whenever its window is open
};

// Whether the rights allow that write.
bool allows(const PageRights& rights, PageWrite write);

// A command of a page's window, by the object name of its button or menu
// item, and the one right that both enables it when the page opens and is
// checked at its write. Each window declares its commands once, beside its
// class; its opener enables them from there and its writes name the same
// declaration, so that the two cannot drift apart:
//
//     static constexpr PageCommand SaveRights{"ins_btn2", PageWrite::Add};
//     static constexpr PageCommand Commands[] = {..., SaveRights};
//     exclusive_save(SaveRights.right, keys, ...);
struct PageCommand {
    const char* item;
    PageWrite right;
};
using PageCommands = std::span<const PageCommand>;

// Enables each of the window's commands (its children by those names) by its right.
void enable_commands(const QObject* window, PageCommands commands, const PageRights& rights);

// What one menu item does with its page.
struct PageOpener {
    QString page;                                   // dastrasi.page_name; empty: no rights check
    std::function<void(const PageRights&)> enable;  // what more the rights enable than the commands below
    std::function<void()> prepare;                  // view presets and the search
    std::function<void()> show;                     // show the target window modally
    std::function<void()> refuse;                   // without the view right: commands to disable
    QWidget* window = nullptr;                      // the target, whose commands are these
    PageCommands commands;                          // enabled each by its right
};

// While one lives, page is the page the clerk works in: check_page_rights
// keeps one while the page's window is shown, and every window opened from
// there works in that page, until a page opened over it (a person's
// dependants over the personnel list) has one of its own.
class PageInUse {
public:
    explicit PageInUse(const QString& page);
    ~PageInUse();
    PageInUse(const PageInUse&) = delete;
    PageInUse& operator=(const PageInUse&) = delete;
};
// The page in use; empty while no page's window is open (the sign-in, the
// messages, the administrator's own commands).
QString page_in_use();

// Whether the current user may still make that write on the page in use, as
// the rights rows are stored now; true while no page is in use. Runs inside
// the write's transaction, which holds the rights key shared (exclusive_save
// with a PageWrite takes it): a rights save at the same moment ends before
// the check or after the write.
bool may_write_now(PageWrite write);

// The shared opener: reads the rights, enables the commands, and with the view
// right presets, searches and shows the target; otherwise refuses with the
// message. Returns whether the target was shown.
bool check_page_rights(const PageOpener& opener);
