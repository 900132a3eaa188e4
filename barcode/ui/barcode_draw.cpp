#include "barcode_draw.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace BarcodeDraw {

int roundHalfEven(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double limit = 1 << 30;
    if (x >= limit)
        return 1 << 30;
    if (x <= -limit)
        return -(1 << 30);
    double whole = std::floor(x);
    const double fraction = x - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0))
        whole += 1;
    return static_cast<int>(whole);
}

} // namespace BarcodeDraw

namespace {

using BarcodeDraw::roundHalfEven;

QColor colorOf(TColor c) { return QColor::fromRgb(QRgb(0xFF000000u | (c & 0xFFFFFFu))); }

struct Turn {
    double s = 0;
    double c = 1;
    explicit Turn(double degrees)
    {
        const double a = degrees / 180.0 * std::numbers::pi;
        s = std::sin(a);
        c = std::cos(a);
    }
    // A point of the upright barcode turned counter-clockwise (y grows downwards).
    QPoint rotate(double px, double py) const
    {
        return QPoint(roundHalfEven(px * c + py * s), roundHalfEven(-px * s + py * c));
    }
};

// Where the barcode's own corner goes so that the turned W x H box lies right
// of and below (0, 0).
QPoint originShift(const Turn& t, double w, double h)
{
    if (t.s >= 0 && t.c >= 0)
        return QPoint(0, roundHalfEven(w * t.s));
    if (t.s >= 0)
        return QPoint(-roundHalfEven(w * t.c), roundHalfEven(w * t.s - h * t.c));
    if (t.c >= 0)
        return QPoint(-roundHalfEven(h * t.s), 0);
    return QPoint(-roundHalfEven(w * t.c) - roundHalfEven(h * t.s), -roundHalfEven(h * t.c));
}

// A stretch of the upright barcode: from x, w pixels wide, from the top edge
// h pixels down.
struct Stretch {
    int x = 0;
    int w = 0;
    int h = 0;
};

// The element string as the stretches to paint: the bars, adjacent bars of
// the same height merged into one, and under them the background in the
// spaces' colour, one stretch for each run of spaces and full bars (short
// bars have none: below them the canvas stays as it was).
void stretchesOf(const TBarcode& b, const std::string& data, int h, std::vector<Stretch>& bars,
                 std::vector<Stretch>& background)
{
    auto add = [](std::vector<Stretch>& to, const Stretch& s) {
        if (!to.empty() && to.back().x + to.back().w == s.x && to.back().h == s.h)
            to.back().w += s.w;
        else
            to.push_back(s);
    };
    int x = 0;
    for (char code : data) {
        int w = 0;
        TBarLineType kind{};
        b.OneBarProps(code, w, kind);
        if (kind == TBarLineType::ShortBar) {
            add(bars, {x, w, h * 2 / 5});
        } else {
            add(background, {x, w, h});
            if (kind == TBarLineType::Bar)
                add(bars, {x, w, h});
        }
        x += w;
    }
}

// Paints the stretches turned and moved to origin, all in the brush's colour,
// each as the pixels from its corner (x, 0) to its corner (x + w - 1, h) both
// included: w device pixels wide.
void paintStretches(const std::vector<Stretch>& stretches, const Turn& turn, QPoint origin, QPainter& canvas)
{
    if (stretches.empty())
        return;
    // A quarter turn keeps the stretches upright rectangles, painted at once,
    // measured from the origin (so that a PDF holds their short numbers).
    if (std::abs(turn.s * turn.c) < 1e-9) {
        std::vector<QRect> rects;
        rects.reserve(stretches.size());
        for (const Stretch& s : stretches) {
            const QPoint a = turn.rotate(s.x, 0);
            const QPoint b = turn.rotate(s.x + s.w - 1, s.h);
            rects.emplace_back(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(a.x() - b.x()) + 1,
                               std::abs(a.y() - b.y()) + 1);
        }
        const QTransform kept = canvas.transform();
        canvas.translate(origin);
        canvas.drawRects(rects.data(), int(rects.size()));
        canvas.setTransform(kept);
        return;
    }
    // Any other angle: around the centres of the corner pixels, each corner
    // moved out by half a pixel along both sides.
    auto out = [&turn](double dx, double dy) {
        return QPointF(0.5 + (dx * turn.c + dy * turn.s) / 2, 0.5 + (-dx * turn.s + dy * turn.c) / 2);
    };
    const QPointF grow[4] = {out(-1, -1), out(-1, 1), out(1, 1), out(1, -1)};
    for (const Stretch& s : stretches) {
        const QPointF corners[4] = {
            QPointF(origin + turn.rotate(s.x, 0)) + grow[0],
            QPointF(origin + turn.rotate(s.x, s.h)) + grow[1],
            QPointF(origin + turn.rotate(s.x + s.w - 1, s.h)) + grow[2],
            QPointF(origin + turn.rotate(s.x + s.w - 1, 0)) + grow[3],
        };
        canvas.drawPolygon(corners, 4);
    }
}

void doLines(TBarcode& b, const std::string& data, int width, int h, QPainter& canvas)
{
    const Turn turn(b.Angle());
    const QPoint origin = QPoint(b.Left(), b.Top()) + originShift(turn, width, h);
    std::vector<Stretch> bars;
    std::vector<Stretch> background;
    stretchesOf(b, data, h, bars, background);

    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(colorOf(b.Color()));
    paintStretches(background, turn, origin, canvas);
    canvas.setBrush(colorOf(b.ColorBar()));
    paintStretches(bars, turn, origin, canvas);
}

// A text with its top-left corner at (x, y), on the brush's colour.
void textOut(QPainter& canvas, int x, int y, const QString& text)
{
    const QFontMetrics fm(canvas.font(), canvas.device());
    const QRect cell(x, y, fm.horizontalAdvance(text), fm.height());
    canvas.fillRect(cell, canvas.brush());
    canvas.drawText(cell, int(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop) | Qt::TextDontClip, text);
}

bool showsCode(const TBarcode& b) { return b.ShowText() == bcoCode || b.ShowText() == bcoBoth; }

// The 5-point font of the texts, on the canvas's device: the canvas's own
// family alone (a report's body family), never another face that the font
// matcher would choose for a letter.
QFont textFont(const QPainter& canvas)
{
    QFont font = canvas.font();
    font.setPointSize(5);
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
    return font;
}

// The height of the turned box of the bars, drawn barHeight high.
int barsBoxHeight(const TBarcode& b, int width, int barHeight)
{
    const Turn t(b.Angle());
    return roundHalfEven(std::abs(t.c) * barHeight + std::abs(t.s) * width + 0.5);
}

// codeTop: where the code's line starts, below the bars.
void drawText(TBarcode& b, QPainter& canvas, int codeTop)
{
    canvas.setFont(textFont(canvas));
    canvas.setPen(QPen(Qt::black));
    canvas.setBrush(Qt::white);
    canvas.setLayoutDirection(Qt::LeftToRight);
    const TBarcodeOption show = b.ShowText();
    if (showsCode(b))
        textOut(canvas, b.Left(), codeTop, QString::fromStdString(b.Text()));
    if (show == bcoTyp || show == bcoBoth) {
        // The font's height as a negative number of device pixels (a size in
        // points), so the type name stands above Top.
        const int dpi = canvas.device() ? canvas.device()->logicalDpiY() : 96;
        const int fontHeight = -qRound(5.0 * dpi / 72.0);
        const std::string_view name = b.GetTypText();
        textOut(canvas, b.Left(), b.Top() + roundHalfEven(fontHeight * 2.5),
                QString::fromLatin1(name.data(), qsizetype(name.size())));
    }
}

} // namespace

