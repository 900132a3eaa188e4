#pragma once
// The Persian texts of the personnel subsystem, exactly as the office knows them.
// Every message of personnel goes through Msg with one of these constants.

#include "core/list_behaviours.h"
#include "core/texts.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace PersonnelText {

// Shared by the windows of this subsystem
inline const QString Insert = QStringLiteral("ثبت");
inline const QString Edit = QStringLiteral("ويرايش");
inline const QString Delete = QStringLiteral("حذف");
inline const QString Search = QStringLiteral("جستجو");
inline const QString Saved = QStringLiteral("ثبت شد");
inline const QString Deleted = QStringLiteral("حذف شد");
// A province and county that are no pair of the gazetteer.
inline const QString PlaceWrong = QStringLiteral("خطا! نام استان و شهرستان انتخابي صحيح نمي باشد و ميبايست از ليست انتخاب گردد");

// Gazetteer
inline const QString PlacesCaption = QStringLiteral("آبادي ها");
inline const QString PlaceEntryCaption = QStringLiteral("ثبت/ويرايش آبادي ها");
// The list grid, in its column order; the filters have the same captions.
inline const QList<QPair<QString, QString>> PlaceGrid = {
    {QStringLiteral("cod"), QStringLiteral("کد آبادي")},
    {QStringLiteral("ostan"), QStringLiteral("استان")},
    {QStringLiteral("city"), QStringLiteral("شهرستان")},
    {QStringLiteral("bakhsh"), QStringLiteral("بخش")},
    {QStringLiteral("dehestan"), QStringLiteral("دهستان")},
    {QStringLiteral("rosta"), QStringLiteral("روستا")}};
// Titles of the export, the grid's; ostan is headed by its name.
inline const CaptionTable PlaceExport =
    captions_of(CaptionTable{{QStringLiteral("id"), QStringLiteral("شناسه")}} + PlaceGrid,
                {QStringLiteral("id"), QStringLiteral("cod"), QStringLiteral("city"), QStringLiteral("bakhsh"),
                 QStringLiteral("dehestan"), QStringLiteral("rosta")});
inline const QString PlaceReplace = QStringLiteral("جايگزيني اکسل با وضع موجود");
inline const QString PlaceBrowse = QStringLiteral("Browse Excel...");
inline const QString PlaceExcelLabel = QStringLiteral("Excel");
// %1 the sheet read.
inline const QString PlaceSheetNote = QStringLiteral("تذکر: شيت %1 فايل اکسل مي بايست دقيقا داراي 6 ستون به ترتيب فوق باشد");
// A place saved without its province or county, the names every list offers it by.
inline const QString PlaceNameRequired = QStringLiteral("خطا! نام استان و شهرستان آبادي نمي تواند خالي باشد");
inline const QString PlaceDuplicate = QStringLiteral("خطا! شهرستان و روستا و استان و کدآبادي تکراري است");
inline const QString PlaceEdited = QStringLiteral("ويرايش انجام شد");
inline const QString LogPlaceAdded = QStringLiteral(" ثبت کدآبادي جديد  ");
inline const QString LogPlaceEdited = QStringLiteral(" ويرايش آبادي  ");
inline const QString LogPlaceDeleted = QStringLiteral(" حذف آبادي  ");
inline const QString PlaceSheetName = QStringLiteral("Sheet1");
inline const QString PlaceSheetUnreadable = QStringLiteral("خطا در خواندن فايل اکسل! لطفا فايل را ببنديد و يا از نام شيت آن مطمئن شويد Sheet1 ");
inline const QString PlaceReplaceQuestion = QStringLiteral("اين عمل ممکن است دقايقي بطول انجامد و اطلاعات قبلي حذف و اطلاعات اکسل جايگزين مي گردد. آيا براي ادامه عمليات اطمينان داريد؟");
inline const QString PlaceColumnsDiffer = QStringLiteral("خطا! تعداد ستون ها برابر نيست");
inline const QString PlaceReplaced = QStringLiteral("انتقال انجام شد");
// While the sheet's places are written, in the progress box; when the user stopped it.
inline const QString PlaceReplacing = QStringLiteral("در حال انتقال آباديها...");
inline const QString PlaceReplaceStopped = QStringLiteral("انتقال متوقف شد و فهرست آباديها تغييري نکرد");
// While a workbook chosen with Browse is read, in the progress box.
inline const QString PlaceSheetReading = QStringLiteral("در حال خواندن فايل اکسل...");
// The open-file dialog's choices.
inline const QString PlaceFileFilter = QStringLiteral("Excel (*.xlsx *.xls);;Excel 2007 (*.xlsx);;Excel 2003 (*.xls);;All Files(*.*)");
// A sheet with a header and no place under it.
inline const QString PlaceSheetEmpty = QStringLiteral("خطا! فايل اکسل هيچ رديفي زير سطر عنوان ندارد و چيزي جايگزين نشد");
// Rows of the sheet without a province or a county (%1 the workbook's rows): the sheet is refused.
inline const QString PlaceSheetUnnamed = QStringLiteral("خطا! نام استان يا شهرستان اين سطرهاي فايل اکسل خالي است و چيزي جايگزين نشد:\n%1");
// Added to the closing message when rows of the sheet were blank and left out (%1 how many).
inline const QString PlaceBlankRowsSkipped = QStringLiteral("%1 سطر خالي فايل اکسل ناديده گرفته شد");

