#pragma once
// The Persian texts of the core subsystem, exactly as the office knows them.
// Every message of core goes through Msg with one of these constants.

#include <QString>

namespace CoreText {

// Program block
inline const QString ExitQuestion = QStringLiteral("آيا مي خواهيد از برنامه خارج شويد");

// Main window
inline const QString About = QStringLiteral("نرم افزار امور تووک\nسامانه خدمات کارکنان دفتر مرکزي و استان ها");
inline const QString NoPageAccess = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

// Money box
inline const QString MoneyTooLong = QStringLiteral("خطا: مبلغ نمي تواند بيش از 18 رقم داشته باشد");

} // namespace CoreText
