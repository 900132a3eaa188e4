#include "entry_boxes.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>

namespace {

class YellowFocus : public QObject {
public:
    explicit YellowFocus(QWidget* box) : QObject(box) { box->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn) {
            QPalette yellow = box->palette();
            yellow.setColor(QPalette::Base, Qt::yellow);
            yellow.setColor(QPalette::Button, Qt::yellow);
            box->setPalette(yellow);
        } else if (event->type() == QEvent::FocusOut) {
            box->setPalette(QPalette());
        }
        return false;
    }
};

} // namespace

void yellow_while_focused(const QList<QWidget*>& boxes)
{
    for (QWidget* box : boxes)
        new YellowFocus(box);
}

void on_user_change(QComboBox* box, const std::function<void()>& changed)
{
    QObject::connect(box, &QComboBox::activated, box, [changed] { changed(); });
    if (QLineEdit* line = box->lineEdit())
        QObject::connect(line, &QLineEdit::textEdited, box, [changed] { changed(); });
}
