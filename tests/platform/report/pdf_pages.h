#pragma once
// Looks at a report the way a reader of the printed page does: the report is
// saved as PDF, turned into pictures with pdftoppm, and measured in
// millimetres from the paper's corner. Words and their boxes come from
// pdftotext.

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class Report;

class PdfPages {
public:
    // Renders the report; pages stays empty (and a test failure is recorded) on error.
    explicit PdfPages(Report& report, int dpi = 100);

    QList<QImage> pages;
    QString pdfPath() const { return m_dir.filePath("report.pdf"); }

    // The paper size of a page in millimetres.
    QSizeF paperMm(int page) const;
    // The box of dark ink within a region (mm), or an empty rectangle.
    QRectF ink(int page, const QRectF& regionMm) const;
    // The runs of dark ink down a vertical line at x (mm): each as [top, bottom] in mm.
    QList<QPair<double, double>> runsDown(int page, double xMm) const;

    // The words pdftotext finds on a page, with their boxes in millimetres.
    struct Word {
        QString text;
        QRectF box;
    };
    QList<Word> words(int page) const;
    // The names of the fonts the PDF holds, as pdffonts gives them, each once, sorted.
    QStringList fonts() const;

private:
    double mm(int px) const { return px * 25.4 / m_dpi; }
    int px(double mm) const { return int(mm * m_dpi / 25.4); }
    bool dark(const QImage& img, int x, int y) const;

    QTemporaryDir m_dir;
    int m_dpi;
};
