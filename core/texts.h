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

// Connection and connection settings
inline const QString ServerCaption = QStringLiteral("تنظيمات اتصال به بانک");
inline const QString InternetFailed = QStringLiteral("از اتصال خود به اينترنت مطمئن شويد");
inline const QString SettingsMissing = QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد");
inline const QString AccessFileMissing = QStringLiteral("فايل اكسس يافت نشد");
inline const QString SettingsWrong = QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");
inline const QString EnterServerName = QStringLiteral("نام سرور را وارد نمائيد");
inline const QString EnterDataBase = QStringLiteral("نام ديتابيس را وارد نمائيد");
inline const QString EnterUserName = QStringLiteral("کلمه کاربري را وارد نمائيد");
inline const QString EnterPassword = QStringLiteral("رمز عبور را وارد نمائيد");
inline const QString SaveFailed = QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد");
inline const QString ChangeDatabase = QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد");

// Schema installer
inline const QString AllSettingsDone = QStringLiteral("همه تنظيمات انجام شد");
inline const QString AdminSemat = QStringLiteral("کارشناس فناوري");
inline const QString ActiveStatus = QStringLiteral("فعال");

// The installer names the steps that failed (an existing table or column is no failure).
inline const QString InstallStepsFailed = QStringLiteral("خطا: اين مراحل تنظيمات بانک اطلاعاتي انجام نشد: %1");
inline const QString InstallStep = QStringLiteral("مرحله %1 (%2)");
// The administrator's first password, asked twice when the users table is made.
inline const QString AdminPasswordCaption = QStringLiteral("رمز عبور مدير سيستم");
inline const QString AdminPasswordPrompt = QStringLiteral("رمز عبور کاربر admin را وارد نمائيد");
inline const QString AdminPasswordRepeat = QStringLiteral("رمز عبور کاربر admin را دوباره وارد نمائيد");
inline const QString AdminPasswordMismatch = QStringLiteral("خطا: رمز عبور و تکرار آن يکسان نيست");
inline const QString AdminName = QStringLiteral("مدير سيستم");
inline const QString AdminProvince = QStringLiteral("تهران");

} // namespace CoreText

// List windows
namespace CoreText {
inline const QString ExportFailed = QStringLiteral("خطا! فايل اکسل ساخته نشد");
} // namespace CoreText
