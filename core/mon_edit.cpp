#include "mon_edit.h"

#include "core/texts.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QLocale>

TMonEdit::TMonEdit(QWidget* parent) : QLineEdit(parent)
{
    resize(100, 50);
    connect(this, &QLineEdit::textChanged, this, &TMonEdit::TextChanged);
}

namespace {

// The ASCII digits of a text, Persian and Arabic-Indic digits included.
QString asciiDigits(const QString& text)
{
    QString digits;
    const QString normal = TextInput::asciiDigits(text);
    for (QChar c : normal)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    return digits;
}

// Whether the digits (leading zeros allowed) make more than the box takes.
bool tooLarge(const QString& digits)
{
    qsizetype i = 0;
    while (i < digits.size() && digits.at(i) == QLatin1Char('0'))
        ++i;
    const QString significant = digits.mid(i);
    const QString max = QString::number(TMonEdit::MaxValue);
    return significant.size() > max.size() || (significant.size() == max.size() && significant > max);
}

} // namespace

QString TMonEdit::FormatMoney(const QString& text)
{
    if (text == OldText)
        return text;
    if (text.isEmpty())
        return QString();
    QString result = asciiDigits(text);
    const int length = int(result.size());
    int commas = length / 3;
    if (length > 0 && length % 3 == 0)
        --commas;
    int p = length - 3 * commas; // 0-based position before which the first comma goes
    for (int i = 0; i < commas; ++i) {
        result.insert(p, QLatin1Char(','));
        p += 4;
    }
    OldText = result;
    return result;
}

QString TMonEdit::Grouped(int64_t value)
{
    return QLocale(QLocale::English).toString(qlonglong(value));
}

QString TMonEdit::DigitsOnly(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("0");
    return asciiDigits(text);
}

void TMonEdit::TextChanged(const QString& text)
{
    if (tooLarge(asciiDigits(text))) {
        // Refused: the box goes back to the amount it showed before.
        const QString previous = OldText;
        blockSignals(true);
        setText(previous);
        blockSignals(false);
        setCursorPosition(int(previous.size()));
        Msg::info(CoreText::MoneyTooLong);
        return;
    }
    const QString formatted = FormatMoney(text);
    if (formatted != text)
        setText(formatted);
    setCursorPosition(int(this->text().size()));
}

int64_t TMonEdit::GetValue() const
{
    const QString digits = DigitsOnly(text());
    if (digits.isEmpty())
        return 0;
    return digits.toLongLong();
}

void TMonEdit::setValue(int64_t value)
{
    // Grouped here, not by the change signal: a window filling its boxes
    // blocks their signals, and the box must still show the amount grouped
    // and remember it as the amount to go back to.
    const QString grouped = Grouped(value);
    OldText = grouped;
    setText(grouped);
    setCursorPosition(int(grouped.size()));
}

void TMonEdit::setAmountText(const QString& text)
{
    if (asciiDigits(text).isEmpty()) {
        OldText.clear();
        clear();
        return;
    }
    setValue(DigitsOnly(text).toLongLong());
}
