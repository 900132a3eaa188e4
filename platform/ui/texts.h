#pragma once
// The Persian texts of the desktop helpers, exactly as the office knows them.

#include <QString>

namespace UiText {

// A file written out to be opened whose type the program does not open; %1 is where it is.
inline const QString FileNotOpened =
    QStringLiteral("اين نوع فايل توسط برنامه باز نمي شود؛ فايل در اين مسير ذخيره شد:\n%1");
// A file was written but the desktop could not open it (no application for
// its type, or the desktop's helper failed): first where it is (%1), then why
// it did not open.
inline const QString FileOpenFailed =
    QStringLiteral("فايل در اين مسير ذخيره شد:\n%1\nبرنامه اي براي باز کردن آن پيدا نشد");

// The file dialogs' list, where Qt's Persian texts leave English: the type of
// a folder, of a drive, of a file (%1 its extension) and of a file without
// one; the sizes (%1 the number).
inline const QString FolderType = QStringLiteral("پوشه");
inline const QString DriveType = QStringLiteral("درايو");
inline const QString FileTypeOf = QStringLiteral("پرونده %1");
inline const QString FileType = QStringLiteral("پرونده");
inline const QString SizeBytes = QStringLiteral("%1 بايت");
inline const QString SizeKB = QStringLiteral("%1 کيلوبايت");
inline const QString SizeMB = QStringLiteral("%1 مگابايت");
inline const QString SizeGB = QStringLiteral("%1 گيگابايت");
inline const QString SizeTB = QStringLiteral("%1 ترابايت");

// The button that stops long work in its progress box.
inline const QString Cancel = QStringLiteral("انصراف");

// A file the clerk keeps that could not be written whole; nothing of it was
// left. %1 is the path.
inline const QString DiskFull = QStringLiteral("خطا! ديسک پر است و فايل ذخيره نشد؛ جاي خالي فراهم کنيد و دوباره سعي نماييد:\n%1");
inline const QString FolderNotWritable = QStringLiteral("خطا! در اين پوشه نمي توان نوشت و فايل ذخيره نشد:\n%1");
inline const QString FileNotWritten = QStringLiteral("خطا! فايل در اين مسير ذخيره نشد:\n%1");
// A file moved in whole whose folder the disk did not confirm: it is there,
// but may be lost at a power cut. %1 is the path.
inline const QString FileNotKept =
    QStringLiteral("خطا! فايل در اين مسير نوشته شد اما ديسک ماندن آن را تاييد نکرد و ممکن است با قطع برق از دست برود؛ دوباره ذخيره کنيد:\n%1");
// A read-only file of that name is in the way.
inline const QString ReadOnlyFile = QStringLiteral("خطا! اين فايل فقط خواندني است و نمي توان آن را جايگزين کرد؛ فايل ذخيره نشد:\n%1");

} // namespace UiText
