#pragma once
// The one message layer. Every message box and input box of the program goes
// through these functions; tests install a handler to read what was shown and
// to choose the answer.

#include <QString>
#include <QList>
#include <functional>
#include <optional>

namespace Msg {

enum class Icon { None, Information, Warning, Question, Error };
enum class Button { Ok, Yes, No, Cancel };
enum class Kind { Message, Input, Password, OpenFile, SaveFile };

struct Request {
    Kind kind = Kind::Message;
    QString caption;
    QString text;              // message text, or the prompt of an input box
    Icon icon = Icon::None;
    QList<Button> buttons;     // message boxes only
    QString defaultText;       // input boxes: default text; file dialogs: proposed file name
    QString filter;            // file dialogs only, e.g. "Excel (*.xlsx)"
};

// Shows requests; the default one uses Qt's dialogs, tests install their own.
class Handler {
public:
    virtual ~Handler() = default;
    virtual Button message(const Request& request) = 0;
    // Returns the text entered (for file dialogs the chosen path), or nothing
    // when the box was cancelled.
    virtual std::optional<QString> input(const Request& request) = 0;
};

// A file's path as a message writes it: in the system's separators,
// isolated as left-to-right text with its folders in order, so that neither
// the Persian around it nor Persian folder names turn it about.
QString filePath(const QString& path);

// Installs a handler (nullptr restores the dialogs). Not owned.
void setHandler(Handler* handler);
Handler* handler();
// A check run before any box is shown, whatever the handler (the test build
// stops a box shown while a command holds its keys); empty: none.
void setBeforeShow(std::function<void(const Request&)> check);

// A plain message box with an OK button.
void info(const QString& text);
// A box with the warning icon and only a Yes button.
void warnYes(const QString& text);
// A box with the question icon and only a Yes button.
void questionYes(const QString& text);
// A box with the error icon and an OK button.
void error(const QString& text);
// A confirmation with the warning icon and Yes, No and Cancel; true only for Yes.
bool confirm(const QString& text);
// The same box, answering which button was pressed.
Button ask(const QString& text, Icon icon = Icon::Warning,
           QList<Button> buttons = {Button::Yes, Button::No, Button::Cancel});
// An input box with caption, prompt and default text; nothing when cancelled.
std::optional<QString> input(const QString& caption, const QString& prompt,
                             const QString& defaultText = QString());
// The same with the typed text masked.
std::optional<QString> password(const QString& caption, const QString& prompt);
// The file dialogs: the chosen path, or nothing when cancelled.
std::optional<QString> openFileName(const QString& caption, const QString& filter = QString());
std::optional<QString> saveFileName(const QString& caption, const QString& proposedName,
                                    const QString& filter = QString());

} // namespace Msg
