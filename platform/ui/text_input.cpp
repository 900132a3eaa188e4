#include "text_input.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <algorithm>

namespace TextInput {

namespace {

constexpr char16_t ZeroWidthNonJoiner = 0x200C;
constexpr char16_t ZeroWidthJoiner = 0x200D;

// One character in its stored form (digits, yeh, kaf).
char16_t storedChar(char16_t u)
{
    if (u >= 0x06F0 && u <= 0x06F9)
        return char16_t(u'0' + (u - 0x06F0));
    if (u >= 0x0660 && u <= 0x0669)
        return char16_t(u'0' + (u - 0x0660));
    // Stored texts carry the Arabic yeh (U+064A), the one the office's data has
    // always used; the Persian keyboard types U+06CC, and the final-form yeh
    // U+0649 comes from older keyboards. Both kafs are stored as they were
    // typed (the data and the program's own fixed values hold both), so the
    // searches match either (KafInsensitive).
    if (u == PersianYeh || u == FinalYeh)
        return ArabicYeh;
    return u;
}

// Marks that never belong in a stored text: the direction marks, embeddings,
// overrides and isolates, the zero-width space, the word joiner and the
// byte-order mark.
bool strayMark(char16_t u)
{
    return u == 0x200B || u == 0x200E || u == 0x200F || u == 0x061C || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069) || u == 0x2060 || u == 0xFEFF;
}

// Control characters never belong in a stored text (a NUL even cuts a
// statement short on some servers); the tab and the line ends of a
// many-line box stay.
bool controlChar(char16_t u)
{
    return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || (u >= 0x7F && u <= 0x9F);
}

// What ends a line or moves along it in a text box, and has no place in a
// one-line box: the tab, the line ends, the vertical tab, the form feed, the
// next-line control and the line and paragraph separators.
bool lineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\t' || u == u'\n' || u == u'\r' || u == 0x0B || u == 0x0C || u == 0x85 || u == 0x2028 ||
           u == 0x2029;
}

// The text with each run of tabs and line breaks, with the spaces beside
// them, as one space, and none at either end; at, when given, a position in
// the text, becomes the same position in what is returned.
QString foldBreaks(const QString& text, qsizetype* at = nullptr)
{
    if (std::none_of(text.cbegin(), text.cend(), lineBreak))
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype moved = -1;
    for (qsizetype i = 0; i < text.size();) {
        if (at && *at == i)
            moved = out.size();
        qsizetype end = i;
        bool breaks = false;
        while (end < text.size() && (text[end] == QLatin1Char(' ') || lineBreak(text[end]))) {
            breaks = breaks || lineBreak(text[end]);
            ++end;
        }
        if (end == i) {
            out.append(text[i++]);
            continue;
        }
        if (!breaks) {
            if (at && *at > i && *at < end)
                moved = out.size() + (*at - i);
            out.append(QStringView(text).mid(i, end - i));
        } else {
            if (i > 0 && end < text.size())
                out.append(QLatin1Char(' '));
            if (at && *at > i && *at <= end)
                moved = out.size();
        }
        i = end;
    }
    if (at)
        *at = moved < 0 ? out.size() : moved;
    return out;
}

bool isPasswordBox(const QObject* o)
{
    const auto* edit = qobject_cast<const QLineEdit*>(o);
    return edit && edit->echoMode() != QLineEdit::Normal;
}

bool isTextBox(const QObject* o)
{
    return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QPlainTextEdit*>(o) ||
           qobject_cast<const QTextEdit*>(o) || qobject_cast<const QComboBox*>(o);
}

// A line edit keeps its text on one line: what is pasted or set into it has
// its tabs and line breaks turned into a space as it arrives, the cursor kept
// where it was in the text.
void keepOnOneLine(QLineEdit* edit)
{
    const char* const Watched = "tuvekOneLine";
    if (edit->property(Watched).toBool())
        return;
    edit->setProperty(Watched, true);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        if (isPasswordBox(edit))
            return;
        qsizetype cursor = edit->cursorPosition();
        const QString folded = foldBreaks(text, &cursor);
        if (folded == text)
            return;
        edit->setText(folded);
        edit->setCursorPosition(int(cursor));
    });
}

