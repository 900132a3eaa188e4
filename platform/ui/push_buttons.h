#pragma once
// Push buttons with both a picture and a caption (the OK and Cancel of every
// message box, the save buttons of some windows) show the two side by side in
// the middle of the button, the picture on the reading side of the caption.
// The widget style of the Qt this program is built on puts the caption
// against the button's far edge instead, which in a right-to-left window
// leaves the caption touching the left border.
// The same style lays out a Latin caption or grid cell ("Browse Excel...",
// ".jpg") left to right in a right-to-left window, so its punctuation stays
// where it is written.

class QStyle;

namespace PushButtons {
// A style that draws such buttons so, over the style it is given.
QStyle* centredLabels(QStyle* base);
// The application's style from now on draws them so.
void install();
}
