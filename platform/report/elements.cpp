#include "elements.h"

#include "report.h"

#include <QPainter>

namespace {

QRectF deviceBox(const TReportPrintable& e, const TReportPrinter& p, double ox, double oy)
{
    return p.deviceRect(e.Size.Left + ox, e.Size.Top + oy, e.Size.Width, e.Size.Height);
}

QPen rule(const TReportPrinter& p, double widthMm, const QColor& color)
{
    return QPen(color, p.xLength(widthMm), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

} // namespace

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

    c.save();
    c.setFont(font);
    c.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    // Alignment is on the paper, whichever way the text reads.
    int flags = int(alignment) | Qt::AlignAbsolute;
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    if (autoSize && !t.isEmpty()) {
        const QRectF need = c.boundingRect(box, flags | Qt::TextDontClip, t);
        if (wordWrap) {
            box.setHeight(need.height());
        } else {
            box.setLeft(need.left());
            box.setRight(need.right());
        }
    }
    if (background.isValid())
        c.fillRect(box, background);
    c.setPen(color);
    c.drawText(box, flags | (clip ? 0 : Qt::TextDontClip), t);
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
