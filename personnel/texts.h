#pragma once
// The Persian texts of the personnel subsystem, exactly as the office knows them.
// Every message of personnel goes through Msg with one of these constants.

#include <QString>

namespace PersonnelText {

// Approval hierarchy
inline const QString TitleLname = QStringLiteral("نام خانوادگي");
inline const QString TitleFname = QStringLiteral("نام");
inline const QString TitleNation = QStringLiteral("کد ملي");
inline const QString TitleLoc = QStringLiteral("محل خدمت");
inline const QString Duplicate = QStringLiteral("تکراريست");
inline const QString Saved = QStringLiteral("ثبت شد");
// A pair is never written with an empty side.
inline const QString ChooseApprover = QStringLiteral("خطا! تاييد کننده را انتخاب نماييد");
inline const QString ChooseRequester = QStringLiteral("خطا! درخواست کننده را انتخاب نماييد");

} // namespace PersonnelText
