#pragma once
// The printable element: the base of everything a report band holds, and the
// report printer that elements draw on.
//
// Report units are millimetres. Positions are measured from the paper's
// top-left corner; an element's Size is measured from its band's top-left
// corner, and the report hands each element the band's position as the
// offsets of Print. The report printer turns report positions into pixels of
// the device being printed (preview, printer or PDF), whose canvas is a
// painter in device pixels with its origin at the paper's corner.

#include <QRectF>
#include <QString>

class QPainter;
class Report;
class ReportBand;

// A position and size in report units.
struct ReportSize {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

class TReportPrinter {
public:
    // dpiX and dpiY: the device's pixels per inch.
    TReportPrinter(QPainter& canvas, double dpiX, double dpiY);

    QPainter* Canvas() const { return m_canvas; }
    // A horizontal or vertical report position as a device pixel, rounded.
    int XPos(double x) const;
    int YPos(double y) const;
    // A report rectangle in device pixels, not rounded (for text and pictures).
    QRectF deviceRect(double left, double top, double width, double height) const;
    // A report length in device pixels (pen widths).
    double xLength(double mm) const { return mm * m_pxPerMmX; }
    double yLength(double mm) const { return mm * m_pxPerMmY; }

    // The page being printed, from 1.
    int pageNumber() const { return m_page; }

private:
    friend class Report;
    QPainter* m_canvas;
    double m_pxPerMmX;
    double m_pxPerMmY;
    int m_page = 0;
};

class TReportPrintable {
public:
    explicit TReportPrintable(const QString& name = QString());
    virtual ~TReportPrintable();
    TReportPrintable(const TReportPrintable&) = delete;
    TReportPrintable& operator=(const TReportPrintable&) = delete;

    // Called by the report before it generates its pages.
    virtual void Prepare();
    // Prints the element for one band; ox and oy are the band's position on
    // the paper in report units.
    virtual void Print(double ox, double oy) = 0;
    // Called by the report after it generated its pages.
    virtual void UnPrepare();

    // The element's position and size within its band, in report units.
    ReportSize Size;
    // A disabled element prints nothing.
    bool Enabled = true;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // The band and report that hold the element (none until it is added to a band).
    ReportBand* band() const { return m_band; }
    Report* report() const;
    // The printer of the report run in progress, between Prepare and UnPrepare.
    TReportPrinter* Printer() const;

private:
    friend class ReportBand;
    QString m_name;
    ReportBand* m_band = nullptr;
};
