#include "pdf_pages.h"

#include "platform/report/report.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

PdfPages::PdfPages(Report& report, int dpi) : m_dpi(dpi)
{
    if (!report.savePdf(pdfPath())) {
        QTest::qFail("the report was not saved as PDF", __FILE__, __LINE__);
        return;
    }
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", pdfPath(), m_dir.filePath("page")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        QTest::qFail("pdftoppm failed", __FILE__, __LINE__);
        return;
    }
    // pdftoppm numbers the pages with as many digits as the last one needs.
    const QStringList files = QDir(m_dir.path()).entryList({"page-*.png"}, QDir::Files, QDir::Name);
    for (const QString& f : files)
        pages << QImage(m_dir.filePath(f)).convertToFormat(QImage::Format_Grayscale8);
}

QSizeF PdfPages::paperMm(int page) const
{
    return QSizeF(mm(pages[page].width()), mm(pages[page].height()));
}

bool PdfPages::dark(const QImage& img, int x, int y) const
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height()
        && img.constScanLine(y)[x] < 128;
}

QRectF PdfPages::ink(int page, const QRectF& r) const
{
    const QImage& img = pages[page];
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = px(r.top()); y <= px(r.bottom()); ++y)
        for (int x = px(r.left()); x <= px(r.right()); ++x)
            if (dark(img, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRectF(QPointF(mm(left), mm(top)), QPointF(mm(right + 1), mm(bottom + 1)));
}

QList<QPair<double, double>> PdfPages::runsDown(int page, double xMm) const
{
    const QImage& img = pages[page];
    const int x = px(xMm);
    QList<QPair<double, double>> runs;
    int start = -1;
    for (int y = 0; y <= img.height(); ++y) {
        const bool d = y < img.height() && dark(img, x, y);
        if (d && start < 0)
            start = y;
        if (!d && start >= 0) {
            runs.append({mm(start), mm(y)});
            start = -1;
        }
    }
    return runs;
}

QList<PdfPages::Word> PdfPages::words(int page) const
{
    QProcess p;
    const QString n = QString::number(page + 1);
    p.start("pdftotext", {"-bbox", "-f", n, "-l", n, pdfPath(), "-"});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QList<Word> out;
    const double ptToMm = 25.4 / 72;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.append({m.captured(5),
                    QRectF(QPointF(m.captured(1).toDouble() * ptToMm, m.captured(2).toDouble() * ptToMm),
                           QPointF(m.captured(3).toDouble() * ptToMm, m.captured(4).toDouble() * ptToMm))});
    }
    return out;
}

QStringList PdfPages::fonts() const
{
    QProcess p;
    p.start("pdffonts", {pdfPath()});
    p.waitForFinished(60000);
    // Two lines of titles, then a font a line, its name first.
    QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
    for (QString& line : out)
        line = line.section(' ', 0, 0);
    out.sort();
    out.removeDuplicates();
    return out;
}
