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

} // namespace ServiceText
