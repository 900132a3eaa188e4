#pragma once
// JPEG pictures through libjpeg-turbo. Every JPEG the program shows or prints
// is decoded here, and every JPEG it writes is encoded here.

#include <QByteArray>
#include <QImage>

namespace Jpeg {

// Whether the bytes begin like a JPEG file (the start-of-image marker).
bool isJpeg(const QByteArray& data);

// The picture, or a null image when the bytes are not a readable JPEG or the
// picture is too large to hold in memory. A file cut short still gives the
// part that was there, as picture viewers show it.
QImage decode(const QByteArray& data);

// The picture as JPEG bytes, quality 1..100; grey pictures stay grey, and
// transparent parts are laid on white. Empty for a null image.
QByteArray encode(const QImage& image, int quality = 90);

// Pictures larger than this many pixels are refused rather than allocated.
inline constexpr qint64 MaxPixels = qint64(64) * 1024 * 1024;

} // namespace Jpeg
