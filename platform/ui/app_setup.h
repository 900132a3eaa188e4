#pragma once
// Application-wide settings: right-to-left layout, Qt's Persian texts for the
// standard dialogs and the fonts of the report designs.

class QApplication;

namespace AppSetup {
void apply(QApplication& app);
}
