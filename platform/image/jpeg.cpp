#include "jpeg.h"

#include <turbojpeg.h>

#include <QPainter>
#include <memory>

namespace Jpeg {
namespace {

struct HandleCloser {
    void operator()(void* h) const { tjDestroy(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// CMYK as libjpeg-turbo hands it out (inverted, 255 = no ink) to RGB.
QImage cmykToRgb(const QByteArray& cmyk, int width, int height)
{
    QImage out(width, height, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    const auto* src = reinterpret_cast<const uchar*>(cmyk.constData());
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x, src += 4) {
            const int k = src[3];
            line[x] = qRgb(src[0] * k / 255, src[1] * k / 255, src[2] * k / 255);
        }
    }
    return out;
}

// A decode that failed for good, as opposed to a warning about damaged data.
bool failed(int result, tjhandle handle)
{
    return result != 0 && tjGetErrorCode(handle) != TJERR_WARNING;
}

} // namespace

bool isJpeg(const QByteArray& data)
{
    return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8
        && uchar(data[2]) == 0xFF;
}

QImage decode(const QByteArray& data)
{
    if (!isJpeg(data))
        return {};
    Handle handle(tjInitDecompress());
    if (!handle)
        return {};
    auto* buf = reinterpret_cast<const unsigned char*>(data.constData());
    const auto size = static_cast<unsigned long>(data.size());
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(handle.get(), buf, size, &width, &height, &subsamp, &colorspace) != 0)
        return {};
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxPixels)
        return {};

    if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK) {
        QByteArray cmyk(qsizetype(width) * height * 4, Qt::Uninitialized);
        const int r = tjDecompress2(handle.get(), buf, size,
                                    reinterpret_cast<unsigned char*>(cmyk.data()),
                                    width, width * 4, height, TJPF_CMYK, 0);
        if (failed(r, handle.get()))
            return {};
        return cmykToRgb(cmyk, width, height);
    }

    const bool grey = colorspace == TJCS_GRAY;
    QImage out(width, height, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (out.isNull())
        return {};
    const int r = tjDecompress2(handle.get(), buf, size, out.bits(), width,
                                int(out.bytesPerLine()), height,
                                grey ? TJPF_GRAY : TJPF_RGB, 0);
    if (failed(r, handle.get()))
        return {};
    return out;
}

QByteArray encode(const QImage& image, int quality)
{
    if (image.isNull())
        return {};
    const bool grey = image.format() == QImage::Format_Grayscale8
        || image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB
        || (image.format() == QImage::Format_Indexed8 && image.isGrayscale());
    QImage src;
    if (grey) {
        src = image.convertToFormat(QImage::Format_Grayscale8);
    } else if (image.hasAlphaChannel()) {
        src = QImage(image.size(), QImage::Format_RGB888);
        src.fill(Qt::white);
        QPainter p(&src);
        p.drawImage(0, 0, image);
    } else {
        src = image.convertToFormat(QImage::Format_RGB888);
    }
    if (src.isNull())
        return {};

    Handle handle(tjInitCompress());
    if (!handle)
        return {};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const int r = tjCompress2(handle.get(), src.constBits(), src.width(), int(src.bytesPerLine()),
                              src.height(), grey ? TJPF_GRAY : TJPF_RGB, &out, &outSize,
                              grey ? TJSAMP_GRAY : TJSAMP_420, qBound(1, quality, 100), 0);
    QByteArray bytes;
    if (r == 0)
        bytes = QByteArray(reinterpret_cast<const char*>(out), qsizetype(outSize));
    tjFree(out);
    return bytes;
}

} // namespace Jpeg
