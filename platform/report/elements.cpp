#include "elements.h"

#include "report.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <unicode/ubidi.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

QRectF deviceBox(const TReportPrintable& e, const TReportPrinter& p, double ox, double oy)
{
    return p.deviceRect(e.Size.Left + ox, e.Size.Top + oy, e.Size.Width, e.Size.Height);
}

QPen rule(const TReportPrinter& p, double widthMm, const QColor& color)
{
    return QPen(color, p.xLength(widthMm), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

bool strongRightToLeft(QChar c)
{
    return c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
}

// The text with each of its right-to-left runs opened and closed by a
// right-to-left letter. The print preview keeps the text of each run and lays
// it out again left to right when it shows the page, so a run that begins or
// ends with a colon, a bracket or a space would show it at the run's other
// end (":شماره" for "شماره:"). A zero-width mark at such an end holds the run
// as it prints; an Arabic letter mark where the run has Arabic letters, so
// that digits after it still read as they would without it.
QString anchorRuns(const QString& text, bool rightToLeft)
{
    if (std::none_of(text.begin(), text.end(), strongRightToLeft))
        return text;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UBiDi, decltype(&ubidi_close)> bidi(ubidi_open(), ubidi_close);
    ubidi_setPara(bidi.get(), reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()),
                  rightToLeft ? 1 : 0, nullptr, &status);
    const UBiDiLevel* levels = ubidi_getLevels(bidi.get(), &status);
    if (U_FAILURE(status) || !levels)
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i + 1;
        while (end < text.size() && (levels[end] & 1) == (levels[i] & 1))
            ++end;
        const QStringView run = QStringView(text).mid(i, end - i);
        if (levels[i] & 1) {
            const bool arabic =
                std::any_of(run.begin(), run.end(), [](QChar c) { return c.direction() == QChar::DirAL; });
            const QChar mark = arabic ? QChar(0x061C) : QChar(0x200F);
            if (!strongRightToLeft(run.front()))
                out += mark;
            out += run;
            if (!strongRightToLeft(run.back()))
                out += mark;
        } else {
            out += run;
        }
        i = end;
    }
    return out;
}

// A layout of a text on a device in the form's families alone: its font's
// own family, and the body's for each letter its own lacks (a family not
// installed: the body's throughout); never a face the font matcher would
// choose by itself. A letter neither has prints as the body's box of a
// missing letter. Spaces and the marks that only steer the letters around
// them (joiners, direction marks) stay in the face of their neighbours.
std::unique_ptr<QTextLayout> formLayout(const QString& text, const QFont& font, QPaintDevice* device)
{
    QFont own = font;
    own.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
    QFont body = own;
    body.setFamilies({ReportTextFamily});
    const QString family = font.families().value(0, font.family());
    if (QFontDatabase::hasFamily(family))
        own.setFamilies({family});
    else
        own = body;
    auto layout = std::make_unique<QTextLayout>(text, own, device);
    if (own.families() == body.families())
        return layout;
    // Among the letters of a family that prints bold only (Titr), bold as well.
    body.setWeight(std::max(body.weight(), QFont::Weight(QFontInfo(own).weight())));
    const QFontMetricsF ownLetters(own);
    QTextCharFormat inBody;
    inBody.setFont(body);
    QList<QTextLayout::FormatRange> lacking;
    for (qsizetype at = 0; at < text.size();) {
        const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
        const int length = pair ? 2 : 1;
        if (!QChar::isSpace(c) && QChar::category(c) != QChar::Other_Format && !ownLetters.inFontUcs4(c)) {
            if (!lacking.isEmpty() && lacking.last().start + lacking.last().length == at)
                lacking.last().length += length;
            else
                lacking.append({int(at), length, inBody});
        }
        at += length;
    }
    layout->setFormats(lacking);
    return layout;
}

