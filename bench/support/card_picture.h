#pragma once
// The picture on the cards of the card-sheet benchmarks: a 400 x 440 emblem,
// kept as JPEG the way a picture chosen for the cards is.

#include "platform/image/jpeg.h"

#include <QColor>
#include <QImage>
#include <QPainter>

namespace Bench {

inline QImage cardPicture()
{
    QImage emblem(400, 440, QImage::Format_RGB32);
    emblem.fill(Qt::white);
    {
        QPainter p(&emblem);
        p.setBrush(QColor(30, 90, 160));
        p.drawEllipse(20, 20, 360, 400);
    }
    return Jpeg::decode(Jpeg::encode(emblem));
}

} // namespace Bench