// Person entry
inline const QString PersonEntryCaption = QStringLiteral("ثبت/ويرايش مشخصات پرسنل");
// The label of each column's box.
inline const QList<QPair<QString, QString>> PersonLabels = {
    {QStringLiteral("ostan"), QStringLiteral("استان")},
    {QStringLiteral("shahrestan"), QStringLiteral("شهرستان")},
    {QStringLiteral("lname"), QStringLiteral("نام خانوادگي")},
    {QStringLiteral("fname"), QStringLiteral("نام")},
    {QStringLiteral("father"), QStringLiteral("نام پدر")},
    {QStringLiteral("gender"), QStringLiteral("جنسيت")},
    {QStringLiteral("cmt"), QStringLiteral("ساير توضيحات")},
    {QStringLiteral("mali_cod"), QStringLiteral("كد مالي")},
    {QStringLiteral("bime_no"), QStringLiteral("شماره بيمه")},
    {QStringLiteral("nation"), QStringLiteral("كد ملي")},
    {QStringLiteral("sodor"), QStringLiteral("محل صدور")},
    {QStringLiteral("loc"), QStringLiteral("محل خدمت/نام پروژه")},
    {QStringLiteral("birthday"), QStringLiteral("تاريخ تولد")},
    {QStringLiteral("sh_no"), QStringLiteral("شماره شناسنامه")},
    {QStringLiteral("pec"), QStringLiteral("شماره كارت پارسيان")},
    {QStringLiteral("mobile"), QStringLiteral("موبايل")},
    {QStringLiteral("hesab_no"), QStringLiteral("شماره حساب رسالت")},
    {QStringLiteral("meli_cart"), QStringLiteral("شماره حساب بانك ملي")},
    {QStringLiteral("semat"), QStringLiteral("سمت")},
    {QStringLiteral("phone"), QStringLiteral("تلفن محل کار")},
    {QStringLiteral("khodro"), QStringLiteral("نوع خودرو")},
    {QStringLiteral("pelak"), QStringLiteral("شماره پلاک خودرو")},
    {QStringLiteral("hamkari"), QStringLiteral("نوع همکاري")},
    {QStringLiteral("vahed"), QStringLiteral("واحدسازماني")},
    {QStringLiteral("bime"), QStringLiteral("بيمه تمکيلي")},
    {QStringLiteral("company"), QStringLiteral("نام شرکت/طرف قرارداد")},
    {QStringLiteral("ezdevaj"), QStringLiteral("تاريخ ازدواج")},
    {QStringLiteral("estekhdam"), QStringLiteral("تاريخ استخدام")},
    {QStringLiteral("taghir"), QStringLiteral("تاريخ آخرين تغيير")},
    {QStringLiteral("status"), QStringLiteral("وضعيت")},
    {QStringLiteral("hamsar_hesab"), QStringLiteral("شماره کارت همسر")},
    {QStringLiteral("hamsar_bank"), QStringLiteral("نام بانک همسر")},
    {QStringLiteral("cartsaat_no"), QStringLiteral("شماره کارت ساعت")}};
