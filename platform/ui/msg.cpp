#include "msg.h"

#include "platform/ui/command.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/progress.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace Msg {
namespace {

QMessageBox::StandardButton toStandard(Button b)
{
    switch (b) {
    case Button::Ok: return QMessageBox::Ok;
    case Button::Yes: return QMessageBox::Yes;
    case Button::No: return QMessageBox::No;
    case Button::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The width a dialog needs for the window frame to show its whole title
// ("Delete Password" on a narrow input box): the title as the frame writes
// it, with the program's name, and room for the frame's icon and buttons.
int titleWidth(const QDialog& dialog)
{
    constexpr int FrameButtons = 140;
    QFont title = dialog.font();
    title.setBold(true);
    const QString shown = dialog.windowTitle() + QStringLiteral(" — ") + QApplication::applicationDisplayName();
    return QFontMetrics(title).horizontalAdvance(shown) + FrameButtons;
}

// The window a box belongs to: the active one, or, when that was just put
// out of sight (a progress box stepping aside), the nearest one in sight
// that it belongs to.
QWidget* owner()
{
    QWidget* window = QApplication::activeWindow();
    while (window && !window->isVisible())
        window = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    return window;
}

// A message box as wide as its title needs: a short message ("ثبت شد")
// makes a box so narrow that the frame cuts the title to its first letter.
void fitTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QMargins margins = grid->contentsMargins();
    const int width = titleWidth(box) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// A message box lays every line of its plain text out right to left, and
// Qt's plain labels do not honour the isolate that a path is written in
// (Msg::filePath): a path's folders would show in reverse order. Such a
// message is given as paragraphs, the line of a path left to right.
QString boxText(const QString& text, Qt::TextFormat* format)
{
    constexpr char16_t LeftToRightIsolate = 0x2066;
    *format = Qt::PlainText;
    if (!text.contains(QChar(LeftToRightIsolate)))
        return text;
    *format = Qt::RichText;
    QString html;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const bool path = line.startsWith(QChar(LeftToRightIsolate));
        html += QStringLiteral("<div dir=\"%1\" align=\"right\">%2</div>")
                    .arg(path ? QStringLiteral("ltr") : QStringLiteral("rtl"), line.toHtmlEscaped());
    }
    return html;
}

class DialogHandler final : public Handler {
public:
    Button message(const Request& r) override
    {
        QMessageBox box(owner());
        box.setWindowTitle(r.caption.isEmpty() ? QApplication::applicationDisplayName() : r.caption);
        Qt::TextFormat format = Qt::PlainText;
        const QString text = boxText(r.text, &format);
        box.setTextFormat(format);
        box.setText(text);
        switch (r.icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Error: box.setIcon(QMessageBox::Critical); break;
        }
        QMessageBox::StandardButtons buttons;
        for (Button b : r.buttons)
            buttons |= toStandard(b);
        box.setStandardButtons(buttons);
        // The Persian "&Yes" and "&No": an underlined letter is drawn apart
        // from the next and breaks the word's joins, so the captions go
        // without their shortcut marks.
        for (QAbstractButton* button : box.buttons())
            button->setText(button->text().remove(QLatin1Char('&')));
        box.setLayoutDirection(Qt::RightToLeft);
        fitTitle(box); // last: the box lays itself out anew as it is set up
        switch (box.exec()) {
        case QMessageBox::Yes: return Button::Yes;
        case QMessageBox::No: return Button::No;
        case QMessageBox::Cancel: return Button::Cancel;
        default: break;
        }
        // A box closed with Escape answers its cancelling button.
        if (r.buttons.contains(Button::Cancel))
            return Button::Cancel;
        return r.buttons.isEmpty() ? Button::Ok : r.buttons.first();
    }

    std::optional<QString> input(const Request& r) override
    {
        if (r.kind == Kind::OpenFile || r.kind == Kind::SaveFile) {
            const QString path = r.kind == Kind::OpenFile
                ? FileDialog::openFileName(owner(), r.caption, r.filter)
                : FileDialog::saveFileName(owner(), r.caption, r.defaultText, r.filter);
            if (path.isEmpty())
                return std::nullopt;
            return path;
        }
        QInputDialog dialog(owner());
        dialog.setWindowTitle(r.caption);
        dialog.setLabelText(r.text);
        dialog.setTextEchoMode(r.kind == Kind::Password ? QLineEdit::Password : QLineEdit::Normal);
        dialog.setTextValue(r.defaultText);
        // The dialog sizes itself to its contents: its box is made wide enough
        // for the title and for the whole default text, up to most of the screen.
        if (auto* box = dialog.findChild<QLineEdit*>()) {
            const int forTitle = titleWidth(dialog) - 2 * dialog.style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
            constexpr int BoxFrameAndCaret = 24;
            int forText = box->fontMetrics().horizontalAdvance(r.defaultText) + BoxFrameAndCaret;
            if (const QScreen* screen = dialog.screen())
                forText = std::min(forText, screen->availableGeometry().width() * 3 / 4);
            box->setMinimumWidth(std::max(forTitle, forText));
            // The dialog shows its default text selected, and the selection
            // drawn in white leaves out the part of a Persian first letter
            // that reaches past its place ("دون" for "بدون"): the text shows
            // unselected, the caret at its end.
            QTimer::singleShot(0, box, [box] { box->end(false); });
        }
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }
};

DialogHandler g_dialogs;
Handler* g_handler = nullptr;

std::function<void(const Request&)>& beforeShow()
{
    static std::function<void(const Request&)> check;
    return check;
}

void checkBeforeShow(const Request& r)
{
    // A command that failed beneath it says nothing more of its own: its next
    // box stops it, and its failure is told where it began.
    Command::stopIfFailed();
    if (beforeShow())
        beforeShow()(r);
}

Button show(const QString& text, Icon icon, QList<Button> buttons)
{
    Request r;
    r.kind = Kind::Message;
    r.text = text;
    r.icon = icon;
    r.buttons = std::move(buttons);
    checkBeforeShow(r);
    Progress::stepAside(); // nothing the user must read shows under a progress box
    return handler()->message(r);
}

} // namespace

QString filePath(const QString& path)
{
    constexpr char16_t LeftToRightIsolate = 0x2066, PopDirectionalIsolate = 0x2069, LeftToRightMark = 0x200E;
    // Inside the isolate a separator between two Persian names would still
    // join them into one right-to-left run, their order turned about: a mark
    // after each separator keeps the folders in order, left to right. Digits
    // after Persian letters would be read as Arabic numbers, each group of a
    // date turned about ("1405-09-17" shown as 17-09-1405): a mark before
    // each group keeps them too in order.
    QString shown{QChar(LeftToRightIsolate)};
    QChar previous;
    for (const QChar c : QDir::toNativeSeparators(path)) {
        if (c.isDigit() && !previous.isDigit())
            shown += QChar(LeftToRightMark);
        shown += c;
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('.'))
            shown += QChar(LeftToRightMark);
        previous = c;
    }
    return shown + QChar(PopDirectionalIsolate);
}

