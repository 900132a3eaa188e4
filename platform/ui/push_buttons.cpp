#include "push_buttons.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionViewItem>

namespace PushButtons {

namespace {

// Whether a text reads left to right: its first letter is Latin (or of
// another left-to-right script). Neutral text ("12", "...") follows its place.
bool latinText(const QString& text)
{
    for (const QChar c : text) {
        switch (c.direction()) {
        case QChar::DirL: return true;
        case QChar::DirR:
        case QChar::DirAL: return false;
        default: break;
        }
    }
    return false;
}

class CentredLabels : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    // A Latin caption in a right-to-left window ("Browse Excel...") is laid
    // out left to right, where it stands, so its end stays at its end.
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole) const override
    {
        if (painter->layoutDirection() != Qt::RightToLeft || !latinText(text)) {
            QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
            return;
        }
        const int placed = int(QStyle::visualAlignment(Qt::RightToLeft, Qt::Alignment(flags))) | Qt::AlignAbsolute;
        painter->save();
        painter->setLayoutDirection(Qt::LeftToRight);
        QProxyStyle::drawItemText(painter, rect, (flags & ~int(Qt::AlignHorizontal_Mask)) | placed, palette, enabled,
                                  text, textRole);
        painter->restore();
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        // A grid cell of Latin text (".jpg") the same, kept at the cell's right edge.
        if (const auto* cell = qstyleoption_cast<const QStyleOptionViewItem*>(option);
            element == CE_ItemViewItem && cell && cell->direction == Qt::RightToLeft && latinText(cell->text) &&
            cell->icon.isNull() && !(cell->features & QStyleOptionViewItem::HasCheckIndicator)) {
            QStyleOptionViewItem latin = *cell;
            latin.direction = Qt::LeftToRight;
            latin.displayAlignment =
                (cell->displayAlignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight | Qt::AlignAbsolute;
            QProxyStyle::drawControl(element, &latin, painter, widget);
            return;
        }
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (element != CE_PushButtonLabel || !button || button->icon.isNull() || button->text.isEmpty() ||
            (button->features & QStyleOptionButton::HasMenu)) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const bool on = button->state & (State_On | State_Sunken);
        QRect area = button->rect;
        if (on)
            area.translate(pixelMetric(PM_ButtonShiftHorizontal, option, widget),
                           pixelMetric(PM_ButtonShiftVertical, option, widget));

        const QIcon::Mode mode = !(button->state & State_Enabled) ? QIcon::Disabled
            : (button->state & State_HasFocus) ? QIcon::Active : QIcon::Normal;
        const QPixmap picture = button->icon.pixmap(button->iconSize, painter->device()->devicePixelRatio(), mode,
                                                    on ? QIcon::On : QIcon::Off);
        const QSize pictureSize = picture.deviceIndependentSize().toSize();
        const int gap = 4;
        const int captionWidth =
            std::min(button->fontMetrics.horizontalAdvance(button->text), area.width() - pictureSize.width() - gap);
        const int width = pictureSize.width() + gap + captionWidth;
        // The group in the middle; the picture first in reading order.
        const int left = area.x() + (area.width() - width) / 2;
        const bool rightToLeft = button->direction == Qt::RightToLeft;
        const QRect pictureRect(rightToLeft ? left + width - pictureSize.width() : left,
                                area.y() + (area.height() - pictureSize.height()) / 2, pictureSize.width(),
                                pictureSize.height());
        const QRect captionRect(rightToLeft ? left : left + pictureSize.width() + gap, area.y(), captionWidth,
                                area.height());
        painter->drawPixmap(pictureRect, picture);
        drawItemText(painter, captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, button->palette,
                     button->state & State_Enabled, button->text, QPalette::ButtonText);
    }
};

} // namespace

QStyle* centredLabels(QStyle* base)
{
    return new CentredLabels(base);
}

void install()
{
    QApplication::setStyle(centredLabels(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace PushButtons