inline const QStringList Genders = {QStringLiteral("زن"), QStringLiteral("مرد")};
inline const QStringList Insured = {QStringLiteral("باشد"), QStringLiteral("نباشد")};
// The spouse's bank, in this order; the last means: type another name.
inline const QStringList Banks = {QStringLiteral("ملي"), QStringLiteral("ملت"), QStringLiteral("مسکن"), QStringLiteral("صادرات"), QStringLiteral("رسالت"), QStringLiteral("تووک"), QStringLiteral("کشاورزي"), QStringLiteral("قوامين"), QStringLiteral("شهر"), QStringLiteral("تجارت"), QStringLiteral("ساير-تايپ شود")};
inline const QString ListPlace = QStringLiteral("محل خدمت");
inline const QString ListPost = QStringLiteral("سمت");
inline const QString ListCooperation = QStringLiteral("نوع همکاري");
inline const QString ListUnit = QStringLiteral("واحد سازماني");
inline const QString ListCompany = QStringLiteral("طرف قرارداد");
inline const QString ListStatus = QStringLiteral("وضعيت");
inline const QString NationLength = QStringLiteral("كد ملي مي بايست 10 رقم باشد");
inline const QString NationWrong = QStringLiteral("کد ملي صحيح نيست");
inline const QString NationDuplicate = QStringLiteral("خطا! كد ملي تكراري است");
inline const QString CompanyRequired = QStringLiteral("خطا! نام شرکت/طرف قرارداد نمي تواند خالي باشد");
inline const QString LogPersonAdded = QStringLiteral("  ثبت مشخصات جديد پرسنل ");
inline const QString LogPersonEdited = QStringLiteral("  ويرايش مشخصات موجود پرسنل ");
inline const QString InsuranceRefused = QStringLiteral("شما دسترسي براي تغيير بيمه تکميلي نداريد");
inline const QString AccountActive = QStringLiteral("فعال");
// A national code that another account already logs in with.
inline const QString NationIsOtherLogin = QStringLiteral("خطا! اين كد ملي نام كاربري حساب ديگري است");
// A person saved without a ten-digit national code has no account to sign in with.
inline const QString NoAccountWithoutCode = QStringLiteral(
    "براي اين شخص حساب كاربري ساخته نشد، زيرا كد ملي 10 رقمي ندارد؛ هر گاه كد ملي 10 رقمي او ثبت شود، حساب او ساخته مي شود");
// The account made for a person without a mobile number has no password yet.
inline const QString AccountWithoutPassword = QStringLiteral(
    "حساب كاربري اين شخص ساخته شد، ولي چون شماره موبايل ندارد رمز عبوري براي آن تعيين نشد؛ هر گاه شماره موبايل او ثبت شود، همان شماره رمز عبور نخست او مي شود، و تا آن زمان يا تا مدير سيستم در بخش كاربران براي آن رمز عبور تعيين نكند، اين شخص نمي تواند وارد سيستم شود");
// The mobile number saved later became the first password of the account made without one.
inline const QString FirstPasswordFromMobile = QStringLiteral(
    "حساب كاربري اين شخص رمز عبور نداشت؛ شماره موبايل ثبت شده اكنون رمز عبور نخست اوست");

// Personnel list
inline const QString PersonListCaption = QStringLiteral("ليست پرسنل");
// The list grid, in its column order.
inline const QList<QPair<QString, QString>> PersonGrid = {
    {QStringLiteral("ostan"), QStringLiteral("استان")},
    {QStringLiteral("shahrestan"), QStringLiteral("شهرستان")},
    {QStringLiteral("fname"), QStringLiteral("نام")},
    {QStringLiteral("lname"), QStringLiteral("نام خانوادگي")},
    {QStringLiteral("father"), QStringLiteral("نام پدر")},
    {QStringLiteral("nation"), QStringLiteral("كد ملي")},
    {QStringLiteral("sh_no"), QStringLiteral("شناسنامه")},
    {QStringLiteral("mobile"), QStringLiteral("موبايل")},
    {QStringLiteral("bime"), QStringLiteral("بيمه تکميلي")},
    {QStringLiteral("company"), QStringLiteral("طرف قرارداد")},
    {QStringLiteral("loc"), QStringLiteral("محل خدمت")},
    {QStringLiteral("vahed"), QStringLiteral("واحد سازماني")},
    {QStringLiteral("hamkari"), QStringLiteral("نحوه همکاري")},
    {QStringLiteral("semat"), QStringLiteral("سمت")},
    {QStringLiteral("pec"), QStringLiteral("شماره كارت پارسيان")},
    {QStringLiteral("gender"), QStringLiteral("جنسيت")},
    {QStringLiteral("cmt"), QStringLiteral("توضيحات")},
    {QStringLiteral("mali_cod"), QStringLiteral("كد مالي")},
    {QStringLiteral("bime_no"), QStringLiteral("شماره بيمه")},
    {QStringLiteral("sodor"), QStringLiteral("محل صدور")},
    {QStringLiteral("birthday"), QStringLiteral("تولد")},
    {QStringLiteral("hesab_no"), QStringLiteral("شماره حساب رسالت")},
    {QStringLiteral("meli_cart"), QStringLiteral("شماره حساب بانک ملي")},
    {QStringLiteral("phone"), QStringLiteral("تلفن محل کار")},
    {QStringLiteral("khodro"), QStringLiteral("نوع خودرو")},
    {QStringLiteral("pelak"), QStringLiteral("شماره پلاک خودرو")},
    {QStringLiteral("ezdevaj"), QStringLiteral("تاريخ ازدواج")},
    {QStringLiteral("estekhdam"), QStringLiteral("تاريخ استخدام")},
    {QStringLiteral("taghir"), QStringLiteral("آخرين تغيير")},
    {QStringLiteral("status"), QStringLiteral("وضعيت")},
    {QStringLiteral("hamsar_hesab"), QStringLiteral("حساب همسر")},
    {QStringLiteral("hamsar_bank"), QStringLiteral("بانک همسر")},
    {QStringLiteral("cartsaat_no"), QStringLiteral("ش کارت ساعت")}};
