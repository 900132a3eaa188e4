#pragma once
// Pictures shown in windows and printed on reports. JPEG goes through
// libjpeg-turbo (jpeg.h); the other formats the office keeps (bitmaps of
// signatures, PNG, GIF) through Qt's readers.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Picture {

// The picture in the bytes, or a null image when they hold no readable picture.
QImage fromData(const QByteArray& data);
// The picture in a file, or a null image when it cannot be read.
QImage fromFile(const QString& path);

// Loads the file into picture. An unreadable file shows the invalid-picture
// message and leaves picture as it was; answers whether it was loaded.
bool load(QImage& picture, const QString& path);

} // namespace Picture
