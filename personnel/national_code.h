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

class QLineEdit;

// The check as the entry windows make it when the national-code box is left:
// a wrong length is said and the focus goes back to the box; a wrong check
// digit is said. It only warns: the saves do not test the code again.
void warn_national_code(QLineEdit* box);
// Makes the check run whenever the box is left (not when the window is).
void warn_national_code_on_exit(QLineEdit* box);
