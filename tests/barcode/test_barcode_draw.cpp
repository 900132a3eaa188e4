// Drawing a barcode on a canvas: the bars against the element string upright
// and turned, the origin of the turned box in each quadrant, the canvas size,
// the texts beside the bars and never over them, the colours and the canvas
// state. A few drawn symbols are read back by zbarimg at every quarter turn.

#include "barcode/ui/barcode_draw.h"
#include "tests/barcode/barcode_test_tools.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace bctest;

namespace {

constexpr QRgb Untouched = 0xFF808080;

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Untouched);
    return img;
}

void draw(TBarcode& b, QImage& img)
{
    QPainter p(&img);
    DrawBarcode(b, p);
}

// '1' bar, '0' space, '-' untouched, '?' anything else.
char kindAt(const QImage& img, int x, int y)
{
    const QRgb c = img.pixel(x, y);
    return c == 0xFF000000 ? '1' : c == 0xFFFFFFFF ? '0' : c == Untouched ? '-' : '?';
}

std::string row(const QImage& img, int y, int x0, int x1)
{
    std::string s;
    for (int x = x0; x < x1; ++x)
        s += kindAt(img, x, y);
    return s;
}

std::string column(const QImage& img, int x, int y0, int y1)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += kindAt(img, x, y);
    return s;
}

// Full bars and spaces as '1' and '0', short bars as '1' too (seen across the top).
std::string tops(std::string pattern)
{
    for (char& c : pattern)
        if (c == '2')
            c = '1';
    return pattern;
}

QRect inkBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != Untouched)
                box |= QRect(x, y, 1, 1);
    return box;
}

TBarcode ean13(int modul = 1, int height = 40)
{
    TBarcode b;
    b.SetTyp(bcCodeEAN13);
    b.SetModul(modul);
    b.SetHeight(height);
    b.SetText("4006381333931");
    return b;
}

// Turns the barcode by angle, puts its origin at (left, top) and draws it on img.
void drawTurned(TBarcode& b, double angle, int left, int top, QImage& img)
{
    b.SetAngle(angle);
    b.SetLeft(left);
    b.SetTop(top);
    draw(b, img);
}

} // namespace

class TestBarcodeDraw : public QObject {
    Q_OBJECT
private slots:
    void upright();
    void shortBarsHangFromTheTop();
    void quarterTurns_data();
    void quarterTurns();
    void anyAngleStaysInItsBox_data();
    void anyAngleStaysInItsBox();
    void canvasSize();
    void texts();
    void coloursAndCanvasState();
    void encodingErrorDrawsNothing();
    void drawnSymbolsRead();
};

void TestBarcodeDraw::upright()
{
    TBarcode b = ean13(2, 30);
    b.SetLeft(7);
    b.SetTop(5);
    QImage img = canvas(220, 50);
    draw(b, img);
    const std::string pattern = tops(encodeModules(b));
    QCOMPARE(int(pattern.size()), b.GetWidth());
    // Every row from Top to Top + Height (the polygons' corners are y 0 and h) shows
    // the element string, from Left; nothing left or right of it.
    for (int y = 5; y <= 35; ++y)
        QCOMPARE(row(img, y, 7, 7 + b.GetWidth()), pattern);
    QCOMPARE(row(img, 20, 0, 7), std::string(7, '-'));
    QCOMPARE(row(img, 20, 7 + b.GetWidth(), 220), std::string(220 - 7 - b.GetWidth(), '-'));
    QCOMPARE(row(img, 4, 0, 220), std::string(220, '-'));
    QCOMPARE(row(img, 36, 0, 220), std::string(220, '-'));
}

void TestBarcodeDraw::shortBarsHangFromTheTop()
{
    // PostNet: full and short bars; short bars are Height * 2 / 5 high from the top.
    TBarcode b;
    b.SetTyp(bcCodePostNet);
    b.SetHeight(20);
    b.SetText("0");
    QImage img = canvas(80, 30);
    draw(b, img);
    const std::string pattern = encodeModules(b);
    // Below the short bars the canvas is left as it was.
    std::string full, shortOnly;
    for (char c : pattern) {
        full += c == '2' ? '-' : c;
        shortOnly += c == '0' ? '0' : '1';
    }
    QCOMPARE(row(img, 0, 0, b.GetWidth()), shortOnly);
    QCOMPARE(row(img, 8, 0, b.GetWidth()), shortOnly);  // 20 * 2 / 5 = 8
    QCOMPARE(row(img, 9, 0, b.GetWidth()), full);
    QCOMPARE(row(img, 20, 0, b.GetWidth()), full);
}

void TestBarcodeDraw::quarterTurns_data()
{
    QTest::addColumn<double>("angle");
    QTest::newRow("90") << 90.0;
    QTest::newRow("180") << 180.0;
    QTest::newRow("270") << 270.0;
    QTest::newRow("-90") << -90.0;
}

