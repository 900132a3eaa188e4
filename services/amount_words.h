#pragma once
// An amount of rials in Persian words, as the payment forms print it:
// " يک هزار و  يک  ريال" for 1001. Every word keeps the space before and after
// it that the printed forms have always shown, so groups are joined by " و "
// and the text ends in " ريال". Pure functions, no state.

#include <QString>

namespace AmountWords {

// The largest amount that has words: 999 trillion and 999 (fifteen digits,
// the most any amount box accepts and every database stores).
inline constexpr qint64 MaxAmount = 999'999'999'999'999;

// The words of 0..19; empty for anything else.
QString Get1nd(qint64 n);
// The words of the tens 2..9 (twenty .. ninety); empty for anything else.
QString Get2nd(qint64 n);
// The words of the hundreds 1..9; empty for anything else.
QString Get3nd(qint64 n);
// The words of 0..999.
QString GetTree(qint64 x);
// The words of an amount followed by " ريال"; zero and negative amounts give
// " ريال" alone. Empty above MaxAmount.
QString GetNum(qint64 n);

} // namespace AmountWords
