#include "national_code.h"

#include "personnel/texts.h"
#include "platform/ui/msg.h"

#include <QFocusEvent>
#include <QLineEdit>

NationalCode check_national_code(const QString& code)
{
    if (code.isEmpty())
        return NationalCode::Empty;
    if (code.size() != 10)
        return NationalCode::WrongLength;
    int digits[10];
    for (int i = 0; i < 10; ++i) {
        const char16_t c = code.at(i).unicode();
        if (c < u'0' || c > u'9')
            return NationalCode::WrongCheckDigit;
        digits[i] = c - u'0';
    }
    int s = 0;
    for (int i = 0; i < 9; ++i)
        s += digits[i] * (10 - i);
    const int r = s % 11;
    const int check = r < 2 ? r : 11 - r;
    return digits[9] == check ? NationalCode::Valid : NationalCode::WrongCheckDigit;
}

void warn_national_code(QLineEdit* box)
{
    switch (check_national_code(box->text())) {
    case NationalCode::Empty:
    case NationalCode::Valid:
        break;
    case NationalCode::WrongLength:
        Msg::info(PersonnelText::NationLength);
        box->setFocus();
        break;
    case NationalCode::WrongCheckDigit:
        Msg::info(PersonnelText::NationWrong);
        break;
    }
}

namespace {

class LeavingCheck : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            // Leaving the box, not the window.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                warn_national_code(static_cast<QLineEdit*>(watched));
        }
        return false;
    }
};

} // namespace

void warn_national_code_on_exit(QLineEdit* box)
{
    box->installEventFilter(new LeavingCheck(box));
}
