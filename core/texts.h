#pragma once
// The Persian texts of the core subsystem, exactly as the office knows them.
// Every message of core goes through Msg with one of these constants.

#include <QString>

namespace CoreText {

// Program block
inline const QString ExitQuestion = QStringLiteral("آيا مي خواهيد از برنامه خارج شويد");

// A command stopped by an error the program did not foresee; nothing of it was kept.
inline const QString CommandFailed = QStringLiteral("خطا! اين عمليات با خطاي پيش بيني نشده اي متوقف شد و هيچ تغييري ثبت نگرديد");

// Main window
inline const QString About = QStringLiteral("نرم افزار امور تووک\nسامانه خدمات کارکنان دفتر مرکزي و استان ها");
inline const QString NoPageAccess = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

// Money box
// The most every backend stores (Money::Max), grouped as the box shows it.
inline const QString MoneyTooLong = QStringLiteral("خطا: مبلغ نمي تواند بيش از 922,337,203,685,477 ريال باشد");

// Connection and connection settings
inline const QString ServerCaption = QStringLiteral("تنظيمات اتصال به بانک");
inline const QString InternetFailed = QStringLiteral("از اتصال خود به اينترنت مطمئن شويد");
inline const QString SettingsMissing = QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد");
inline const QString AccessFileMissing = QStringLiteral("فايل اكسس يافت نشد");
inline const QString SettingsWrong = QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");
// Why a connection failed, where the driver tells it (a server that cannot
// be reached keeps the texts above): the server refused the user name or the
// password; the database (%1 its name) is not on the server; the folder of
// the embedded database (%1) cannot be written. (A damaged file is said by
// the data layer.)
inline const QString LoginRefused = QStringLiteral("خطا! سرور بانک اطلاعاتي نام کاربري يا رمز عبور را نپذيرفت؛ تنظيمات اتصال را بررسي کنيد");
inline const QString NoSuchDatabase = QStringLiteral("خطا! بانک اطلاعاتي «%1» روي سرور وجود ندارد؛ نام ديتابيس را در تنظيمات اتصال بررسي کنيد");
inline const QString DatabasePathIsFolder = QStringLiteral("خطا! مسير بانک اطلاعاتي يک پوشه است، نه فايل بانک اطلاعاتي:\n%1");
// A failure whose cause the driver's words do not tell: its words as they are.
inline const QString ConnectionFailedWords = QStringLiteral("خطا! اتصال به بانک اطلاعاتي برقرار نشد. پاسخ بانک اطلاعاتي:\n%1");
inline const QString DataFolderNotWritable = QStringLiteral("خطا! در پوشه بانک اطلاعاتي نمي توان نوشت و بانک اطلاعاتي باز نشد:\n%1");
inline const QString EnterServerName = QStringLiteral("نام سرور را وارد نمائيد");
inline const QString EnterDataBase = QStringLiteral("نام ديتابيس را وارد نمائيد");
inline const QString EnterUserName = QStringLiteral("کلمه کاربري را وارد نمائيد");
inline const QString EnterPassword = QStringLiteral("رمز عبور را وارد نمائيد");
inline const QString SaveFailed = QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد");
inline const QString ChangeDatabase = QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد");

// Schema installer
inline const QString AllSettingsDone = QStringLiteral("همه تنظيمات انجام شد");
// A unique index the installer could not make: what repeats, and in which rows.
inline const QString NotUnique =
    QStringLiteral("%1 در اين رديف ها تکراري است، پس بانک اطلاعاتي يکتا بودن آن را کنترل نمي کند تا تکرارها اصلاح شوند و نصب دوباره اجرا شود: %2");
inline const QString RepeatedRows = QStringLiteral("«%1» در رديف هاي %2");
inline const QString UniqueNationalCode = QStringLiteral("کد ملي پرسنل");
inline const QString UniqueLogin = QStringLiteral("نام کاربري");
inline const QString UniqueRightsPage = QStringLiteral("صفحه دسترسي هر کاربر");
inline const QString AdminSemat = QStringLiteral("کارشناس فناوري");
// The admin's status is ActiveStatus (login section below).

// The installer names the steps that failed (an existing table or column is no failure).
inline const QString InstallStepsFailed = QStringLiteral("خطا: اين مراحل تنظيمات بانک اطلاعاتي انجام نشد: %1");
inline const QString InstallStep = QStringLiteral("مرحله %1 (%2)");
// A database that holds tables, but not the program's accounts: nothing is written to it.
inline const QString NotProgramsDatabase =
    QStringLiteral("خطا! اين بانک اطلاعاتي از آن اين برنامه نيست و به آن دست زده نشد؛ آنچه برنامه در آن نيافت: %1");
// The program's database without what the program needs.
inline const QString DatabaseIncomplete = QStringLiteral("خطا! بانک اطلاعاتي آنچه برنامه نياز دارد را ندارد: %1");
inline const QString DatabaseIncompleteInstall =
    QStringLiteral("؛ جدول هاي ناموجود را نصب بانک اطلاعاتي در پنجره «تنظيمات اتصال به بانک» مي سازد");
inline const QString MissingTable = QStringLiteral("جدول %1");
inline const QString MissingColumn = QStringLiteral("ستون %2 در جدول %1");
inline const QString UnknownRequiredColumn =
    QStringLiteral("ستون %2 در جدول %1 که برنامه آن را نمي شناسد و خالي پذيرفته نمي شود");
// The administrator's first password, asked twice when the users table is made.
inline const QString AdminPasswordCaption = QStringLiteral("رمز عبور مدير سيستم");
inline const QString AdminPasswordPrompt = QStringLiteral("رمز عبور کاربر admin را وارد نمائيد");
inline const QString AdminPasswordRepeat = QStringLiteral("رمز عبور کاربر admin را دوباره وارد نمائيد");
inline const QString AdminPasswordMismatch = QStringLiteral("خطا: رمز عبور و تکرار آن يکسان نيست");
inline const QString AdminName = QStringLiteral("مدير سيستم");
inline const QString AdminProvince = QStringLiteral("تهران");

} // namespace CoreText

