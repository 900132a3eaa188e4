#include "national_code.h"

NationalCode check_national_code(const QString& code)
{
    if (code.isEmpty())
        return NationalCode::Empty;
    if (code.size() != 10)
        return NationalCode::WrongLength;
    int digits[10];
    for (int i = 0; i < 10; ++i) {
        const char16_t c = code.at(i).unicode();
        if (c < u'0' || c > u'9')
            return NationalCode::WrongCheckDigit;
        digits[i] = c - u'0';
    }
    int s = 0;
    for (int i = 0; i < 9; ++i)
        s += digits[i] * (10 - i);
    const int r = s % 11;
    const int check = r < 2 ? r : 11 - r;
    return digits[9] == check ? NationalCode::Valid : NationalCode::WrongCheckDigit;
}
