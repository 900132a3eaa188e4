#pragma once
// The texts of the occasion cards, exactly as the office knows them. The
// window's own captions are in forms/cart_sodor.ui and the sheets' in
// forms/reports/.

#include <QString>

namespace CardText {

// What the main menu presets in the card window.
inline const QString HeadingDefault = QStringLiteral("ورتاکس");
inline const QString TitleDefault = QStringLiteral("متن روي کارت");

// The sentence printed below the barcode, asked for before every preview.
inline const QString SentenceCaption = QStringLiteral("Jomle Zir");
inline const QString SentencePrompt = QStringLiteral("جمله زير بارکد");
inline const QString SentenceDefault = QStringLiteral("بدون مهر فاقد اعتبار است");

// A first serial or a number of cards that is no number, a series that does
// not fit the serial columns, or a database error while it is written.
inline const QString WrongValues = QStringLiteral("مقادير را به درستي وارد نماييد");

} // namespace CardText

// The font dialog of the card window's font buttons.
namespace CardText {
inline const QString FontDialogCaption = QStringLiteral("فونت");
inline const QString FontFamily = QStringLiteral("نام فونت");
inline const QString FontSize = QStringLiteral("اندازه");
inline const QString FontStyle = QStringLiteral("سبک");
inline const QString FontBold = QStringLiteral("پررنگ");
inline const QString FontItalic = QStringLiteral("کج");
inline const QString FontColor = QStringLiteral("رنگ");
inline const QString FontSampleTitle = QStringLiteral("نمونه");
inline const QString FontSample = QStringLiteral("نمونه متن کارت");
} // namespace CardText

// The file types the card's picture is loaded from. The left-to-right mark
// keeps the patterns in their own order in the file dialog's right-to-left list.
namespace CardText {
inline const QString PictureFilter = QStringLiteral("تصاوير \u200E(*.jpg *.jpeg *.bmp *.png *.gif)");
} // namespace CardText