// Login and password change
namespace CoreText {
inline const QString DatabaseNotInstalled =
    QStringLiteral("بانک اطلاعاتي هنوز ساخته نشده است: در صفحه ورود روي «تغيير بانك اطلاعاتي» و سپس در پنجره "
                   "تنظيمات اتصال به بانک روي پيوند «. . .» کليک کنيد تا جدول هاي برنامه ساخته شوند");
inline const QString WrongUserOrPassword = QStringLiteral("کلمه يا رمز عبور اشتباه است");
inline const QString UserInactive = QStringLiteral("کاربر شما غير فعال شده است");
inline const QString ActiveStatus = QStringLiteral("فعال");
inline const QString UserGone = QStringLiteral("خطا، اين کاربر حذف شده است");
// The signed-in account as stored at a write (core/account_now.h): deleted by
// another workstation since the sign-in (made inactive: UserInactive), or, for
// a command reserved for a level, no longer of that level.
inline const QString OwnUserGone = QStringLiteral("کاربر شما حذف شده است");
inline const QString OwnLevelChanged = QStringLiteral("سطح دسترسي کاربر شما تغيير کرده است");
inline const QString OldVersion = QStringLiteral("اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  ");
inline const QString OldVersionTail = QStringLiteral(" در ادامه نسخه جديد را دانلود و استفاده نماييد ");
inline const QString LoginSucceeded = QStringLiteral("  ورود موفق به نرم افزار  ");
inline const QString LoginOldVersion = QStringLiteral("  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   ");
inline const QString NewestProgramFile = QStringLiteral("آخرين نسخه نرم افزار");
// The newest program file could not be written where the user chose; %1 is that path.
inline const QString NewestProgramNotSaved = QStringLiteral("خطا: فايل نسخه جديد در اين مسير ذخيره نشد:\n%1");
inline const QString FontHelpFile = QStringLiteral("راهنمايي حل مشکل نمايش فونت ها");
inline const QString ChangePassWrongPair = QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد");
inline const QString PasswordNotValid = QStringLiteral("كلمه عبور صحيح نيست");
inline const QString PasswordsDiffer = QStringLiteral("كلمه عبور جديد همخواني ندارد");
inline const QString PasswordChanged = QStringLiteral("كلمه عبور تغيير يافت");
// Another workstation changed the password while this change was checked.
inline const QString PasswordChangedElsewhere = QStringLiteral(
    "خطا! كلمه عبور اين کاربر در همين حين در ايستگاه ديگري تغيير کرده است و كلمه عبور جديد ثبت نشد");
// A password whose hash could not be made (the machine could not spare the memory) is not saved.
inline const QString PasswordHashFailed =
    QStringLiteral("خطا: رمز عبور به دليل کمبود حافظه رمزنگاري نشد؛ هيچ تغييري ثبت نگرديد، لطفا دوباره سعي نماييد");
inline const QString MessagesItem = QStringLiteral("پيام");
inline const QString MessagesWaiting = QStringLiteral("پيام*");
} // namespace CoreText

