#pragma once
// Typed text is normalised once, at input, to the form stored in the database.

#include <QString>

class QLineEdit;

namespace TextInput {
// Persian (U+06F0..) and Arabic-Indic (U+0660..) digits to ASCII digits.
QString asciiDigits(const QString& text);
// Arabic yeh and kaf to the forms the database stores, and digits to ASCII.
QString normalize(const QString& text);
// Makes a box accept digits only, typed or pasted (other digit sets become ASCII).
void digitsOnly(QLineEdit* box);
}
