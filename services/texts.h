#pragma once
// The Persian texts of the staff services, exactly as the office knows them.
// Every message of the services goes through Msg with one of these constants.

#include <QString>

namespace ServiceText {

// Guesthouse registry: titles of the suite list, the day statuses and the photographs
inline const QString SuiteOstan = QStringLiteral("استان");
inline const QString SuiteShahrestan = QStringLiteral("شهرستان");
inline const QString SuiteNam = QStringLiteral("نام خوابگاه");
inline const QString SuiteMasol = QStringLiteral("نام مسئول");
inline const QString SuiteNo = QStringLiteral("شماره سوئيت");
inline const QString SuiteOtagh = QStringLiteral("تعداد اتاق");
inline const QString SuiteEmkanat = QStringLiteral("امکانات");
inline const QString SuiteCmt = QStringLiteral("توضيحات");
inline const QString SuiteAdr = QStringLiteral("آدرس");
inline const QString SuiteTel = QStringLiteral("تلفن");
inline const QString SuiteTabaghe = QStringLiteral("طبقه");
inline const QString SuiteHazine = QStringLiteral("هزينه اقامت هر شب");
inline const QString SuiteHesab = QStringLiteral("شماره کارت/حساب");
inline const QString StatusDat = QStringLiteral("تاريخ");
inline const QString StatusStatus = QStringLiteral("وضعيت");
inline const QString StatusCmt = QStringLiteral("توضيحات");
inline const QString PhotoCmt = QStringLiteral("شرح تصوير");
inline const QString PhotoExt = QStringLiteral("فرمت تصوير");

// Guesthouse registry: values and messages
inline const QString StatusFree = QStringLiteral("فعال");
inline const QString SuiteDuplicate = QStringLiteral("خطا! شماره سوئيت در اين استان و شهرستان تکراري است");
inline const QString StatusDuplicate = QStringLiteral("خطا! در اين تاريخ براي اين خوابگاه قبلا تعيين وضعيت شده است");
inline const QString PhotoNoDescription = QStringLiteral("خطا! ابتدا شرح تصوير را مشخص نماييد");
inline const QString PhotoNotStored = QStringLiteral("خطايي در ثبت رخ داده است!");

// Persons attached to a request (travellers, guests, companions)
inline const QString CompanionFName = QStringLiteral("نام");
inline const QString CompanionLName = QStringLiteral("نام خانوادگي");
inline const QString CompanionSen = QStringLiteral("سن");
inline const QString CompanionNesbat = QStringLiteral("نسبت");
inline const QString RelationList = QStringLiteral("نسبت");
inline const QString PersonDuplicate = QStringLiteral("خطا! فاميل و نام تکراريست است");

// A pending loan of the same type.
inline const QString VamDuplicate = QStringLiteral("خطا! نوع وام و تاريخ ارسال تكراري است");
// The settings lists of the loan boxes.
inline const QString VamTypeList = QStringLiteral("انواع وام");
inline const QString VamStageList = QStringLiteral("مراحل وام");
inline const QString VamStatusList = QStringLiteral("وضعيت وام");
inline const QString VamBankList = QStringLiteral("بانک");
// Titles of the loan list.
inline const QString VamTitleTyp = QStringLiteral("نوع وام");
inline const QString VamTitleMablagh = QStringLiteral("مبلغ وام");
inline const QString VamTitleAghsat = QStringLiteral("تعداد اقساط");
inline const QString VamTitleMarhale = QStringLiteral("مرحله");
inline const QString VamTitleStatus = QStringLiteral("وضعيت");
inline const QString VamTitleBank = QStringLiteral("بانک");
inline const QString TitleCmt = QStringLiteral("توضيحات");
// Titles of the loan export that differ from the list's.
inline const QString VamExportMablagh = QStringLiteral("مبلغ");
inline const QString VamExportAghsat = QStringLiteral("اقساط");
// The relief-loan form: the places left for hand filling.
inline const QString HandFilled = QStringLiteral(".........");
// The relief-loan form prints the organisation's province and its document
// code in its header.
inline const QString ReliefProvince = QStringLiteral("تهران");
inline const QString ReliefDocumentCode = QStringLiteral("FR-TV-01");
// Guesthouse stays: list titles, export titles, messages
inline const QString StayTitle_loc = QStringLiteral("محل خدمت");
inline const QString StayTitle_semat = QStringLiteral("سمت");
inline const QString StayTitle_fname = QStringLiteral("نام");
inline const QString StayTitle_lname = QStringLiteral("نام خانوادگي");
inline const QString StayTitle_ostan = QStringLiteral("استان مقصد");
inline const QString StayTitle_city = QStringLiteral("شهر");
inline const QString StayTitle_dat1 = QStringLiteral("تاريخ ورود");
inline const QString StayTitle_dat2 = QStringLiteral("تاريخ خروج");
inline const QString StayTitle_roz = QStringLiteral("روز");
inline const QString StayTitle_shab = QStringLiteral("شب");
inline const QString StayTitle_ersal_dat = QStringLiteral("تاريخ ارسال");
inline const QString StayTitle_taeed_dat = QStringLiteral("تاريخ تاييد تووک مبدا");
inline const QString StayTitle_taeed2_dat = QStringLiteral("تاريخ تاييد مقصد");
inline const QString StayTitle_cmt = QStringLiteral("ساير توضيحات");
inline const QString StayExport_id = QStringLiteral("شناسه");
inline const QString StayExport_fname = QStringLiteral("نام");
inline const QString StayExport_lname = QStringLiteral("نام خانوادگي");
inline const QString StayExport_loc = QStringLiteral("محل خدمت");
inline const QString StayExport_semat = QStringLiteral("سمت");
inline const QString StayExport_ostan = QStringLiteral("استان مقصد");
inline const QString StayExport_city = QStringLiteral("شهرستان");
inline const QString StayExport_dat1 = QStringLiteral("تاريخ ورود");
inline const QString StayExport_dat2 = QStringLiteral("تاريخ خروج");
inline const QString StayExport_roz = QStringLiteral("روز");
inline const QString StayExport_shab = QStringLiteral("شب");
inline const QString StayExport_ersal_dat = QStringLiteral("تاريخ درخواست");
inline const QString StayExport_taeed_dat = QStringLiteral("تاريخ تاييد");
// The post of a retired requester, for the forms that ask.
inline const QString Retired = QStringLiteral("بازنشسته");
inline const QString StayDuplicate = QStringLiteral("خطا! فاميل و كد ملي تكراري است");
// The remark a new stay starts with: who enters it.
inline const QString StayEnteredBy = QStringLiteral(" ثبت کننده: ");

} // namespace ServiceText