// List windows
namespace CoreText {
inline const QString ExportFailed = QStringLiteral("خطا! فايل اکسل ساخته نشد");
} // namespace CoreText

// User accounts, access rights and scopes
namespace CoreText {
inline const QString UserGroupEmployee = QStringLiteral("کارمند");
inline const QString UserGroupOffice = QStringLiteral("تووک");
inline const QString UserSaved = QStringLiteral("ثبت شد");
inline const QString UserDeleted = QStringLiteral("حذف شد");
inline const QString UserNameDuplicate = QStringLiteral("خطا، نام كاربري تكراري است");
inline const QString UserNameRequired = QStringLiteral("خطا، ابتدا نام كاربري را وارد نماييد");
inline const QString UserPasswordRequired = QStringLiteral("خطا، ابتدا كلمه عبور را وارد نماييد");
inline const QString UserEditAdminRefused = QStringLiteral("امکان ويرايش مدير نيست");
inline const QString UserDeleteAdminRefused = QStringLiteral("خطا، امكان حذف مدير نيست");
inline const QString UserDeleteQuestion = QStringLiteral("آيا از حذف اين کاربر اطمينان داريد؟");
inline const QString LogUserAdded = QStringLiteral(" ثبت کاربر جديد ");
inline const QString LogUserEdited = QStringLiteral(" ويرايش کاربر ");
inline const QString ScopeSaved = QStringLiteral("دسترسي ها بروز شد");
// Titles of the user list and of its export
inline const QString UserTitleId = QStringLiteral("شناسه");
inline const QString UserTitleNam = QStringLiteral("نام و نام خانوادگي");
inline const QString UserTitleUs = QStringLiteral("نام كاربري (کد ملي)");
inline const QString UserTitleUsExport = QStringLiteral("نام کاربري-کد ملي");
inline const QString UserTitleVer = QStringLiteral("نسخه");
inline const QString UserTitleLev = QStringLiteral("سطح");
inline const QString UserTitleOstan = QStringLiteral("استان");
inline const QString UserTitleSemat = QStringLiteral("سمت/شرح");
inline const QString UserTitleSematExport = QStringLiteral("سمت");
inline const QString UserTitleMobile = QStringLiteral("موبايل");
inline const QString UserTitleStatus = QStringLiteral("وضعيت");
} // namespace CoreText