void TestBarcodeDraw::quarterTurns()
{
    QFETCH(double, angle);
    TBarcode b = ean13(1, 30);
    QImage img = canvas(140, 140);
    drawTurned(b, angle, 10, 6, img);
    const int W = b.GetWidth(), H = 30;
    const std::string pattern = tops(encodeModules(b));
    std::string reversed(pattern.rbegin(), pattern.rend());
    const int quarter = (int(angle) % 360 + 360) % 360;
    if (quarter == 180) {
        // The origin moves by (W, H): the code reads right to left, upside down.
        for (int y = 6; y <= 6 + H; ++y)
            QCOMPARE(row(img, y, 11, 11 + W), reversed);
    } else if (quarter == 90) {
        // Counter-clockwise: the code reads from the bottom up, its top edge on the left.
        for (int x = 10; x <= 10 + H; ++x)
            QCOMPARE(column(img, x, 7, 7 + W), reversed);
    } else {
        // Clockwise: the code reads from the top down, its top edge on the right.
        for (int x = 10; x <= 10 + H; ++x)
            QCOMPARE(column(img, x, 6, 6 + W), pattern);
    }
    const QRect box = inkBox(img);
    QVERIFY2(box.left() >= 10 && box.top() >= 6, qPrintable(QString("ink at %1, %2").arg(box.left()).arg(box.top())));
}

void TestBarcodeDraw::anyAngleStaysInItsBox_data()
{
    QTest::addColumn<double>("angle");
    for (double a : {0.0, 30.0, 75.0, 120.0, 165.0, 210.0, 255.0, 300.0, 345.0})
        QTest::newRow(qPrintable(QString::number(a))) << a;
}

void TestBarcodeDraw::anyAngleStaysInItsBox()
{
    // In every quadrant the turned box lies right of and below the origin and
    // fills the canvas size (within the rounding of its corners).
    QFETCH(double, angle);
    TBarcode b = ean13(1, 40);
    QImage img = canvas(220, 220);
    drawTurned(b, angle, 20, 30, img);
    const QRect box = inkBox(img);
    const QString where = QString("ink %1,%2 %3x%4, canvas %5x%6")
                              .arg(box.left()).arg(box.top()).arg(box.width()).arg(box.height())
                              .arg(GetCanvasWidth(b)).arg(GetCanvasHeight(b));
    QVERIFY2(qAbs(box.left() - 20) <= 1 && qAbs(box.top() - 30) <= 1, qPrintable(where));
    QVERIFY2(qAbs(box.width() - GetCanvasWidth(b)) <= 2 && qAbs(box.height() - GetCanvasHeight(b)) <= 2,
             qPrintable(where));
}

void TestBarcodeDraw::canvasSize()
{
    // Upright: the width plus 0.5, rounded half to even: an odd width gains a pixel.
    TBarcode b = ean13(1, 50);
    QCOMPARE(b.GetWidth(), 95);
    QCOMPARE(GetCanvasWidth(b), 96);
    QCOMPARE(GetCanvasHeight(b), 50);
    b.SetModul(2);
    QCOMPARE(GetCanvasWidth(b), 190);
    b.SetHeight(51);
    QCOMPARE(GetCanvasHeight(b), 52);
    // A quarter turn swaps them; 45 degrees adds both sides' shares.
    b.SetAngle(90);
    QCOMPARE(GetCanvasWidth(b), 52);
    QCOMPARE(GetCanvasHeight(b), 190);
    b.SetAngle(45);
    const double side = (190 + 51) * std::sqrt(0.5) + 0.5;
    QCOMPARE(GetCanvasWidth(b), BarcodeDraw::roundHalfEven(side));
    QCOMPARE(BarcodeDraw::roundHalfEven(2.5), 2);
    QCOMPARE(BarcodeDraw::roundHalfEven(3.5), 4);
    QCOMPARE(BarcodeDraw::roundHalfEven(-17.5), -18);
    QCOMPARE(BarcodeDraw::roundHalfEven(-2.5), -2);
}

