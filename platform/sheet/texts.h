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

// Why a workbook's sheet was not read: %1 the sheet's name where named.
inline const QString FileUnopened = QStringLiteral("فايل باز نمي شود");
inline const QString NotAWorkbook = QStringLiteral("فايل، فايل اکسل نيست");
inline const QString WorkbookUnreadable = QStringLiteral("فهرست شيت هاي فايل اکسل خوانا نيست");
inline const QString NoSuchSheet = QStringLiteral("فايل اکسل شيتي به نام %1 ندارد");
inline const QString SheetUnreadable = QStringLiteral("شيت %1 فايل اکسل خوانا نيست");
// %2 the last row or column the format holds.
inline const QString RowPastLimit = QStringLiteral("شيت %1 سطري بعد از سطر %2 دارد که بيش از گنجايش فايل اکسل است؛ شيت خوانده نشد");
inline const QString ColumnPastLimit = QStringLiteral("شيت %1 ستوني بعد از ستون %2 دارد که بيش از گنجايش فايل اکسل است؛ شيت خوانده نشد");
// %2 the bound in megabytes.
inline const QString TablePastLimit = QStringLiteral("شيت %1 فايل اکسل بيش از %2 مگابايت خانه و متن پر دارد؛ شيت خوانده نشد");
inline const QString BadReference = QStringLiteral("شيت %1 خانه يا سطري با شماره نادرست دارد؛ شيت خوانده نشد");
// %1 the part (one of the three below), %2 its bound in megabytes.
inline const QString PartTooLarge = QStringLiteral("%1 فايل اکسل پس از باز شدن از %2 مگابايت بزرگتر است؛ شيت خوانده نشد");
// %1 the part, %2 how many times.
inline const QString PartPackedTooTightly = QStringLiteral("%1 فايل اکسل بيش از %2 برابر فشرده شده است (خانه هاي خالي بي شمار)؛ شيت خوانده نشد");
// %1 the part, %2 the most characters a cell holds.
inline const QString TextPastLimit = QStringLiteral("%1 فايل اکسل متني بلندتر از %2 نويسه دارد که بيش از گنجايش يک خانه است؛ شيت خوانده نشد");
inline const QString EntityUnresolved = QStringLiteral("%1 فايل اکسل نويسه اي تعريف نشده (entity) دارد؛ شيت خوانده نشد");
inline const QString SheetPart = QStringLiteral("شيت %1");
inline const QString SharedTextPart = QStringLiteral("متن هاي مشترک");
inline const QString SheetListPart = QStringLiteral("فهرست شيت هاي");

} // namespace SheetText
