#pragma once
// The Persian texts of the workbook import, in the office's words.

#include <QString>

namespace SheetText {

// Added to an import's closing message when cells were longer than their
// columns and were cut: %1 how many cells, %2 (on a line of its own) the
// workbook's rows they were in.
inline const QString CellsCut = QStringLiteral("%1 خانه از اندازه ستون خود بلندتر بود و کوتاه شد؛ سطرهاي فايل اکسل:\n%2");
// Consecutive rows, %1 the first and %2 the last; what parts the rows.
inline const QString RowRange = QStringLiteral("%1 تا %2");
inline const QString RowSeparator = QStringLiteral("، ");
// After the rows named, when there are more.
inline const QString MoreRows = QStringLiteral(" و ...");

} // namespace SheetText