void TestBarcodeDraw::texts()
{
    // On a 96-dpi canvas the 5-point font is 7 pixels high: the type name
    // stands at Top - round(7 * 2.5) = Top - 18, upright on white whatever the
    // angle. The code stands on its own line below the bars, which leave it
    // room within Height: it never covers a bar.
    auto drawn = [](TBarcodeOption show, double angle, int height = 40) {
        TBarcode b = ean13(1, height);
        b.SetShowText(show);
        QImage img = canvas(200, 200);
        drawTurned(b, angle, 20, 40, img);
        return img;
    };
    auto inkIn = [](const QImage& img, const QRect& r) {
        int dark = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                dark += qGray(img.pixel(x, y)) < 100;  // text is smoothed: dark, not only black
        return dark;
    };
    // The last row of the bars down a column that holds a bar.
    auto barsBottom = [](const QImage& img) {
        const std::string down = column(img, 20, 40, 200);
        return 40 + int(down.find_first_not_of('1')) - 1;
    };
    const QRect above(20, 40 - 18, 60, 17);
    const QImage none = drawn(bcoNone, 0);
    QCOMPARE(inkIn(none, above), 0);
    QCOMPARE(inkBox(none).top(), 40);
    QCOMPARE(barsBottom(none), 80);

    const QImage typ = drawn(bcoTyp, 0);
    QVERIFY(inkIn(typ, QRect(20, 22, 40, 8)) > 0);
    QCOMPARE(inkBox(typ).top(), 22);
    QCOMPARE(barsBottom(typ), 80);

    // bcoCode: the bars as before across their top, shorter by the code's
    // line, and the code below them within the box.
    const QImage code = drawn(bcoCode, 0);
    QCOMPARE(inkIn(code, above), 0);
    QCOMPARE(row(code, 41, 0, 200), row(none, 41, 0, 200));
    const int bottom = barsBottom(code);
    QVERIFY2(bottom < 72 && bottom > 60, qPrintable(QString::number(bottom)));
    QCOMPARE(row(code, bottom + 1, 20, 115).find('1'), std::string::npos);  // a free row under the bars
    QVERIFY(inkIn(code, QRect(20, bottom + 2, 60, 80 - bottom - 1)) > 0);
    QVERIFY(inkBox(code).bottom() <= 80);

    // A box too low for both keeps half its height for the bars; the code goes below.
    const QImage low = drawn(bcoCode, 0, 6);
    QCOMPARE(barsBottom(low), 43);
    QVERIFY(inkIn(low, QRect(20, 45, 60, 10)) > 0);

    // bcoBoth at a quarter turn: both texts upright, the type name above Top,
    // the code below the turned bars (95 pixels high).
    const QImage both = drawn(bcoBoth, 90);
    QVERIFY(inkIn(both, QRect(20, 22, 40, 8)) > 0);
    QVERIFY(inkIn(both, QRect(20, 40 + 94, 30, 2)) > 0);   // the bars' last rows
    QCOMPARE(inkIn(both, QRect(0, 40 + 96, 200, 1)), 0);  // a free row
    QVERIFY(inkIn(both, QRect(20, 40 + 97, 60, 10)) > 0);  // the code
    QCOMPARE(inkBox(both).top(), 22);
}

void TestBarcodeDraw::coloursAndCanvasState()
{
    TBarcode b = ean13(1, 10);
    b.SetColorBar(0xFF0000);
    b.SetColor(0x0000FF);
    QImage img = canvas(100, 12);
    QPainter p(&img);
    const QFont font("DejaVu Sans", 17);
    p.setFont(font);
    p.setPen(QPen(Qt::green, 3));
    p.setBrush(Qt::yellow);
    DrawBarcode(b, p);
    QCOMPARE(p.font(), font);
    QCOMPARE(p.pen(), QPen(Qt::green, 3));
    QCOMPARE(p.brush(), QBrush(Qt::yellow));
    p.end();
    const std::string pattern = tops(encodeModules(b));
    for (int x = 0; x < 95; ++x)
        QCOMPARE(img.pixel(x, 5), pattern[x] == '1' ? 0xFFFF0000 : 0xFF0000FF);
}

void TestBarcodeDraw::encodingErrorDrawsNothing()
{
    TBarcode b = ean13();
    b.SetText("12a");
    QImage img = canvas(100, 50);
    const QImage before = img;
    QPainter p(&img);
    QVERIFY_THROWS_EXCEPTION(EBarcodeError, DrawBarcode(b, p));
    p.end();
    QCOMPARE(img, before);
}

void TestBarcodeDraw::drawnSymbolsRead()
{
    if (toolPath(QStringLiteral("zbarimg")).isEmpty())
        QFAIL("zbarimg is not installed (Debian package zbar-tools, scripts/setup.sh)");
    QTemporaryDir dir;
    for (double angle : {0.0, 90.0, 180.0, 270.0}) {
        TBarcode b = ean13(2, 80);
        b.SetAngle(angle);
        b.SetLeft(30);
        b.SetTop(30);
        QImage img(GetCanvasWidth(b) + 60, GetCanvasHeight(b) + 60, QImage::Format_RGB32);
        img.fill(Qt::white);
        draw(b, img);
        const QString file = dir.filePath(QString("turned-%1.png").arg(angle));
        QVERIFY(img.save(file));
        QCOMPARE(zbarSymbols(file), QStringList{"EAN-13:4006381333931"});
    }
}

QTEST_MAIN(TestBarcodeDraw)
#include "test_barcode_draw.moc"
