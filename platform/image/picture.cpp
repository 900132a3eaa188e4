#include "picture.h"

#include "jpeg.h"
#include "texts.h"
#include "platform/ui/msg.h"

#include <QFile>

namespace Picture {

QImage fromData(const QByteArray& data)
{
    if (Jpeg::isJpeg(data))
        return Jpeg::decode(data);
    return QImage::fromData(data);
}

QImage fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromData(file.readAll());
}

bool load(QImage& picture, const QString& path)
{
    QImage loaded = fromFile(path);
    if (loaded.isNull()) {
        Msg::info(ImageText::InvalidPicture);
        return false;
    }
    picture = std::move(loaded);
    return true;
}

} // namespace Picture
