#include "text_boxes.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>

namespace TextBoxes {

namespace {

QTextDocument* documentOf(QWidget* widget)
{
    if (auto* rich = qobject_cast<QTextEdit*>(widget)) // viewers (QTextBrowser) too
        return rich->document();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        return plain->document();
    return nullptr;
}

// A widget is polished once, before it is first shown: by then its window's
// design has given it any alignment of its own.
class Polishing : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish && watched->isWidgetType())
            applyRightToLeft(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void applyRightToLeft(QWidget* widget)
{
    // A word-wrapped label wraps its right-to-left lines with the space of
    // each break counted out of the width, yet lays that space out at the
    // line's right: a line that just fits runs a space's width past the
    // label's left edge, its last word cut. The label keeps that room on its left.
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->wordWrap() && label->layoutDirection() == Qt::RightToLeft && label->contentsMargins().isNull()) {
            const int space = label->fontMetrics().horizontalAdvance(QLatin1Char(' '));
            label->setContentsMargins(space, 0, 0, 0);
        }
        return;
    }
    QTextDocument* document = widget ? documentOf(widget) : nullptr;
    if (!document || widget->layoutDirection() != Qt::RightToLeft)
        return;
    QTextOption option = document->defaultTextOption();
    const QTextOption untouched;
    if (option.alignment() != untouched.alignment() || option.textDirection() != untouched.textDirection())
        return;
    // The right edge itself: plain text boxes take an alignment as it is
    // given, not mirrored by the direction of their text.
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    document->setDefaultTextOption(option);
}

void installRightToLeft(QApplication& app)
{
    static Polishing* polishing = nullptr;
    if (!polishing) {
        polishing = new Polishing(&app);
        app.installEventFilter(polishing);
    }
}

} // namespace TextBoxes
