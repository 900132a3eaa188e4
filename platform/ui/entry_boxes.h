#pragma once
// Behaviours of the boxes of entry windows that need no database.

#include <QList>
#include <functional>

class QComboBox;
class QWidget;

// The boxes turn yellow while they have the focus and take the window's own
// colour again when they lose it.
void yellow_while_focused(const QList<QWidget*>& boxes);

// Runs changed when the user picks an item of the list or types into it; a
// text put there by the program (filling from a row, refilling the items)
// runs nothing, so cascades of lists follow the user's edits only.
void on_user_change(QComboBox* box, const std::function<void()>& changed);
