#pragma once
// The Persian texts of the request and approval pattern, shared by every
// request feature.

#include <QString>

namespace RequestText {
// After a request was written.
inline const QString Saved = QStringLiteral("ثبت شد");
// After an approval that stamps the date again.
inline const QString Edited = QStringLiteral("ويرايش شد");
inline const QString Deleted = QStringLiteral("حذف شد");
// An approved request only goes with the administrator and the delete password.
inline const QString ApprovedNoDelete = QStringLiteral("خطا! بدليل داشتن تاريخ تاييد امکان حذف نيست");
// An administrator deleting a pending request.
inline const QString AdminDeleteQuestion = QStringLiteral("اين حالت بهتر است توسط خود فرستنده حذف گردد، آيا اطمينان داريد؟");
// The signatories printed under the letters: the first item of their settings lists.
inline const QString SignatoryExpert = QStringLiteral("کارشناس تووک و ورزش");
inline const QString SignatoryAdministration = QStringLiteral("رئيس امور اداري");
inline const QString SignatoryFinance = QStringLiteral("رئيس امور مالي");
inline const QString SignatorySupport = QStringLiteral("معاون پشتيباني");

// Titles of the columns every request list shows: the owner and the dates.
inline const QString TitleFname = QStringLiteral("نام");
inline const QString TitleLname = QStringLiteral("نام خانوادگي");
inline const QString TitleLoc = QStringLiteral("محل خدمت");
inline const QString TitleErsalDat = QStringLiteral("تاريخ درخواست");
inline const QString TitleTaeedDat = QStringLiteral("تاريخ تاييد");
inline const QString TitleId = QStringLiteral("شناسه");

// A request needs its owner: the manager's window before a person is picked,
// and a login without a person record, write nothing.
inline const QString PickPerson = QStringLiteral("خطا! ابتدا نام و کد ملي شخص را انتخاب نماييد");
inline const QString NoPersonRecord = QStringLiteral("خطا! براي کاربر شما مشخصات پرسنلي ثبت نشده است");
// A manager who does not approve the requester in the hierarchy.
inline const QString NotManager = QStringLiteral("خطا! شما به عنوان مدير، مجوز تاييد اين درخواست را نداريد");
} // namespace RequestText
