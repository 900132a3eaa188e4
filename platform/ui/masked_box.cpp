#include "masked_box.h"

#include "platform/ui/text_input.h"

#include <QAction>
#include <QCalendar>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>

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
    if (text.contains(QLatin1Char(' ')))
        return Partial;
    return possible(text) ? Complete : Impossible;
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

void MaskedBox::pasteAsTyped(bool selection)
{
    if (isReadOnly())
        return;
    insert(TextInput::asciiDigits(QGuiApplication::clipboard()->text(selection ? QClipboard::Selection
                                                                                : QClipboard::Clipboard)));
}

void MaskedBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, this, nullptr);
        connect(paste, &QAction::triggered, this, [this] { pasteAsTyped(false); });
    }
    menu->popup(event->globalPos());
}

int MaskedBox::firstBlank() const
{
    const qsizetype blank = displayText().indexOf(QLatin1Char('_'));
    return blank < 0 ? int(displayText().size()) : int(blank);
}

void MaskedBox::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier) && !hasSelectedText() &&
        cursorPosition() > firstBlank())
        setCursorPosition(firstBlank());
}

void MaskedBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        rect().contains(event->position().toPoint())) {
        pasteAsTyped(true);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void MaskedBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteAsTyped(false);
        return;
    }
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

bool DateBox::isDay(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    return m.hasMatch() && QCalendar(QCalendar::System::Jalali)
                               .isDateValid(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

TimeBox::TimeBox(QWidget* parent) : MaskedBox(QStringLiteral("99:99"), parent) {}

bool TimeBox::isTime(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d$"));
    return form.match(text).hasMatch();
}
