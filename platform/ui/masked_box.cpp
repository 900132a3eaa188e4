#include "masked_box.h"

#include "platform/ui/text_input.h"

#include <QKeyEvent>

namespace {

// The digit places of a mask ("9999/99/99") become blanks, its separators stay.
QString blank_of(const QString& mask)
{
    QString blank = mask;
    for (QChar& c : blank)
        if (c == QLatin1Char('9'))
            c = QLatin1Char(' ');
    return blank;
}

} // namespace

const QString DateBox::Blank = QStringLiteral("    /  /  ");
const QString TimeBox::Blank = QStringLiteral("  :  ");

MaskedBox::MaskedBox(const QString& mask, QWidget* parent) : QLineEdit(parent), m_blank(blank_of(mask))
{
    // Digits read left to right in a right-to-left window.
    setLayoutDirection(Qt::LeftToRight);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setInputMask(mask + QStringLiteral(";_"));
}

QString MaskedBox::value() const
{
    QString text = displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

MaskedBox::State MaskedBox::state() const
{
    const QString text = value();
    if (text == m_blank)
        return Empty;
    return text.contains(QLatin1Char(' ')) ? Partial : Complete;
}

void MaskedBox::setValue(const QString& stored)
{
    const QString digits = TextInput::asciiDigits(stored);
    if (digits.trimmed().isEmpty() || digits == m_blank) {
        clear();
        return;
    }
    // Typed into the mask place by place, so a stored blank stays a blank.
    QString text = digits;
    text.replace(QLatin1Char(' '), QLatin1Char('_'));
    setText(text);
}

void MaskedBox::keyPressEvent(QKeyEvent* event)
{
    const QString ascii = TextInput::asciiDigits(event->text());
    if (ascii != event->text()) {
        QKeyEvent digit(event->type(), Qt::Key_0 + (ascii.at(0).unicode() - u'0'), event->modifiers(), ascii,
                        event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&digit);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

DateBox::DateBox(QWidget* parent) : MaskedBox(QStringLiteral("9999/99/99"), parent) {}

TimeBox::TimeBox(QWidget* parent) : MaskedBox(QStringLiteral("99:99"), parent) {}
