#pragma once
// Opens a window the way the main menu does, modally: triggers the menu item,
// runs the steps while the window is open, then closes it. False when the
// window did not open.

#include <QAction>
#include <QTimer>
#include <QWidget>
#include <functional>

inline bool open_from_menu(QAction* item, QWidget* window, const std::function<void()>& steps)
{
    bool opened = false;
    QTimer::singleShot(0, window, [&] {
        opened = window->isVisible();
        if (opened)
            steps();
        window->close();
    });
    item->trigger();
    return opened;
}