// Filter check boxes and their captions.
inline const QList<QPair<QString, QString>> PersonFilters = {
    {QStringLiteral("CheckBox1"), QStringLiteral("نام خانوادگي")},
    {QStringLiteral("CheckBox8"), QStringLiteral("استان")},
    {QStringLiteral("CheckBox9"), QStringLiteral("شهرستان")},
    {QStringLiteral("CheckBox2"), QStringLiteral("محل خدمت/نام پروژه")},
    {QStringLiteral("CheckBox3"), QStringLiteral("سمت")},
    {QStringLiteral("CheckBox5"), QStringLiteral("كد ملي")},
    {QStringLiteral("CheckBox4"), QStringLiteral("واحدسازماني")},
    {QStringLiteral("CheckBox6"), QStringLiteral("نحوه همکاري")},
    {QStringLiteral("CheckBox7"), QStringLiteral("طرف قرارداد/شرکت")}};
inline const QStringList GenderChoice = {QStringLiteral("مرد"), QStringLiteral("زن"), QStringLiteral("هردو")};
// The menu items of the list, in menu order.
inline const QList<QPair<QString, QString>> PersonMenu = {
    {QStringLiteral("N1"), QStringLiteral("ثبت")},
    {QStringLiteral("N2"), QStringLiteral("ويرايش")},
    {QStringLiteral("N3"), QStringLiteral("حذف")},
    {QStringLiteral("N17"), QStringLiteral("پرونده الكترونيك")},
    {QStringLiteral("N4"), QStringLiteral("افراد تحت تکفل/بيمه")},
    {QStringLiteral("N15"), QStringLiteral("پرينت بيمه (A5)")},
    {QStringLiteral("N16"), QStringLiteral("بيمه تکميلي")},
    {QStringLiteral("N13"), QStringLiteral("بيمه تکميلي خانوادگي-تکي")},
    {QStringLiteral("N10"), QStringLiteral("عدم بيمه تکميلي خانوادگي-تکي")},
    {QStringLiteral("N18"), QStringLiteral("بيمه تکميلي خانوادگي-همگي")},
    {QStringLiteral("N20"), QStringLiteral("عدم بيمه تکميلي خانوادگي-همگي")},
    {QStringLiteral("N6"), QStringLiteral("گزارش")},
    {QStringLiteral("N5"), QStringLiteral("اکسل")},
    {QStringLiteral("N9"), QStringLiteral("ويژه بيمه تکميلي")},
    {QStringLiteral("N7"), QStringLiteral("ويژه پارسيان")},
    {QStringLiteral("N11"), QStringLiteral("سرپرست و خانواده")},
    {QStringLiteral("N12"), QStringLiteral("کد ملي ويژه بيمه تکميلي")},
    {QStringLiteral("N14"), QStringLiteral("افراد تحت تکفل")},
    {QStringLiteral("N8"), QStringLiteral("خروج")}};
