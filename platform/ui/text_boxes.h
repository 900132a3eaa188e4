#pragma once
// Persian text boxes and viewers read right to left from the right edge.
//
// Every plain or rich text box (and viewer) of a right-to-left window that
// keeps the default layout of its text gets right-to-left paragraphs, which
// start at its right edge; a box given an alignment or a direction of its own
// keeps them. Line edits of a right-to-left window already start at the right
// edge. Word-wrapped labels of a right-to-left window keep room at their left
// edge for the lines they wrap. Applied to every box of the application once
// installed, when the box is first shown.

class QApplication;
class QWidget;

namespace TextBoxes {
// Lays out one box right to left when it is a text box of a right-to-left
// window with the default layout of its text; other widgets are left alone.
void applyRightToLeft(QWidget* widget);
// From now on every text box of the application, when it is first shown.
void installRightToLeft(QApplication& app);
}
