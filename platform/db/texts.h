#pragma once
// The messages of the data layer: what kind of refusal the database gave.
// (The lost connection's message is Db::FailedText.)

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
} // namespace DbText