void DrawBarcode(TBarcode& barcode, QPainter& canvas)
{
    const std::string data = barcode.MakeData();
    const int width = barcode.GetWidth();
    // The code is printed on a line of its own below the bars, never over
    // them: the bars leave that line free at the bottom of their Height, as
    // long as they keep at least half of it; a lower box has the line below it.
    int barHeight = barcode.Height();
    int gap = 0;
    if (showsCode(barcode)) {
        const int line = QFontMetrics(textFont(canvas), canvas.device()).height();
        gap = std::max(1, line / 8);
        // The line, the gap above it and the bars' last row of pixels.
        barHeight = std::max(barHeight - line - gap - 1, (barHeight + 1) / 2);
    }
    canvas.save();
    doLines(barcode, data, width, barHeight, canvas);
    if (barcode.ShowText() != bcoNone)
        drawText(barcode, canvas, barcode.Top() + barsBoxHeight(barcode, width, barHeight) + gap);
    canvas.restore();
}

int GetCanvasWidth(TBarcode& barcode)
{
    const Turn t(barcode.Angle());
    return roundHalfEven(std::abs(t.c) * barcode.GetWidth() + std::abs(t.s) * barcode.Height() + 0.5);
}

int GetCanvasHeight(TBarcode& barcode)
{
    return barsBoxHeight(barcode, barcode.GetWidth(), barcode.Height());
}
