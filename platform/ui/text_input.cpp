#include "text_input.h"

#include <QLineEdit>

namespace TextInput {

QString asciiDigits(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 0x06F0 && u <= 0x06F9)
            c = QChar(u'0' + (u - 0x06F0));
        else if (u >= 0x0660 && u <= 0x0669)
            c = QChar(u'0' + (u - 0x0660));
    }
    return out;
}

QString normalize(const QString& text)
{
    // Stored texts carry the Arabic yeh (U+064A), the one the office's data has
    // always used; the Persian keyboard types U+06CC, and the final-form yeh
    // U+0649 comes from older keyboards. Both become the stored yeh.
    QString out = asciiDigits(text);
    for (QChar& c : out)
        if (c.unicode() == 0x06CC || c.unicode() == 0x0649)
            c = QChar(char16_t(0x064A));
    return out;
}

void digitsOnly(QLineEdit* box)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
        QString digits;
        for (QChar c : asciiDigits(text))
            if (c.isDigit() && c.unicode() < 128)
                digits.append(c);
        if (digits != text) {
            const int pos = box->cursorPosition() - int(text.size() - digits.size());
            box->setText(digits);
            box->setCursorPosition(qMax(0, pos));
        }
    });
}

} // namespace TextInput
