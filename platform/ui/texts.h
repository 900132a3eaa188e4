#pragma once
// The Persian texts of the desktop helpers, exactly as the office knows them.

#include <QString>

namespace UiText {

// A file written out to be opened whose type the program does not open; %1 is where it is.
inline const QString FileNotOpened =
    QStringLiteral("اين نوع فايل توسط برنامه باز نمي شود؛ فايل در اين مسير ذخيره شد:\n%1");
// The desktop could not open a file; %1 is where it is.
inline const QString FileOpenFailed = QStringLiteral("خطا: فايل باز نشد؛ فايل در اين مسير ذخيره شده است:\n%1");

} // namespace UiText