// Internal messages, attachments and phone book
namespace CoreText {
// After a message, an attachment or a phone-book entry is deleted.
inline const QString RowDeleted = QStringLiteral("حذف شد");
// Internal messages
inline const QString MessagesSubjectList = QStringLiteral("موضوع پيام");
inline const QString MessagesSent = QStringLiteral("ارسال انجام شد");
inline const QString MessagesDeleteAdminOnly = QStringLiteral("حذف فقط توسط مدير سيستم قابل انجام است");
// Titles of the message list
inline const QString MessagesTitleSender = QStringLiteral("فرستنده");
inline const QString MessagesTitleSent = QStringLiteral("تاريخ ارسال");
inline const QString MessagesTitleRead = QStringLiteral("تاريخ ملاحظه");
inline const QString MessagesTitleSubject = QStringLiteral("موضوع");
// Attachments
inline const QString AttachmentLogo = QStringLiteral("آرم");
inline const QString AttachmentDuplicate = QStringLiteral("شرح ضميمه تكراري است");
inline const QString AttachmentNoDescription = QStringLiteral("خطا، ابتدا شرح ضميمه را وارد نماييد");
inline const QString AttachmentTitleDescription = QStringLiteral("شرح ضميمه");
inline const QString AttachmentTitleFormat = QStringLiteral("فرمت ضميمه");
// A file that could not be read when added, or written when opened.
inline const QString AttachmentUnreadable = QStringLiteral("خطا! فايل خوانده نشد");
inline const QString AttachmentNotWritten = QStringLiteral("خطا! فايل ذخيره نشد");
// A stored file read short of its length: deleted or changed elsewhere meanwhile.
inline const QString AttachmentReadShort =
    QStringLiteral("خطا! فايل کامل خوانده نشد؛ در همين حال در جاي ديگري حذف يا عوض شده است. فايلي ذخيره نشد");
// A stored file opened or saved after another workstation deleted its row.
inline const QString StoredFileGone = QStringLiteral("خطا! اين فايل در جاي ديگري حذف شده است و ديگر در بانک اطلاعاتي نيست");
// A chosen file that is not a regular file (a folder, a device).
inline const QString AttachmentNotAFile = QStringLiteral("خطا! آنچه انتخاب شد فايل نيست");
// A chosen file above the largest size stored; %1 is that size in megabytes.
inline const QString AttachmentTooLarge = QStringLiteral("خطا! حجم فايل بيش از %1 مگابايت است و ذخيره نمي شود");
// The progress of a long transfer of a stored file.
inline const QString FileStoring = QStringLiteral("در حال ذخيره فايل در بانک اطلاعاتي...");
inline const QString FileReading = QStringLiteral("در حال خواندن فايل از بانک اطلاعاتي...");
// Phone book
inline const QString PhoneDuplicate = QStringLiteral("نام تکراري است");
inline const QString PhoneSaved = QStringLiteral("ثبت شد");
inline const QString PhoneTitleName = QStringLiteral("نام");
inline const QString PhoneTitleTel = QStringLiteral("تلفن");
inline const QString PhoneTitleCmt = QStringLiteral("شرح");
} // namespace CoreText