// A text laid out in lines at the largest size, down from its font's, at
// which it fits a box: broken at the box's width (between words, or within a
// word that is wider than the box) and no taller than the box. Lines are
// spaced by the ink of the font's letters, not by its declared ascent and
// descent, which some Persian fonts give too small (their letters would
// overlap the next line) or far too large.
//
// Each line is shaped once and kept shaped, aligned in the box's width, so
// that a text printed on every row of a report is drawn again from its
// glyphs.
struct FittedText {
    QFont font;
    QStringList lines;
    // The lines as they draw, one layout of one line each.
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    qreal lineWidth = 0;  // the lines are aligned in
    qreal width = 0;      // of the widest line
    qreal above = 0;      // ink above the baseline
    qreal inkHeight = 0;  // of one line
    qreal lineHeight = 0; // from one baseline to the next
    bool fits = true;

    qreal height() const { return lines.isEmpty() ? 0 : inkHeight + (lines.size() - 1) * lineHeight; }

    // A text fitted before on the same device lends its font's line spacing
    // when the font is the same (measuring it shapes letters).
    static FittedText fit(const QString& text, const QFont& font, QPaintDevice* device, qreal width,
                          qreal height, bool rightToLeft, Qt::Alignment alignment, const FittedText* before)
    {
        const bool inPoints = font.pointSizeF() > 0;
        const qreal full = inPoints ? font.pointSizeF() : font.pixelSize();
        const qreal smallest = std::min(full, inPoints ? 1.0 : 2.0);
        const QTextOption option = lineOption(rightToLeft, alignment);
        FittedText f;
        for (qreal size = full;; size = std::max(smallest, size * 0.94)) {
            QFont sized = font;
            if (inPoints)
                sized.setPointSizeF(size);
            else
                sized.setPixelSize(std::max(1, qRound(size)));
            // Even a label that is not wrapped is broken into lines rather
            // than cut when it does not fit on one.
            f = layOut(text, sized, device, width, option, before);
            f.fits = f.width <= width + 0.5 && f.height() <= height + 0.5;
            if (f.fits || size <= smallest)
                break;
        }
        f.shapeLines(device, rightToLeft, option);
        return f;
    }

    // One line as it draws: alignment is on the paper, whichever way the
    // text reads.
    static QTextOption lineOption(bool rightToLeft, Qt::Alignment alignment)
    {
        QTextOption option;
        option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        option.setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignAbsolute);
        return option;
    }

    // The lines at a size, measured; a paragraph that keeps to one line
    // keeps its layout, to be drawn as it is when it needs no marks.
    static FittedText layOut(const QString& text, const QFont& font, QPaintDevice* device, qreal width,
                             const QTextOption& lineOption, const FittedText* before)
    {
        FittedText f;
        f.font = font;
        f.lineWidth = width;
        if (before && before->font == font) {
            f.above = before->above;
            f.inkHeight = before->inkHeight;
            f.lineHeight = before->lineHeight;
        } else {
            const QFontMetricsF metrics(font, device);
            // Tall and deep letters of both scripts.
            const QRectF ink = metrics.tightBoundingRect(QStringLiteral("آلگطکيجژ|gjyl"));
            f.above = -ink.top();
            f.inkHeight = ink.height();
            f.lineHeight = ink.height() * 1.2;
        }
        QTextOption option = lineOption;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        if (text.isEmpty())
            return f;
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            auto layout = formLayout(paragraph, font, device);
            layout->setTextOption(option);
            layout->setCacheEnabled(true);
            layout->beginLayout();
            QList<QPair<int, int>> spans;
            for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
                line.setLineWidth(width);
                line.setPosition(QPointF(0, 0));
                f.width = std::max(f.width, line.naturalTextWidth());
                spans.append({line.textStart(), line.textLength()});
            }
            layout->endLayout();
            for (int i = 0; i < spans.size(); ++i) {
                QString line = paragraph.mid(spans[i].first, spans[i].second);
                // The spaces a line was broken at print on neither line.
                if (i + 1 < spans.size())
                    while (!line.isEmpty() && line.back().isSpace())
                        line.chop(1);
                f.lines << line;
            }
            if (spans.size() == 1)
                f.layouts.push_back(std::move(layout));
            else
                f.layouts.resize(f.layouts.size() + spans.size());
        }
        return f;
    }

    // Every line laid out to draw, with its right-to-left runs held by marks.
    void shapeLines(QPaintDevice* device, bool rightToLeft, const QTextOption& option)
    {
        layouts.resize(lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString anchored = anchorRuns(lines[i], rightToLeft);
            if (layouts[i] && anchored == lines[i])
                continue;
            layouts[i] = formLayout(anchored, font, device);
            QTextLayout& layout = *layouts[i];
            layout.setTextOption(option);
            layout.setCacheEnabled(true);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            if (line.isValid()) {
                line.setLineWidth(lineWidth);
                line.setPosition(QPointF(0, 0));
            }
            layout.endLayout();
        }
    }

    void draw(QPainter& c, const QRectF& box, Qt::Alignment alignment) const
    {
        qreal top = box.top();
        if (alignment & Qt::AlignBottom)
            top = box.bottom() - height();
        else if (alignment & Qt::AlignVCenter)
            top = box.top() + (box.height() - height()) / 2;
        // The lines are aligned in the width they were fitted to; an
        // auto-sized box is narrower.
        qreal left = box.left();
        if (alignment & Qt::AlignRight)
            left += box.width() - lineWidth;
        else if (alignment & Qt::AlignHCenter)
            left += (box.width() - lineWidth) / 2;
        for (qsizetype i = 0; i < qsizetype(layouts.size()); ++i) {
            if (!layouts[i] || layouts[i]->lineCount() == 0)
                continue;
            const qreal baseline = top + above + i * lineHeight;
            layouts[i]->draw(&c, QPointF(left, baseline - layouts[i]->lineAt(0).ascent()));
        }
    }
};

} // namespace

