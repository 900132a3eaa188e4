#include "printable.h"

#include "report.h"

#include <cmath>

TReportPrinter::TReportPrinter(QPainter& canvas, double dpiX, double dpiY)
    : m_canvas(&canvas), m_pxPerMmX(dpiX / 25.4), m_pxPerMmY(dpiY / 25.4)
{
}

int TReportPrinter::XPos(double x) const { return int(std::lround(x * m_pxPerMmX)); }

int TReportPrinter::YPos(double y) const { return int(std::lround(y * m_pxPerMmY)); }

QRectF TReportPrinter::deviceRect(double left, double top, double width, double height) const
{
    return QRectF(left * m_pxPerMmX, top * m_pxPerMmY, width * m_pxPerMmX, height * m_pxPerMmY);
}

TReportPrintable::TReportPrintable(const QString& name) : m_name(name) {}

TReportPrintable::~TReportPrintable() = default;

void TReportPrintable::Prepare() {}

void TReportPrintable::UnPrepare() {}

Report* TReportPrintable::report() const { return m_band ? m_band->report() : nullptr; }

TReportPrinter* TReportPrintable::Printer() const
{
    Report* r = report();
    return r ? r->printer() : nullptr;
}
