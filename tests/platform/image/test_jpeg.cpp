// Pictures: JPEG through libjpeg-turbo both ways, checked against Qt's own
// JPEG reader and writer; damaged and hostile files; other formats; and the
// message for an unreadable picture file, which keeps the previous picture.

#include "platform/image/jpeg.h"
#include "platform/image/picture.h"
#include "platform/image/texts.h"
#include "tests/support/msg_recorder.h"

#include <turbojpeg.h>

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QtTest>

namespace {

// Four coloured quarters and a grey ramp: what a photograph of a card has.
QImage sample()
{
    QImage img(64, 48, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, 32, 24, QColor(200, 30, 30));
    p.fillRect(32, 0, 32, 24, QColor(30, 160, 40));
    p.fillRect(0, 24, 32, 24, QColor(20, 40, 190));
    for (int x = 32; x < 64; ++x)
        p.fillRect(x, 24, 1, 24, QColor::fromRgb(x * 4, x * 4, x * 4));
    return img;
}

// The mean difference per channel between two pictures of one size.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestJpeg : public QObject {
    Q_OBJECT

private slots:
    void roundTripThroughAFile()
    {
        QTemporaryDir dir;
        const QImage src = sample();
        const QByteArray bytes = Jpeg::encode(src, 95);
        QVERIFY(Jpeg::isJpeg(bytes));
        const QString ours = dir.filePath("ours.jpg");
        QVERIFY(writeFile(ours, bytes));

        const QImage back = Picture::fromFile(ours);
        QCOMPARE(back.size(), src.size());
        QVERIFY2(meanDifference(src, back) < 3, qPrintable(QString::number(meanDifference(src, back))));
        // Qt's own JPEG reader reads what we wrote...
        QImageReader reader(ours, "jpeg");
        const QImage byQt = reader.read();
        QCOMPARE(byQt.size(), src.size());
        QVERIFY(meanDifference(back, byQt) < 1.5);
        // ... and we read what Qt's writer wrote.
        const QString theirs = dir.filePath("theirs.jpg");
        QImageWriter writer(theirs, "jpeg");
        writer.setQuality(95);
        QVERIFY(writer.write(src));
        const QImage read = Picture::fromFile(theirs);
        QCOMPARE(read.size(), src.size());
        QVERIFY(meanDifference(src, read) < 3);
        // A lower quality gives a smaller file.
        QVERIFY(Jpeg::encode(src, 30).size() < bytes.size());
    }

    void greyStaysGreyAndTransparencyLiesOnWhite()
    {
        QImage grey(40, 30, QImage::Format_Grayscale8);
        for (int y = 0; y < 30; ++y)
            memset(grey.scanLine(y), y * 8, 40);
        const QImage back = Jpeg::decode(Jpeg::encode(grey));
        QCOMPARE(back.format(), QImage::Format_Grayscale8);
        QVERIFY(meanDifference(grey, back) < 2);

        QImage clear(16, 16, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        const QImage white = Jpeg::decode(Jpeg::encode(clear));
        QVERIFY(qRed(white.pixel(8, 8)) > 250 && qBlue(white.pixel(8, 8)) > 250);
        QVERIFY(Jpeg::encode(QImage()).isEmpty());
    }

    void cmykJpegIsShownInColour()
    {
        // Ink amounts are stored inverted (255: no ink), as the library hands
        // them out: no cyan and no black, full magenta and yellow, is red.
        QByteArray cmyk(16 * 16 * 4, 0);
        for (int i = 0; i < 16 * 16; ++i) {
            cmyk[i * 4 + 0] = char(255); // cyan: none
            cmyk[i * 4 + 3] = char(255); // black: none
        }
        tjhandle h = tjInitCompress();
        unsigned char* out = nullptr;
        unsigned long size = 0;
        QCOMPARE(tjCompress2(h, reinterpret_cast<const unsigned char*>(cmyk.constData()), 16, 64, 16,
                             TJPF_CMYK, &out, &size, TJSAMP_444, 95, 0), 0);
        const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
        tjFree(out);
        tjDestroy(h);
        const QImage img = Picture::fromData(bytes);
        QCOMPARE(img.size(), QSize(16, 16));
        const QRgb p = img.pixel(8, 8);
        QVERIFY2(qRed(p) > 240 && qGreen(p) < 15 && qBlue(p) < 15,
                 qPrintable(QString("%1 %2 %3").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p))));
    }

    void unreadableBytesGiveNoPicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray huge = Jpeg::encode(sample());
        // The frame header (baseline) gives the height and width after its
        // length and precision: claim 60000 x 60000 pixels.
        const qsizetype sof = huge.indexOf("\xFF\xC0");
        QVERIFY(sof > 0);
        huge.replace(sof + 5, 4, QByteArray("\xEA\x60\xEA\x60", 4));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a picture at all");
        QTest::newRow("start marker, then noise") << QByteArray("\xFF\xD8\xFF\x00\x01\x02\x03", 7);
        QTest::newRow("header only") << Jpeg::encode(sample()).left(20);
        QTest::newRow("sixty thousand pixels square") << huge;
    }

    void unreadableBytesGiveNoPicture()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(Picture::fromData(bytes).isNull());
    }

    void fileCutShortShowsWhatIsThere()
    {
        const QImage photo = sample().scaled(640, 480);
        const QByteArray bytes = Jpeg::encode(photo);
        const QImage part = Jpeg::decode(bytes.left(bytes.size() * 2 / 3));
        QCOMPARE(part.size(), photo.size());
        QCOMPARE(part.pixel(10, 10), Jpeg::decode(bytes).pixel(10, 10));
    }

    void otherFormatsAreReadByQt_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("bitmap") << QByteArray("bmp");
        QTest::newRow("png") << QByteArray("png");
    }

    void otherFormatsAreReadByQt()
    {
        QFETCH(QByteArray, format);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(sample().save(&buffer, format.constData()));
        QCOMPARE(meanDifference(Picture::fromData(bytes), sample()), 0.0);
    }

    void unreadablePictureKeepsThePreviousOne()
    {
        MsgRecorder msg;
        QTemporaryDir dir;
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString broken = dir.filePath("broken.jpg");
        QVERIFY(writeFile(broken, QByteArray("\xFF\xD8\xFF", 3) + QByteArray(200, 'x')));

        QVERIFY(!Picture::load(picture, broken));
        QVERIFY(!Picture::load(picture, dir.filePath("missing.jpg")));
        QCOMPARE(msg.texts(), QStringList({ImageText::InvalidPicture, ImageText::InvalidPicture}));
        QCOMPARE(msg.requests.first().buttons, QList<Msg::Button>{Msg::Button::Ok});
        QCOMPARE(picture.size(), QSize(4, 4));
        QCOMPARE(picture.pixel(1, 1), QColor(Qt::red).rgb());

        const QString good = dir.filePath("good.jpg");
        QVERIFY(writeFile(good, Jpeg::encode(sample())));
        QVERIFY(Picture::load(picture, good));
        QCOMPARE(picture.size(), sample().size());
        QCOMPARE(msg.texts().size(), 2);
    }
};

QTEST_MAIN(TestJpeg)
#include "test_jpeg.moc"
