#pragma once
// The Persian texts of the picture helpers, exactly as the office knows them.

#include <QString>

namespace ImageText {

// A picture file that cannot be read.
inline const QString InvalidPicture = QStringLiteral("تصوير نا معتبر است");

} // namespace ImageText
