#include "shamsi_date.h"

#include <QRegularExpression>

ShamsiDate shamsi_today;

namespace {

// The official calendar by the break years of its 33-year cycles (valid for
// Persian years -61 to 3177): where each year starts, and whether it is leap.
const int kBreaks[] = {-61, 9, 38, 199, 426, 686, 756, 818, 1111, 1181, 1210,
                       1635, 2060, 2097, 2192, 2262, 2324, 2394, 2456, 3178};

int fdiv(int a, int b) { return int(a / b); } // truncating, as the cycle arithmetic expects
int fmod(int a, int b) { return a - fdiv(a, b) * b; }

struct YearInfo {
    bool valid = false;
    bool leap = false;
    int gregorianYear = 0; // the Gregorian year in which the Persian year starts
    int march = 0;         // the day of March on which it starts
};

YearInfo yearInfo(int jy)
{
    YearInfo r;
    const int count = int(sizeof kBreaks / sizeof kBreaks[0]);
    if (jy < kBreaks[0] || jy >= kBreaks[count - 1])
        return r;
    int leapJ = -14, jp = kBreaks[0], jump = 0;
    for (int i = 1; i < count; ++i) {
        const int jm = kBreaks[i];
        jump = jm - jp;
        if (jy < jm)
            break;
        leapJ += fdiv(jump, 33) * 8 + fdiv(fmod(jump, 33), 4);
        jp = jm;
    }
    int n = jy - jp;
    leapJ += fdiv(n, 33) * 8 + fdiv(fmod(n, 33) + 3, 4);
    if (fmod(jump, 33) == 4 && jump - n == 4)
        ++leapJ;
    const int gy = jy + 621;
    const int leapG = fdiv(gy, 4) - fdiv((fdiv(gy, 100) + 1) * 3, 4) - 150;
    r.gregorianYear = gy;
    r.march = 20 + leapJ - leapG;
    if (jump - n < 6)
        n = n - jump + fdiv(jump + 4, 33) * 33;
    int leap = fmod(fmod(n + 1, 33) - 1, 4);
    if (leap == -1)
        leap = 4;
    r.leap = leap == 0;
    r.valid = true;
    return r;
}

struct DateParts {
    int year = 0, month = 0, day = 0;
    bool valid() const { return year != 0; }
};

DateParts toShamsi(const QDate& date)
{
    DateParts p;
    if (!date.isValid())
        return p;
    int jy = date.year() - 621;
    YearInfo info = yearInfo(jy);
    if (!info.valid)
        return p;
    const qint64 nowruz = QDate(info.gregorianYear, 3, info.march).toJulianDay();
    int k = int(date.toJulianDay() - nowruz);
    if (k >= 0) {
        if (k <= 185) {
            p.year = jy;
            p.month = 1 + k / 31;
            p.day = k % 31 + 1;
            return p;
        }
        k -= 186;
    } else {
        jy -= 1;
        const YearInfo previous = yearInfo(jy);
        if (!previous.valid)
            return p;
        k += 179;
        if (previous.leap)
            k += 1;
    }
    p.year = jy;
    p.month = 7 + k / 30;
    p.day = k % 30 + 1;
    return p;
}

int monthLength(int year, int month)
{
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return yearInfo(year).leap ? 30 : 29;
}

QDate fromShamsi(int year, int month, int day)
{
    const YearInfo info = yearInfo(year);
    if (!info.valid || month < 1 || month > 12 || day < 1 || day > monthLength(year, month))
        return QDate();
    const qint64 nowruz = QDate(info.gregorianYear, 3, info.march).toJulianDay();
    const int offset = month <= 7 ? (month - 1) * 31 : 6 * 31 + (month - 7) * 30;
    return QDate::fromJulianDay(nowruz + offset + day - 1);
}

} // namespace

void ShamsiDate::Init() { Init(QDate::currentDate()); }

void ShamsiDate::Init(const QDate& date)
{
    MiladiYear = uint16_t(date.year());
    MiladiMonth = uint16_t(date.month());
    MiladiDay = uint16_t(date.day());
    Convert();
    // The shared instance always carries the most recent Init of any object.
    if (this != &shamsi_today)
        shamsi_today = *this;
}

void ShamsiDate::Convert()
{
    const DateParts p = toShamsi(QDate(MiladiYear, MiladiMonth, MiladiDay));
    if (!p.valid()) {
        ShamsiYear = ShamsiMonth = ShamsiDay = 0;
        return;
    }
    ShamsiYear = uint16_t(p.year);
    ShamsiMonth = uint16_t(p.month);
    ShamsiDay = uint16_t(p.day);
}

bool ShamsiDate::IsShamsiLeap() const { return yearInfo(ShamsiYear).leap; }

bool ShamsiDate::IsMiladiLeap() const { return QDate::isLeapYear(MiladiYear); }

int ShamsiDate::MiladiDayOfYear() const
{
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int day = MiladiDay;
    for (int m = 1; m < MiladiMonth && m <= 12; ++m)
        day += (m == 2 && IsMiladiLeap()) ? 29 : lengths[m - 1];
    return day;
}

QString ShamsiDate::ToText() const { return Shamsi::format(ShamsiYear, ShamsiMonth, ShamsiDay); }

QString miladi_to_shamsi(uint16_t& y, uint16_t& m, uint16_t& d)
{
    const DateParts p = toShamsi(QDate(y, m, d));
    if (!p.valid()) {
        y = m = d = 0;
        return QString();
    }
    y = uint16_t(p.year);
    m = uint16_t(p.month);
    d = uint16_t(p.day);
    return Shamsi::format(y, m, d);
}

namespace Shamsi {

QString format(int year, int month, int day)
{
    return QStringLiteral("%1/%2/%3")
        .arg(year)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QString fromDate(const QDate& date)
{
    const DateParts p = toShamsi(date);
    return p.valid() ? format(p.year, p.month, p.day) : QString();
}

QDate toDate(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2})$"));
    const auto match = re.match(text);
    if (!match.hasMatch())
        return QDate();
    return fromShamsi(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

bool isValid(const QString& text) { return toDate(text).isValid(); }

QString today()
{
    shamsi_today.Init();
    return shamsi_today.ToText();
}

} // namespace Shamsi
