#pragma once
// The messages of the data layer: what kind of refusal the database gave.
// (The lost connection's message is Db::FailedText.)

#include "platform/ui/msg.h"

#include <QString>

namespace DbText {
inline const QString TooLong =
    QStringLiteral("خطا! متني که وارد کرده ايد از اندازه اي که بانک اطلاعاتي مي پذيرد بلندتر است؛ آن را کوتاه کنيد. هيچ تغييري ثبت نگرديد");
inline const QString OutOfRange =
    QStringLiteral("خطا! عددي که وارد کرده ايد بيرون از محدوده اي است که بانک اطلاعاتي مي پذيرد. هيچ تغييري ثبت نگرديد");
inline const QString Duplicate =
    QStringLiteral("خطا! اين اطلاعات تکراري است و پيش از اين ثبت شده است. هيچ تغييري ثبت نگرديد");
inline const QString NoPermission =
    QStringLiteral("خطا! کاربر بانک اطلاعاتي اجازه اين عمليات را ندارد؛ با مدير سيستم تماس بگيريد. هيچ تغييري ثبت نگرديد");
inline const QString Busy =
    QStringLiteral("بانک اطلاعاتي در اين لحظه در اختيار ايستگاه ديگري است؛ چند لحظه بعد دوباره امتحان کنيد. هيچ تغييري ثبت نگرديد");
inline const QString Refused =
    QStringLiteral("خطا! بانک اطلاعاتي اين عمليات را نپذيرفت؛ عمليات انجام نشد و هيچ تغييري ثبت نگرديد");
// The connection was cut while the database was recording (the commit, or a
// write outside a transaction): the server may still record it.
inline const QString OutcomeUnknown = QStringLiteral(
    "خطا در ارتباط با بانک اطلاعاتي در لحظه ثبت؛ معلوم نيست تغييرات ثبت شده باشد. پيش از تکرار عمليات، آن را در فهرست جستجو کنيد");
inline const QString DiskFull =
    QStringLiteral("خطا! فضاي خالي ديسک بانک اطلاعاتي تمام شده است؛ عمليات انجام نشد و هيچ تغييري ثبت نگرديد");
inline const QString Damaged =
    QStringLiteral("خطا! بانک اطلاعاتي آسيب ديده است و خوانده نمي شود؛ عمليات انجام نشد. با مدير سيستم تماس بگيريد");
// The embedded database's file, named by its path; the file is left as it is.
inline QString damagedFile(const QString& path)
{
    return QStringLiteral("خطا! فايل بانک اطلاعاتي %1 آسيب ديده است و خوانده نمي شود؛ به آن دست زده نشد. با مدير سيستم تماس بگيريد")
        .arg(Msg::filePath(path));
}
// A backup that could not be written, by why, with the file's path.
inline QString backupDiskFull(const QString& path)
{
    return QStringLiteral("خطا! فضاي خالي ديسک براي فايل پشتيبان %1 کافي نيست؛ فايلي نوشته نشد").arg(Msg::filePath(path));
}
inline QString backupFolderNotWritable(const QString& folder)
{
    return QStringLiteral("خطا! در پوشه %1 نمي توان نوشت؛ فايل پشتيبان نوشته نشد").arg(Msg::filePath(folder));
}
// The embedded database could not be read for a backup: held by another past
// the wait, or damaged; a copy that failed its integrity check. No file was kept.
inline const QString BackupBusy = QStringLiteral(
    "بانک اطلاعاتي در اين لحظه در اختيار ايستگاه ديگري است و خوانده نشد؛ فايل پشتيبان نوشته نشد. چند لحظه بعد دوباره امتحان کنيد");
inline const QString BackupDamaged = QStringLiteral(
    "خطا! بانک اطلاعاتي آسيب ديده است و خوانده نمي شود؛ فايل پشتيبان نوشته نشد. با مدير سيستم تماس بگيريد");
inline const QString BackupNotWhole = QStringLiteral(
    "خطا! نسخه پشتيبان در بازبيني سالم نبود و نگه داشته نشد؛ دوباره امتحان کنيد و اگر تکرار شد با مدير سيستم تماس بگيريد");
} // namespace DbText
