#include "push_buttons.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace PushButtons {

namespace {

class CentredLabels : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
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
