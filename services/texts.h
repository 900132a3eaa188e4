#pragma once
// The Persian texts of the staff services, exactly as the office knows them.
// Every message of the services goes through Msg with one of these constants.

#include "core/list_behaviours.h"
#include "services/request/texts.h"

#include <QList>
#include <QPair>
#include <QString>

namespace ServiceText {

// Column titles of a list or an export, by column name.
using CaptionTable = QList<QPair<QString, QString>>;
// A list's titles serve its grid and its export: the export heads the
// columns it names with the titles of the grid's table (and the id's).
inline const CaptionTable IdTitle = {{QStringLiteral("id"), RequestText::TitleId}};


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
// A new suite saved, as every entry window says it.
inline const QString SuiteSaved = RequestText::Saved;
inline const QString SuiteDuplicate = QStringLiteral("خطا! شماره سوئيت در اين استان و شهرستان تکراري است");
inline const QString StatusDuplicate = QStringLiteral("خطا! در اين تاريخ براي اين خوابگاه قبلا تعيين وضعيت شده است");
inline const QString PhotoNoDescription = QStringLiteral("خطا! ابتدا شرح تصوير را مشخص نماييد");
inline const QString PhotoNotStored = QStringLiteral("خطايي در ثبت رخ داده است!");

// Persons attached to a request (travellers, guests, companions)
inline const QString CompanionFName = RequestText::TitleFname;
inline const QString CompanionLName = RequestText::TitleLname;
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
// The relief-loan form prints in its header the requester's province (its
// provincial office's form) and the document code that province keeps in this
// list of the provincial settings; the dots for hand filling when it keeps none.
inline const QString ReliefDocumentCodeList = QStringLiteral("کد سند فرم کارگشايي");
// Why the stay's approval window shows neither approval box.
inline const QString StayNoApprovalWithoutPerson =
    QStringLiteral("تاييد مبدا و مقصد با استان پرونده پرسنلي کاربر است و براي اين کاربر پرونده پرسنلي ثبت نشده است");
inline const QString StayNoApprovalOtherProvince =
    QStringLiteral("تاييد اين درخواست با استان متقاضي (مبدا) يا استان مقصد است، نه استان شما");
// Guesthouse stays: list titles, export titles, messages
inline const QString StayTitle_loc = RequestText::TitleLoc;
inline const QString StayTitle_semat = QStringLiteral("سمت");
inline const QString StayTitle_fname = RequestText::TitleFname;
inline const QString StayTitle_lname = RequestText::TitleLname;
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
inline const QString StayExport_id = RequestText::TitleId;
inline const QString StayExport_fname = RequestText::TitleFname;
inline const QString StayExport_lname = RequestText::TitleLname;
inline const QString StayExport_loc = RequestText::TitleLoc;
inline const QString StayExport_semat = QStringLiteral("سمت");
inline const QString StayExport_ostan = QStringLiteral("استان مقصد");
inline const QString StayExport_city = QStringLiteral("شهرستان");
inline const QString StayExport_dat1 = QStringLiteral("تاريخ ورود");
inline const QString StayExport_dat2 = QStringLiteral("تاريخ خروج");
inline const QString StayExport_roz = QStringLiteral("روز");
inline const QString StayExport_shab = QStringLiteral("شب");
inline const QString StayExport_ersal_dat = RequestText::TitleErsalDat;
inline const QString StayExport_taeed_dat = RequestText::TitleTaeedDat;
// The post of a retired requester, for the forms that ask.
inline const QString Retired = QStringLiteral("بازنشسته");
inline const QString StayDuplicate = QStringLiteral("خطا! فاميل و كد ملي تكراري است");
// The remark a new stay starts with: who enters it.
inline const QString StayEnteredBy = QStringLiteral(" ثبت کننده: ");


// Guarantees
// A pending guarantee at the same bank and branch for the same person.
inline const QString ZemanatDuplicate = QStringLiteral("خطا! نام بانک،شعبه و توضيحات تکراري است");
// The guarantees list and its export.
inline const CaptionTable ZemanatGrid = {
    {QStringLiteral("fname"), RequestText::TitleFname},
    {QStringLiteral("lname"), RequestText::TitleLname},
    {QStringLiteral("loc"), RequestText::TitleLoc},
    {QStringLiteral("bank"), QStringLiteral("بانک")},
    {QStringLiteral("shobe"), QStringLiteral("شعبه")},
    {QStringLiteral("cmt"), QStringLiteral("به منظور")},
    {QStringLiteral("aghsat"), QStringLiteral("اقساط")},
    {QStringLiteral("mablagh"), QStringLiteral("مبلغ")},
    {QStringLiteral("ersal_dat"), RequestText::TitleErsalDat},
    {QStringLiteral("taeed_dat"), RequestText::TitleTaeedDat},
};
inline const CaptionTable ZemanatExport = captions_of(IdTitle + ZemanatGrid,
    {QStringLiteral("id"), QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("loc"),
     QStringLiteral("bank"), QStringLiteral("cmt"), QStringLiteral("ersal_dat"), QStringLiteral("taeed_dat")});

// Approvals
// A pending request on the same subject.
inline const QString TaeidatDuplicate = QStringLiteral("خطا! درخواست تاييد با اين موضوع قبلا ثبت شده و هنوز تاييد نشده است");
// The settings list of the subjects.
inline const QString TaeidatList = QStringLiteral("تاييدات");
// The approvals list and its export.
inline const CaptionTable TaeidatGrid = {
    {QStringLiteral("fname"), RequestText::TitleFname},
    {QStringLiteral("lname"), RequestText::TitleLname},
    {QStringLiteral("loc"), RequestText::TitleLoc},
    {QStringLiteral("mozo"), QStringLiteral("موضوع تاييد")},
    {QStringLiteral("cmt"), QStringLiteral("مقدار")},
    {QStringLiteral("ersal_dat"), RequestText::TitleErsalDat},
    {QStringLiteral("taeed_dat"), RequestText::TitleTaeedDat},
};
inline const CaptionTable TaeidatExport = IdTitle + TaeidatGrid;

// Expenditures
// A pending claim with the same origin and destination.
inline const QString HazineDuplicate = QStringLiteral("خطا! درخواست هزينه با اين مبدا و مقصد قبلا ثبت شده و هنوز تاييد نشده است");
// The settings list of the kinds of expense.
inline const QString HazineTypeList = QStringLiteral("انواع هزينه");
// The expenditures list and its export.
inline const CaptionTable HazineGrid = {
    {QStringLiteral("fname"), RequestText::TitleFname},
    {QStringLiteral("lname"), RequestText::TitleLname},
    {QStringLiteral("loc"), RequestText::TitleLoc},
    {QStringLiteral("mabda"), QStringLiteral("مبداء")},
    {QStringLiteral("maghsad"), QStringLiteral("مقصد")},
    {QStringLiteral("typ"), QStringLiteral("نوع هزينه")},
    {QStringLiteral("mablagh"), QStringLiteral("مبلغ هزينه")},
    {QStringLiteral("dat1"), QStringLiteral("تاريخ رفت")},
    {QStringLiteral("dat2"), QStringLiteral("تاريخ برگشت")},
    {QStringLiteral("saat1"), QStringLiteral("ساعت رفت")},
    {QStringLiteral("saat2"), QStringLiteral("ساعت برگشت")},
    {QStringLiteral("masir"), QStringLiteral("مسير سرويس")},
    {QStringLiteral("cmt"), QStringLiteral("توضيحات")},
    {QStringLiteral("ersal_dat"), RequestText::TitleErsalDat},
    {QStringLiteral("taeed_dat"), RequestText::TitleTaeedDat},
};
inline const CaptionTable HazineExport = captions_of(IdTitle + HazineGrid,
    {QStringLiteral("id"), QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("loc"),
     QStringLiteral("typ"), QStringLiteral("ersal_dat"), QStringLiteral("taeed_dat")});

// Tickets
// A pending request for the same kind of ticket.
inline const QString TicketDuplicate = QStringLiteral("خطا! درخواست بليط از اين نوع قبلا ثبت شده و هنوز تاييد نشده است");
// The settings list of the kinds of ticket.
inline const QString TicketTypeList = QStringLiteral("انواع بليط");
// The tickets list and its export.
inline const CaptionTable TicketGrid = {
    {QStringLiteral("fname"), RequestText::TitleFname},
    {QStringLiteral("lname"), RequestText::TitleLname},
    {QStringLiteral("loc"), RequestText::TitleLoc},
    {QStringLiteral("mabda"), QStringLiteral("مبداء")},
    {QStringLiteral("maghsad"), QStringLiteral("مقصد")},
    {QStringLiteral("dat1"), QStringLiteral("تاريخ رفت")},
    {QStringLiteral("dat2"), QStringLiteral("تاريخ برگشت")},
    {QStringLiteral("saat1"), QStringLiteral("ساعت رفت")},
    {QStringLiteral("saat2"), QStringLiteral("ساعت برگشت")},
    {QStringLiteral("typ"), QStringLiteral("نوع بليط")},
    {QStringLiteral("cnt"), QStringLiteral("تعداد")},
    {QStringLiteral("ersal_dat"), RequestText::TitleErsalDat},
    {QStringLiteral("taeed_dat"), RequestText::TitleTaeedDat},
};
inline const CaptionTable TicketExport = captions_of(IdTitle + TicketGrid,
    {QStringLiteral("id"), QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("loc"),
     QStringLiteral("typ"), QStringLiteral("ersal_dat"), QStringLiteral("taeed_dat")});
// The travellers of a ticket.
inline const CaptionTable TravellerGrid = {
    {QStringLiteral("fname"), RequestText::TitleFname},
    {QStringLiteral("lname"), RequestText::TitleLname},
    {QStringLiteral("birthday"), QStringLiteral("تاريخ تولد")},
    {QStringLiteral("nation"), QStringLiteral("کد ملي")},
};

// Hospitality
// A pending order of the same kind.
inline const QString PaziraeiDuplicate = QStringLiteral("خطا! نوع سفارش و تاريخ ارسال تكراري است");
// The settings lists of the kinds of order and of the guests' food, drink and extras.
inline const QString PaziraeiTypeList = QStringLiteral("انواع سفارش پذيرايي");
inline const QString GuestFoodList = QStringLiteral("انواع غذا");
inline const QString GuestDrinkList = QStringLiteral("انواع نوشيدني");
inline const QString GuestExtrasList = QStringLiteral("انواع مخلفات");
// The orders list, its export, and the export of the orders with their
// guests; the exports head the count of the order's people their own way.
inline const CaptionTable PaziraeiExportCount = {{QStringLiteral("cnt"), QStringLiteral("تعداد سفارش/نفرات")}};
inline const CaptionTable PaziraeiGrid = {
    {QStringLiteral("fname"), RequestText::TitleFname},
    {QStringLiteral("lname"), RequestText::TitleLname},
    {QStringLiteral("loc_1"), RequestText::TitleLoc},
    {QStringLiteral("typ"), QStringLiteral("نوع سفارش")},
    {QStringLiteral("onvan"), QStringLiteral("عنوان جلسه")},
    {QStringLiteral("loc"), QStringLiteral("محل جلسه")},
    {QStringLiteral("dat"), QStringLiteral("تاريخ جلسه")},
    {QStringLiteral("cnt"), QStringLiteral("تعداد")},
    {QStringLiteral("ersal_dat"), RequestText::TitleErsalDat},
    {QStringLiteral("modir_dat"), QStringLiteral("تاييد مدير")},
    {QStringLiteral("modir_name"), QStringLiteral("نام مدير")},
    {QStringLiteral("taeed_dat"), QStringLiteral("تاييد تووک")},
    {QStringLiteral("taeed_name"), QStringLiteral("نام تووک")},
};
inline const CaptionTable PaziraeiExport = captions_of(IdTitle + PaziraeiExportCount + PaziraeiGrid,
    {QStringLiteral("id"), QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("loc"),
     QStringLiteral("loc_1"), QStringLiteral("typ"), QStringLiteral("onvan"), QStringLiteral("ersal_dat"),
     QStringLiteral("taeed_dat"), QStringLiteral("modir_dat"), QStringLiteral("dat"), QStringLiteral("modir_name"),
     QStringLiteral("cnt")});
// The guests of an order.
inline const CaptionTable GuestGrid = {
    {QStringLiteral("fname"), RequestText::TitleFname},
    {QStringLiteral("lname"), RequestText::TitleLname},
    {QStringLiteral("ghaza"), QStringLiteral("غذا")},
    {QStringLiteral("noshidani"), QStringLiteral("نوشيدني")},
    {QStringLiteral("other"), QStringLiteral("مخلفات")},
};
inline const CaptionTable PaziraeiGuestsExport =
    captions_of(IdTitle + CaptionTable{{QStringLiteral("taeed_dat"), QStringLiteral("تووک تاييد")}} +
                    PaziraeiExportCount + PaziraeiGrid + GuestGrid,
    {QStringLiteral("id"), QStringLiteral("fname"), QStringLiteral("lname"), QStringLiteral("loc"),
     QStringLiteral("typ"), QStringLiteral("onvan"), QStringLiteral("ersal_dat"), QStringLiteral("taeed_dat"),
     QStringLiteral("modir_dat"), QStringLiteral("dat"), QStringLiteral("cnt"), QStringLiteral("modir_name"),
     QStringLiteral("ghaza"), QStringLiteral("noshidani"), QStringLiteral("other")});
} // namespace ServiceText