// A text as it was fitted to a box on a device.
struct ReportText::Laid {
    QString text;
    QFont font;
    const QPaintDevice* device;
    int dpiX;
    int dpiY;
    qreal width;
    qreal height;
    bool rightToLeft;
    Qt::Alignment alignment;
    FittedText fitted;

    bool onDevice(const QPaintDevice* d) const
    {
        return d == device && d->logicalDpiX() == dpiX && d->logicalDpiY() == dpiY;
    }
    bool isFor(const QString& t, const QFont& f, const QPaintDevice* d, qreal w, qreal h, bool rtl,
               Qt::Alignment a) const
    {
        return onDevice(d) && w == width && h == height && rtl == rightToLeft && a == alignment && t == text
            && f == font;
    }
};

QFont reportFont(const QString& family, double points)
{
    QFont font(family, 10);
    font.setPointSizeF(points);
    if (family != ReportTextFamily)
        font.setFamilies({family, ReportTextFamily});
    return font;
}

ReportFrame ReportFrame::all()
{
    ReportFrame f;
    f.left = f.top = f.right = f.bottom = true;
    return f;
}

void ReportText::Print(double ox, double oy)
{
    TReportPrinter* p = Printer();
    if (!p)
        return;
    QPainter& c = *p->Canvas();
    const QString t = text();
    QRectF box = deviceBox(*this, *p, ox, oy);

    // An auto-sized box grows: a wrapped one downwards, an unwrapped one away
    // from the edge it is aligned to, no further than its band's width.
    const qreal unlimited = std::numeric_limits<qreal>::max() / 4;
    qreal room = box.width();
    if (autoSize && !wordWrap) {
        const Report* r = report();
        const double bandWidth = r ? r->page.paper().width() - r->page.margins.left() - r->page.margins.right()
                                   : std::numeric_limits<double>::max() / 4;
        const double toLeft = Size.Left + Size.Width;
        const double toRight = bandWidth - Size.Left;
        const double mm = alignment & Qt::AlignLeft ? toRight
            : alignment & Qt::AlignHCenter           ? 2 * std::min(toLeft - Size.Width / 2, toRight - Size.Width / 2)
                                                     : toLeft;
        room = std::max(box.width(), p->xLength(mm));
    }
    const qreal height = autoSize && wordWrap ? unlimited : box.height();
    QPaintDevice* device = c.device();
    // The texts that print the same on every row are fitted once; a field's
    // next value is fitted with the line spacing of the last.
    if (!m_laid || !m_laid->isFor(t, font, device, room, height, rightToLeft, alignment)) {
        const FittedText* before = m_laid && m_laid->onDevice(device) ? &m_laid->fitted : nullptr;
        FittedText fitted = FittedText::fit(t, font, device, room, height, rightToLeft, alignment, before);
        m_laid = std::make_shared<const Laid>(Laid{t, font, device, device->logicalDpiX(), device->logicalDpiY(),
                                                   room, height, rightToLeft, alignment, std::move(fitted)});
    }
    const FittedText& fitted = m_laid->fitted;
    if (autoSize && !t.isEmpty()) {
        if (wordWrap) {
            box.setHeight(fitted.height());
        } else if (alignment & Qt::AlignLeft) {
            box.setWidth(fitted.width);
        } else if (alignment & Qt::AlignHCenter) {
            const qreal middle = box.center().x();
            box.setLeft(middle - fitted.width / 2);
            box.setRight(middle + fitted.width / 2);
        } else {
            box.setLeft(box.right() - fitted.width);
        }
    }

    c.save();
    if (background.isValid())
        c.fillRect(box, background);
    c.save();
    if (clip || !fitted.fits)
        c.setClipRect(box, Qt::IntersectClip);
    c.setPen(color);
    fitted.draw(c, box, alignment);
    c.restore();
    if (frame.any()) {
        c.setPen(rule(*p, frame.width, frame.color));
        if (frame.top)
            c.drawLine(box.topLeft(), box.topRight());
        if (frame.bottom)
            c.drawLine(box.bottomLeft(), box.bottomRight());
        if (frame.left)
            c.drawLine(box.topLeft(), box.bottomLeft());
        if (frame.right)
            c.drawLine(box.topRight(), box.bottomRight());
    }
    c.restore();
    if (!fitted.fits)
        qWarning("report: the text of %s does not fit its box even at the smallest size",
                 qPrintable(name().isEmpty() ? t.left(20) : name()));
}

