#pragma once
// The national code: ten digits, the last a check digit over the first nine.

#include <QString>

enum class NationalCode {
    Empty,          // nothing typed: allowed
    WrongLength,    // not ten characters
    WrongCheckDigit,
    Valid,
};

// s = d1*10 + d2*9 + ... + d9*2, r = s mod 11; the check digit is r when r < 2,
// else 11 - r. Ten characters that are not all digits have no right check digit.
NationalCode check_national_code(const QString& code);
