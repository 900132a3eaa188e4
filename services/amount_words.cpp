#include "amount_words.h"

#include <array>

namespace {

// Each word carries one space before and one after; the words of 4, 14, 40
// and 400 end in a zero-width non-joiner before their closing space.
const std::array<QString, 20> Ones = {
    QStringLiteral(" صفر "),
    QStringLiteral(" يک "),
    QStringLiteral(" دو "),
    QStringLiteral(" سه "),
    QStringLiteral(" چهار\u200c "),
    QStringLiteral(" پنج "),
    QStringLiteral(" شش "),
    QStringLiteral(" هفت "),
    QStringLiteral(" هشت "),
    QStringLiteral(" نه "),
    QStringLiteral(" ده "),
    QStringLiteral(" يازده "),
    QStringLiteral(" دوازده "),
    QStringLiteral(" سيزده "),
    QStringLiteral(" چهارده\u200c "),
    QStringLiteral(" پانزده "),
    QStringLiteral(" شانزده "),
    QStringLiteral(" هفده "),
    QStringLiteral(" هجده "),
    QStringLiteral(" نوزده "),
};
const std::array<QString, 8> Tens = { // 20, 30, ... 90
    QStringLiteral(" بيست "),
    QStringLiteral(" سي "),
    QStringLiteral(" چهل\u200c "),
    QStringLiteral(" پنجاه "),
    QStringLiteral(" شصت "),
    QStringLiteral(" هفتاد "),
    QStringLiteral(" هشتاد "),
    QStringLiteral(" نود "),
};
const std::array<QString, 9> Hundreds = { // 100, 200, ... 900
    QStringLiteral(" صد "),
    QStringLiteral(" دويست "),
    QStringLiteral(" سيصد "),
    QStringLiteral(" چهارصد\u200c "),
    QStringLiteral(" پانصد "),
    QStringLiteral(" ششصد "),
    QStringLiteral(" هفتصد "),
    QStringLiteral(" هشتصد "),
    QStringLiteral(" نهصد "),
};
// The word of each group of three digits, from the right; none for the units.
const std::array<QString, 5> Groups = {
    QString(),
    QStringLiteral("هزار"),
    QStringLiteral("ميليون"),
    QStringLiteral("ميليارد"),
    QStringLiteral("تريليون"),
};
const QString And = QStringLiteral("و");         // between the words of a group, without spaces
const QString GroupAnd = QStringLiteral(" و ");  // between groups
const QString Rial = QStringLiteral("ريال");

} // namespace

namespace AmountWords {

QString Get1nd(qint64 n)
{
    return n >= 0 && n < qint64(Ones.size()) ? Ones[size_t(n)] : QString();
}

QString Get2nd(qint64 n)
{
    return n >= 2 && n <= 9 ? Tens[size_t(n - 2)] : QString();
}

QString Get3nd(qint64 n)
{
    return n >= 1 && n <= 9 ? Hundreds[size_t(n - 1)] : QString();
}

QString GetTree(qint64 x)
{
    QString s;
    const qint64 r = x % 100;
    if (r >= 20) {
        if (x % 10 > 0)
            s = Get1nd(x % 10);
        const QString tens = Get2nd(r / 10);
        s = s.isEmpty() ? tens : tens + And + s;
    } else if (r > 0) {
        s = Get1nd(r);
    }
    const qint64 h = x / 100;
    if (h > 0)
        s = s.isEmpty() ? Get3nd(h) : Get3nd(h) + And + s;
    if (x == 0)
        s = Ones[0];
    return s;
}

QString GetNum(qint64 n)
{
    if (n > MaxAmount)
        return QString();
    QString s;
    size_t g = 0;
    do {
        const qint64 part = n % 1000;
        n /= 1000;
        if (part > 0) {
            if (!s.isEmpty())
                s = GroupAnd + s;
            s = GetTree(part) + Groups[g] + s;
        }
        ++g;
    } while (n != 0);
    return s + QStringLiteral(" ") + Rial;
}

} // namespace AmountWords