// Gives each key typed into a text box its stored character, before the box
// (and its input mask) sees it; keeps each line edit on one line from the
// moment it is first shown.
class Typing : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            if (auto* edit = qobject_cast<QLineEdit*>(watched))
                keepOnOneLine(edit);
            return false;
        }
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !watched->isWidgetType() || !isTextBox(watched) || isPasswordBox(watched))
            return false;
        QString stored = text;
        for (QChar& c : stored)
            c = QChar(storedChar(c.unicode()));
        if (stored == text)
            return false;
        QKeyEvent replaced(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                           key->nativeVirtualKey(), key->nativeModifiers(), stored, key->isAutoRepeat(),
                           quint16(key->count()), key->device());
        QCoreApplication::sendEvent(watched, &replaced);
        event->setAccepted(replaced.isAccepted());
        return true;
    }
};

} // namespace

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
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A whole surrogate pair (an emoji) stays; half of one cannot be stored.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append(c);
            out.append(text[++i]);
            continue;
        }
        const char16_t u = c.unicode();
        if (!strayMark(u) && !controlChar(u) && !c.isSurrogate())
            out.append(QChar(storedChar(u)));
    }
    // A non-joiner or joiner stays only between two letters (a run of them
    // becomes one); anywhere else it cannot belong.
    QString kept;
    kept.reserve(out.size());
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t u = out[i].unicode();
        if (u != ZeroWidthNonJoiner && u != ZeroWidthJoiner) {
            kept.append(out[i]);
            continue;
        }
        qsizetype next = i + 1;
        while (next < out.size() && (out[next].unicode() == ZeroWidthNonJoiner || out[next].unicode() == ZeroWidthJoiner))
            ++next;
        const bool betweenLetters = !kept.isEmpty() && kept.back().isLetter() && next < out.size() && out[next].isLetter();
        if (betweenLetters)
            kept.append(out[i]);
        i = next - 1;
    }
    return kept;
}

QString oneLine(const QString& text)
{
    return normalize(foldBreaks(text));
}

QVariantList storedForms(const QString& typed)
{
    const QString stored = normalize(typed);
    QVariantList forms{stored};
    auto add = [&](const QString& form) {
        if (!forms.contains(form))
            forms << form;
    };
    add(typed);
    for (const char16_t zero : {char16_t(0x06F0), char16_t(0x0660)}) {
        QString digits = stored;
        for (QChar& c : digits)
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                c = QChar(char16_t(zero + (c.unicode() - u'0')));
        add(digits);
    }
    return forms;
}

QString boxText(const QWidget* box)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(box))
        return isPasswordBox(edit) ? normalize(edit->text()) : oneLine(edit->text());
    if (const auto* combo = qobject_cast<const QComboBox*>(box))
        return oneLine(combo->currentText());
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box))
        return normalize(plain->toPlainText());
    if (const auto* rich = qobject_cast<const QTextEdit*>(box))
        return normalize(rich->toPlainText());
    return normalize(box->property("text").toString());
}

namespace {
const char* const DigitsOnly = "tuvekDigitsOnly";
}

bool takesDigitsOnly(const QWidget* box)
{
    return box && box->property(DigitsOnly).toBool();
}

void digitsOnly(QLineEdit* box)
{
    box->setProperty(DigitsOnly, true);
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

void installTyping(QApplication& app)
{
    static Typing* typing = nullptr;
    if (!typing) {
        typing = new Typing(&app);
        app.installEventFilter(typing);
    }
}

namespace {

// Cuts a text box's content beyond its limit, keeping the cursor where it can.
template <class Box> void cutBeyond(Box* box, int characters)
{
    QObject::connect(box, &Box::textChanged, box, [box, characters] {
        const QString text = box->toPlainText();
        if (text.size() <= characters)
            return;
        const qsizetype kept = cut(text, characters).size();
        QTextCursor cursor = box->textCursor();
        const int position = std::min<int>(cursor.position(), kept);
        cursor.setPosition(int(kept));
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.setPosition(position);
        box->setTextCursor(cursor);
    });
}

// A line edit cuts what is typed or pasted at its maximum length, wherever
// that falls: a text that reaches the limit loses a half character or the
// spaces the cut left at its end.
void mendCut(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        if (text.size() < edit->maxLength())
            return;
        // Whether the box cut it or it was typed to the limit, it ends there.
        QString kept = cut(text, edit->maxLength());
        while (!kept.isEmpty() && kept.back().isSpace())
            kept.chop(1);
        if (kept != text)
            edit->setText(kept);
    });
}

} // namespace

QString cut(const QString& text, qsizetype characters)
{
    qsizetype end = std::clamp<qsizetype>(characters, 0, text.size());
    // The first half of a pair the limit splits, or of one left without its second.
    if (end > 0 && text[end - 1].isHighSurrogate())
        --end;
    if (end == text.size())
        return text;
    while (end > 0 && text[end - 1].isSpace())
        --end;
    return text.left(end);
}

void limitLength(QWidget* box, int characters)
{
    if (characters <= 0 || !box)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        edit->setMaxLength(characters);
        mendCut(edit);
    } else if (auto* combo = qobject_cast<QComboBox*>(box)) {
        if (combo->lineEdit()) {
            combo->lineEdit()->setMaxLength(characters);
            mendCut(combo->lineEdit());
        }
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        cutBeyond(plain, characters);
    } else if (auto* rich = qobject_cast<QTextEdit*>(box)) {
        cutBeyond(rich, characters);
    }
}

} // namespace TextInput