// A person another workstation deleted already: its delete, or a write of
// what belongs to the person (core/lock_keys.h).
inline const QString& PersonGone = CoreText::PersonGone;
inline const QString LogPersonDeleted = QStringLiteral("  حذف مشخصات پرسنل ");
inline const QString NoPlaceMatches = QStringLiteral("???");
// Titles of the list's export: the grid's, but for the columns the export
// heads its own way; the other columns are headed by their names.
inline const CaptionTable PersonExportOwnTitles = {
    {QStringLiteral("id"), QStringLiteral("شناسه")},
    {QStringLiteral("nation"), QStringLiteral("کد ملي")},
    {QStringLiteral("pec"), QStringLiteral("شماره کارت پارسيان")},
    {QStringLiteral("mali_cod"), QStringLiteral("کد مالي")},
    {QStringLiteral("birthday"), QStringLiteral("تاريخ تولد")},
    {QStringLiteral("hesab_no"), QStringLiteral("شماره حساب بانک رسالت")},
    {QStringLiteral("pelak"), QStringLiteral("پلاک خودرو")},
    {QStringLiteral("ostan"), QStringLiteral("استان محل خدمت")},
    {QStringLiteral("hamsar_hesab"), QStringLiteral("شماره حساب همسر")},
    {QStringLiteral("cartsaat_no"), QStringLiteral("شماره کارت ساعت")},
};
inline const CaptionTable PersonExport = captions_of(PersonExportOwnTitles + PersonGrid,
    {QStringLiteral("id"), QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("father"),
     QStringLiteral("nation"), QStringLiteral("mobile"), QStringLiteral("loc"), QStringLiteral("semat"),
     QStringLiteral("pec"), QStringLiteral("gender"), QStringLiteral("cmt"), QStringLiteral("mali_cod"),
     QStringLiteral("bime_no"), QStringLiteral("sodor"), QStringLiteral("birthday"), QStringLiteral("sh_no"),
     QStringLiteral("hesab_no"), QStringLiteral("phone"), QStringLiteral("khodro"), QStringLiteral("pelak"),
     QStringLiteral("meli_cart"), QStringLiteral("ostan"), QStringLiteral("hamkari"), QStringLiteral("vahed"),
     QStringLiteral("bime"), QStringLiteral("company"), QStringLiteral("hamsar_hesab"), QStringLiteral("hamsar_bank"),
     QStringLiteral("cartsaat_no")});

// Approval hierarchy
inline const QString TitleLname = QStringLiteral("نام خانوادگي");
inline const QString TitleFname = QStringLiteral("نام");
inline const QString TitleNation = QStringLiteral("کد ملي");
inline const QString TitleLoc = QStringLiteral("محل خدمت");
inline const QString Duplicate = QStringLiteral("تکراريست");
// A pair is never written with an empty side.
inline const QString ChooseApprover = QStringLiteral("خطا! تاييد کننده را انتخاب نماييد");
inline const QString ChooseRequester = QStringLiteral("خطا! درخواست کننده را انتخاب نماييد");

// Leave and missions
// The settings list of the request types, and the three types with a behaviour of their own.
inline const QString KargoziniTypeList = QStringLiteral("انواع درخواست کارگزيني");
inline const QString DailyLeave = QStringLiteral("مرخصي روزانه");
inline const QString HourlyLeave = QStringLiteral("مرخصي ساعتي");
inline const QString HourlyMission = QStringLiteral("ماموريت ساعتي");
// The caption of the first date: a range for the daily leave, one day for the hourly types.
inline const QString FromDate = QStringLiteral("از تاريخ");
inline const QString OneDate = QStringLiteral("تاريخ");
// The post of the users who confirm as the guard.
inline const QString GuardPost = QStringLiteral("نگهبان");
inline const QString NotGuard = QStringLiteral("خطا! شما به عنوان نگهبان، مجوز تاييد اين درخواست را نداريد");
// A pending request of the same type is there already.
inline const QString KargoziniDuplicate = QStringLiteral("خطا! درخواست تاييد نشده اي از اين نوع براي شما ثبت شده است");
// The daily leave slip asks for the substitute.
inline const QString SubstituteCaption = QStringLiteral("Substitute");
inline const QString SubstitutePrompt = QStringLiteral("جانشين");
inline const QString TitleId = QStringLiteral("شناسه");
inline const QString TitleCartsaat = QStringLiteral("شماره کارت ساعت");
inline const QString TitleTyp = QStringLiteral("نوع درخواست");
inline const QString TitleRoz = QStringLiteral("تعداد روز");
inline const QString TitleDat1 = QStringLiteral("از تاريخ");
inline const QString TitleDat2 = QStringLiteral("تا تاريخ");
inline const QString TitleExit = QStringLiteral("ساعت خروج");
inline const QString TitleVorod = QStringLiteral("ساعت ورود");
inline const QString TitleCmt = QStringLiteral("شرح ماموريت");
inline const QString TitleErsal = QStringLiteral("تاريخ درخواست");
inline const QString TitleModirDat = QStringLiteral("تاييد مدير");
inline const QString TitleModirName = QStringLiteral("نام مدير");
inline const QString TitleNegahbaniDat = QStringLiteral("تاييد نگهباني");
inline const QString TitleNegahbaniName = QStringLiteral("نام نگهبان");
inline const QString TitleTaeedDat = QStringLiteral("تاييد کارگزيني");
inline const QString TitleTaeedName = QStringLiteral("نام کارگزيني");
inline const QString ExportTaeedDat = QStringLiteral("تاييد تووک");