void setHandler(Handler* h) { g_handler = h; }
void setBeforeShow(std::function<void(const Request&)> check) { beforeShow() = std::move(check); }
Handler* handler() { return g_handler ? g_handler : &g_dialogs; }

void info(const QString& text) { show(text, Icon::None, {Button::Ok}); }
void warnYes(const QString& text) { show(text, Icon::Warning, {Button::Yes}); }
void questionYes(const QString& text) { show(text, Icon::Question, {Button::Yes}); }
void error(const QString& text) { show(text, Icon::Error, {Button::Ok}); }

bool confirm(const QString& text)
{
    return show(text, Icon::Warning, {Button::Yes, Button::No, Button::Cancel}) == Button::Yes;
}

Button ask(const QString& text, Icon icon, QList<Button> buttons)
{
    return show(text, icon, std::move(buttons));
}

namespace {
std::optional<QString> askText(Kind kind, const QString& caption, const QString& text,
                               const QString& defaultText = QString(), const QString& filter = QString())
{
    Request r;
    r.kind = kind;
    r.caption = caption;
    r.text = text;
    r.defaultText = defaultText;
    r.filter = filter;
    checkBeforeShow(r);
    Progress::stepAside();
    return handler()->input(r);
}
} // namespace

std::optional<QString> input(const QString& caption, const QString& prompt, const QString& defaultText)
{
    return askText(Kind::Input, caption, prompt, defaultText);
}

std::optional<QString> password(const QString& caption, const QString& prompt)
{
    return askText(Kind::Password, caption, prompt);
}

std::optional<QString> openFileName(const QString& caption, const QString& filter)
{
    return askText(Kind::OpenFile, caption, QString(), QString(), filter);
}

std::optional<QString> saveFileName(const QString& caption, const QString& proposedName, const QString& filter)
{
    return askText(Kind::SaveFile, caption, QString(), proposedName, filter);
}

} // namespace Msg