void ReportText::UnPrepare()
{
    m_laid.reset();
}

ReportLabel::ReportLabel(const QString& name, const QString& caption)
    : ReportText(name), Caption(caption)
{
}

ReportMemo::ReportMemo(const QString& name, const QString& caption) : ReportLabel(name, caption)
{
    wordWrap = true;
    clip = true;
    alignment = Qt::AlignRight | Qt::AlignTop;
}

ReportDBText::ReportDBText(const QString& name, const QString& field)
    : ReportText(name), DataField(field)
{
}

void ReportDBText::Prepare()
{
    m_data = DataSet;
    if (!m_data && report())
        m_data = report()->dataSet();
    m_field = m_data ? m_data->fieldIndex(DataField) : -1;
}

void ReportDBText::UnPrepare()
{
    ReportText::UnPrepare();
    m_data = nullptr;
    m_field = -1;
}

QString ReportDBText::text() const
{
    return m_data && m_field >= 0 ? m_data->text(m_field) : QString();
}

ReportRowNumber::ReportRowNumber(const QString& name) : ReportText(name) {}

QString ReportRowNumber::text() const
{
    const Report* r = report();
    return r ? QString::number(Start + r->detailNumber() - 1) : QString();
}

void ReportImage::Print(double ox, double oy)
{
    TReportPrinter* p = Printer();
    if (!p || Picture.isNull())
        return;
    QRectF box = deviceBox(*this, *p, ox, oy);
    if (!Stretch) {
        const QSizeF fit = QSizeF(Picture.size()).scaled(box.size(), Qt::KeepAspectRatio);
        box = QRectF(box.center() - QPointF(fit.width() / 2, fit.height() / 2), fit);
    }
    p->Canvas()->drawImage(box, Picture);
}

void ReportShape::Print(double ox, double oy)
{
    TReportPrinter* p = Printer();
    if (!p)
        return;
    QPainter& c = *p->Canvas();
    const QRectF box = deviceBox(*this, *p, ox, oy);
    c.save();
    if (penWidth > 0)
        c.setPen(rule(*p, penWidth, penColor));
    else
        c.setPen(Qt::NoPen);
    switch (shape) {
    case Kind::Rectangle:
        c.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
        c.drawRect(box);
        break;
    case Kind::HorizontalLine:
        c.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
        break;
    case Kind::VerticalLine:
        c.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
        break;
    }
    c.restore();
}