// Settings lists, stored passwords, log viewer and backup
namespace CoreText {
// The settings windows
inline const QString SettingEnterValue = QStringLiteral("لطفا مقدار مناسب را وارد نماييد");
inline const QString SettingDuplicate = QStringLiteral("تكراري است");
inline const QString SettingSaved = QStringLiteral("ثبت شد");
// Titles of the settings grids
inline const QString SettingTitleComponent = QStringLiteral("عنوان اطلاعات");
inline const QString SettingTitleCmt = QStringLiteral("توضيحات");
inline const QString SettingTitleDef = QStringLiteral("پيشفرض");
inline const QString SettingTitleOstan = QStringLiteral("استان");
// The lists that hold the stored passwords, and their prompt
inline const QString DeletePasswordList = QStringLiteral("رمز حذف");
inline const QString LoanManagerPasswordList = QStringLiteral("رمز ورود به بخش مديريت وام");
inline const QString GuesthouseManagerPasswordList = QStringLiteral("رمز ورود به بخش مديريت خوابگاه");
inline const QString DeletePasswordCaption = QStringLiteral("Delete Password");
inline const QString DeletePasswordWrong = QStringLiteral("رمز حذف اشتباه بود");
// Titles of the log viewer's grid and of its export
inline const QString LogTitleKarbar = QStringLiteral("نام کاربر");
inline const QString LogTitleIp = QStringLiteral("IP");
inline const QString LogTitleComputer = QStringLiteral("نام کامپيوتر");
inline const QString LogTitleSaat = QStringLiteral("ساعت");
inline const QString LogTitleTarikh = QStringLiteral("تاريخ");
inline const QString LogTitleCmt = QStringLiteral("شرح عمليات");
inline const QString LogTitleSaatSys = QStringLiteral("تاريخ و ساعت سرور");
inline const QString LogExportId = QStringLiteral("شناسه");
inline const QString LogExportKarbar = QStringLiteral("نام کاربري");
inline const QString LogExportIp = QStringLiteral("آي پي");
inline const QString LogExportSaatSys = QStringLiteral("ساعت سرور");
// Backup
inline const QString BackupDone = QStringLiteral("فايل پشتيبان تهيه شد");
inline const QString BackupFailed = QStringLiteral("خطا! لطفا از مسير داده شده مطمئن شويد");
// A long list written to a workbook, in its progress box.
inline const QString ExportRunning = QStringLiteral("در حال انتقال به اکسل...");
// While the file is written, in its progress box; when the user stopped it.
inline const QString BackupRunning = QStringLiteral("در حال تهيه فايل پشتيبان...");
inline const QString BackupCancelled = QStringLiteral("تهيه فايل پشتيبان متوقف شد و فايلي نوشته نشد");
// The server is newer than every pg_dump of the workstation; %1 pg_dump's version, %2 the server's.
inline const QString BackupOldClient =
    QStringLiteral("خطا! نسخه ابزار پشتيبان گيري (pg_dump %1) از نسخه سرور بانک اطلاعاتي (%2) قديمي تر است؛ "
                   "برنامه postgresql-client نسخه %2 را روي اين کامپيوتر نصب کنيد");
} // namespace CoreText

// Entry windows
namespace CoreText {
// A record opened for editing that another workstation deleted meanwhile.
inline const QString RecordGone = QStringLiteral("خطا! اين رکورد حذف شده است و تغييرات ذخيره نشد");
// A record that another workstation changed after this window opened it: its
// stored values are shown again.
inline const QString RecordChangedElsewhere = QStringLiteral(
    "خطا! اين رکورد پس از باز شدن اين پنجره در ايستگاه ديگري تغيير کرده است و تغييرات شما ذخيره نشد؛ "
    "مقادير ثبت شده دوباره نمايش داده شد، در صورت لزوم تغييرات را دوباره وارد کنيد");
// A date or time box typed only in part.
inline const QString DateHalfTyped = QStringLiteral("خطا! تاريخ ناقص وارد شده است؛ آن را کامل کنيد يا خالي بگذاريد");
inline const QString TimeHalfTyped = QStringLiteral("خطا! ساعت ناقص وارد شده است؛ آن را کامل کنيد يا خالي بگذاريد");
// A date or time box typed in full with no such day or time (1403/13/40, 25:99).
inline const QString DateImpossible =
    QStringLiteral("خطا! چنين تاريخي وجود ندارد؛ ماه از 1 تا 12 و روز در حد روزهاي همان ماه باشد");
inline const QString TimeImpossible =
    QStringLiteral("خطا! چنين ساعتي وجود ندارد؛ ساعت از 00 تا 23 و دقيقه از 00 تا 59 باشد");
// A number box holding more than its column takes; %1 is the largest number it takes.
inline const QString NumberTooLarge = QStringLiteral("خطا! اين عدد بزرگتر از حد مجاز است؛ بزرگترين عدد قابل ثبت %1 است");
} // namespace CoreText

// The owner of a row gone (Keys::belongings, core/lock_keys.h): nothing was written.
namespace CoreText {
inline const QString PersonGone = QStringLiteral("اين شخص پيش از اين حذف شده است");
inline const QString RequestGone = QStringLiteral("اين درخواست پيش از اين حذف شده است");
inline const QString SuiteGone = QStringLiteral("اين خوابگاه پيش از اين حذف شده است");
} // namespace CoreText