// Captions of the hierarchy window, by the hierarchy it keeps.
inline const QString LeaveHierarchyCaption = QStringLiteral("سلسله مراتب سازماني کارگزيني");
inline const QString ServicesHierarchyCaption = QStringLiteral("سلسله مراتب سازماني تووک");

} // namespace PersonnelText

// Dependants, family list, insurance lists, electronic file and stored documents
namespace PersonnelText {
// Insurance flags and the family's own words
inline const QString InsuranceYes = QStringLiteral("باشد");
inline const QString InsuranceNo = QStringLiteral("نباشد");
inline const QString HeadRelation = QStringLiteral("سرپرست");
inline const QString HeadSelf = QStringLiteral("خودش");
inline const QString AdminOnly = QStringLiteral("اين بخش براي شما فعال نيست، لطفا از بخش افراد تحت تکفل اقدام نماييد");

// Switching insurance on and off
inline const QString FamilyOnQuestion = QStringLiteral(" خود شخص و افراد تحت تکفل اين فرد بيمه مي باشد ميشوند. آيا ادامه ميدهيد؟ ");
inline const QString FamilyOffQuestion = QStringLiteral(" خود شخص و افراد تحت تکفل اين فرد بيمه نمي باشد ميشوند. آيا ادامه ميدهيد؟ ");
inline const QString AllOnQuestion = QStringLiteral(" شما اين تعداد را براي بيمه تکميلي انتخاب نموده ايد.آيا ادامه ميدهيد؟ ");
inline const QString AllOffQuestion = QStringLiteral(" شما اين تعداد را براي عدم بيمه تکميلي انتخاب نموده ايد.آيا ادامه ميدهيد؟ ");

// Card-charge list
inline const QString ChargeAmountPrompt = QStringLiteral("مبلغ شارژ");

// Dependants window
inline const QString DependantsCaption = QStringLiteral("افراد تحت تکفل");
inline const QString FamilyCaption = QStringLiteral("خانواده");
inline const QString Supported = QStringLiteral("تحت تکفل");
inline const QString NotSupported = QStringLiteral("غير تحت تکفل");
inline const QString RelationList = QStringLiteral("نسبت");
inline const QString DependantDuplicate = QStringLiteral("خطا! فاميل و كد ملي تكراري است");
inline const QString DependantAddedLog = QStringLiteral("  ثبت فرد تحت تکفل ");
inline const QString DependantDeletedLog = QStringLiteral("  حذف فرد تحت تکفل ");

// Electronic file and stored documents
inline const QString PersonFileCaption = QStringLiteral("پرونده الکترونيک پرسنل");
inline const QString DocumentsCaption = QStringLiteral("مستندات و فرم هاي خام");
inline const QString PersonFileList = QStringLiteral("شرح پرونده الکترونيک");
inline const QString PersonFileTitleDescription = QStringLiteral("شرح مدرک");
inline const QString PictureFormatTitle = QStringLiteral("فرمت تصوير");
inline const QString DocumentsTitleDescription = QStringLiteral("شرح فرم يا مستند");
inline const QString SignatureImage = QStringLiteral("تصوير امضاء");
inline const QString LoanSignatureImage = QStringLiteral("تصوير امضاء وام");
inline const QString RebuildLoanSignatureImage = QStringLiteral("تصوير امضاء وام بازسازي");
inline const QString RebuildLoanBarcodeReport = QStringLiteral("فايل گزارش باركد وام بازسازي");
inline const QString SaveFailed = QStringLiteral("خطايي در ثبت رخ داده است!");
inline const QString PersonFileNoDescription = QStringLiteral("خطا! ابتدا شرح ضميمه را مشخص نماييد");
inline const QString JpegRequired = QStringLiteral("خطا! پسوند تصاوير نمونه امضا مي بايست با فرمت مقابل باشد JPEG ");
inline const QString RavRequired = QStringLiteral("خطا! پسوند فايل گزارش مي بايست با فرمت مقابل باشد .rav ");

// The names of the files written for the insurer (with today's date added):
// the list's workbook and the text file of its national codes, named as the
// menu names them.
inline const QString InsurerListFile = QStringLiteral("ويژه بيمه تکميلي");
inline const QString InsurerCodesFile = QStringLiteral("کد ملي ويژه بيمه تکميلي");

// Grid titles and export captions
// The insurer's list, by field.
inline const QList<QPair<QString, QString>> InsurerListTitles = {
    {QStringLiteral("personel_id"), QStringLiteral("شناسه خانواده")},
    {QStringLiteral("fname"), QStringLiteral("نام")},
    {QStringLiteral("lname"), QStringLiteral("نام خانوادگي")},
    {QStringLiteral("father"), QStringLiteral("نام پدر")},
    {QStringLiteral("nation"), QStringLiteral("کد ملي")},
    {QStringLiteral("mobile"), QStringLiteral("موبايل")},
    {QStringLiteral("loc"), QStringLiteral("محل خدمت")},
    {QStringLiteral("nesbat"), QStringLiteral("نسبت")},
    {QStringLiteral("gender"), QStringLiteral("جنسيت")},
    {QStringLiteral("mali_cod"), QStringLiteral("کد مالي")},
    {QStringLiteral("bime_no"), QStringLiteral("شماره بيمه")},
    {QStringLiteral("sodor"), QStringLiteral("محل صدور")},
    {QStringLiteral("birthday"), QStringLiteral("تاريخ تولد")},
    {QStringLiteral("sh_no"), QStringLiteral("شناسنامه")},
    {QStringLiteral("hamkari"), QStringLiteral("نحوه همکاري")},
    {QStringLiteral("company"), QStringLiteral("طرف قرارداد/شرکت")},
    {QStringLiteral("tak"), QStringLiteral("تحت تکفل")},
};
// The dependants grid of one person, in order.
inline const QList<QPair<QString, QString>> DependantsGrid = {
    {QStringLiteral("fname"), QStringLiteral("نام")},
    {QStringLiteral("lname"), QStringLiteral("نام خانوادگي")},
    {QStringLiteral("father"), QStringLiteral("نام پدر")},
    {QStringLiteral("nation"), QStringLiteral("كد ملي")},
    {QStringLiteral("nesbat"), QStringLiteral("نسبت")},
    {QStringLiteral("bime"), QStringLiteral("بيمه تکميلي")},
    {QStringLiteral("mobile"), QStringLiteral("موبايل")},
    {QStringLiteral("gender"), QStringLiteral("جنسيت")},
    {QStringLiteral("cmt"), QStringLiteral("توضيحات")},
    {QStringLiteral("sodor"), QStringLiteral("محل صدور")},
    {QStringLiteral("birthday"), QStringLiteral("تولد")},
    {QStringLiteral("sh_no"), QStringLiteral("شماره شناسنامه")},
    {QStringLiteral("bime_no"), QStringLiteral("شماره بيمه")},
    {QStringLiteral("taghir"), QStringLiteral("تاريخ تغيير")},
    {QStringLiteral("tak"), QStringLiteral("تحت تکفل")},
};
// The family list's grid, in order; the columns without a title of their own are headed by their names.
inline const QList<QPair<QString, QString>> FamilyGrid = {
    {QStringLiteral("lname_1"), QStringLiteral("نام خانوادگي فرد تحت تکفل")},
    {QStringLiteral("fname_1"), QStringLiteral("نام فرد تحت تکفل")},
    {QStringLiteral("father_1"), QStringLiteral("نام پدر فرد تحت تکفل")},
    {QStringLiteral("nation_1"), QStringLiteral("کد ملي فرد تحت تکفل")},
    {QStringLiteral("nesbat"), QStringLiteral("نسبت")},
    {QStringLiteral("tak"), QStringLiteral("تحت تکفل")},
    {QStringLiteral("bime_1"), QStringLiteral("بيمه فرد تحت تکفل")},
    {QStringLiteral("lname"), QStringLiteral("نام خانوادگي سرپرست")},
    {QStringLiteral("fname"), QStringLiteral("نام سرپرست")},
    {QStringLiteral("nation"), QStringLiteral("کد ملي سرپرست")},
    {QStringLiteral("father"), QStringLiteral("نام پدر سرپرست")},
    {QStringLiteral("gender"), QStringLiteral("جنسيت سرپرست")},
    {QStringLiteral("bime"), QStringLiteral("بيمه سرپرست")},
    {QStringLiteral("bime_no"), QStringLiteral("شماره بيمه")},
    {QStringLiteral("cmt"), QStringLiteral("cmt")},
    {QStringLiteral("mali_cod"), QStringLiteral("mali_cod")},
    {QStringLiteral("sodor"), QStringLiteral("sodor")},
    {QStringLiteral("loc"), QStringLiteral("loc")},
    {QStringLiteral("birthday"), QStringLiteral("birthday")},
    {QStringLiteral("sh_no"), QStringLiteral("sh_no")},
    {QStringLiteral("pec"), QStringLiteral("pec")},
    {QStringLiteral("mobile"), QStringLiteral("mobile")},
    {QStringLiteral("hesab_no"), QStringLiteral("hesab_no")},
    {QStringLiteral("meli_cart"), QStringLiteral("meli_cart")},
    {QStringLiteral("semat"), QStringLiteral("semat")},
    {QStringLiteral("phone"), QStringLiteral("phone")},
    {QStringLiteral("khodro"), QStringLiteral("khodro")},
    {QStringLiteral("pelak"), QStringLiteral("pelak")},
    {QStringLiteral("ostan"), QStringLiteral("ostan")},
    {QStringLiteral("hamkari"), QStringLiteral("hamkari")},
    {QStringLiteral("vahed"), QStringLiteral("vahed")},
    {QStringLiteral("company"), QStringLiteral("company")},
    {QStringLiteral("gender_1"), QStringLiteral("gender_1")},
    {QStringLiteral("cmt_1"), QStringLiteral("cmt_1")},
    {QStringLiteral("bime_no_1"), QStringLiteral("bime_no_1")},
    {QStringLiteral("sodor_1"), QStringLiteral("sodor_1")},
    {QStringLiteral("birthday_1"), QStringLiteral("birthday_1")},
    {QStringLiteral("sh_no_1"), QStringLiteral("sh_no_1")},
    {QStringLiteral("mobile_1"), QStringLiteral("mobile_1")},
};
// The family list's export, by field: the person's columns as the list's
// export heads them (but the clock card, headed by its name), then the dependant's.
inline const QList<QPair<QString, QString>> FamilyExportTitles = PersonExport.mid(0, PersonExport.size() - 1) + QList<QPair<QString, QString>>{
    {QStringLiteral("ezdevaj"), QStringLiteral("تاريخ ازدواج")},
    {QStringLiteral("estekhdam"), QStringLiteral("تاريخ استخدام")},
    {QStringLiteral("taghir"), QStringLiteral("تاريخ آخرين تغيير")},
    {QStringLiteral("status"), QStringLiteral("وضعيت")},
    {QStringLiteral("id_1"), QStringLiteral("شناسه تکفل")},
    {QStringLiteral("personel_id"), QStringLiteral("کد خانواده")},
    {QStringLiteral("lname_1"), QStringLiteral("نام خانوادگي تحت تکفل")},
    {QStringLiteral("fname_1"), QStringLiteral("نام تحت تکفل")},
    {QStringLiteral("father_1"), QStringLiteral("نام پدر تحت تکفل")},
    {QStringLiteral("gender_1"), QStringLiteral("جنسيت تحت تکفل")},
    {QStringLiteral("cmt_1"), QStringLiteral("توضيحات تحت تکفل")},
    {QStringLiteral("bime_no_1"), QStringLiteral("شماره بيمه تحت تکفل")},
    {QStringLiteral("nation_1"), QStringLiteral("کد ملي تحت تکفل")},
    {QStringLiteral("sodor_1"), QStringLiteral("محل صدور تحت تکفل")},
    {QStringLiteral("nesbat"), QStringLiteral("نسبت تحت تکفل")},
    {QStringLiteral("birthday_1"), QStringLiteral("تاريخ تولد تحت تکفل")},
    {QStringLiteral("sh_no_1"), QStringLiteral("شماره شناسنامه تحت تکفل")},
    {QStringLiteral("mobile_1"), QStringLiteral("موبايل تحت تکفل")},
    {QStringLiteral("bime_1"), QStringLiteral("بيمه باشد يا نه تحت تکفل")},
    {QStringLiteral("taghir_1"), QStringLiteral("تاريخ آخرين تغيير تحت تکفل")},
    {QStringLiteral("tak"), QStringLiteral("تحت تکفل هست يا خير")},
};
// The electronic file's grid.
inline const QList<QPair<QString, QString>> PersonFileGrid = {
    {QStringLiteral("Radif"), QStringLiteral("رديف")},
    {QStringLiteral("cmt"), QStringLiteral("شرح مدرک")},
    {QStringLiteral("pictyp"), QStringLiteral("فرمت تصوير")},
};
// The documents grid.
inline const QList<QPair<QString, QString>> DocumentsGrid = {
    {QStringLiteral("cmt"), QStringLiteral("شرح فرم يا مستند")},
    {QStringLiteral("pictype"), QStringLiteral("فرمت تصوير")},
};

} // namespace PersonnelText
