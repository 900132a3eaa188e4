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
