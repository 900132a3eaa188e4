#include "report.h"

#include "elements.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

std::function<void(Report&)>& previewHandler()
{
    static std::function<void(Report&)> handler;
    return handler;
}

// Lets a band end exactly at the page footer despite rounding.
constexpr double Tolerance = 1e-6;

} // namespace

ReportBand::ReportBand(Report* report, BandKind kind) : m_report(report), m_kind(kind) {}

void ReportBand::adopt(std::unique_ptr<TReportPrintable> element)
{
    element->m_band = this;
    m_elements.push_back(std::move(element));
}

QSizeF ReportPage::paper() const
{
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

QPageLayout ReportPage::layout() const
{
    const QPageSize pageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(pageSize, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// One generation of the pages: places the bands down the pages and breaks
// pages where a band no longer fits.
class Report::Run {
public:
    Run(Report& report, QPagedPaintDevice& device, TReportPrinter& printer)
        : r(report), device(device), printer(printer)
    {
        const QSizeF paper = r.page.paper();
        bottom = paper.height() - r.page.margins.bottom();
        footer = r.band(BandKind::PageFooter);
        if (footer)
            bottom -= footer->Height;
    }

    void generate()
    {
        startPage();
        if (ReportBand* detail = r.band(BandKind::Detail)) {
            ReportDataSet* data = r.dataSet();
            if (!data->isActive()) {
                place(*detail);
            } else {
                for (data->first(); !data->eof(); data->next())
                    place(*detail);
            }
        }
        if (ReportBand* summary = r.band(BandKind::Summary))
            place(*summary);
        endPage();
    }

private:
    void startPage()
    {
        if (printer.m_page > 0)
            device.newPage();
        ++printer.m_page;
        y = r.page.margins.top();
        if (ReportBand* header = r.band(BandKind::PageHeader))
            paintIfWanted(*header);
        if (printer.m_page == 1)
            if (ReportBand* title = r.band(BandKind::Title))
                paintIfWanted(*title);
        if (ReportBand* columns = r.band(BandKind::ColumnHeader))
            paintIfWanted(*columns);
        contentTop = y;
    }

    void endPage()
    {
        if (footer) {
            y = bottom;
            paintIfWanted(*footer);
        }
    }

    // A detail or summary band: on a new page when it no longer fits, unless
    // the page has nothing on it yet (a band taller than the page).
    void place(ReportBand& band)
    {
        if (!wanted(band))
            return;
        if (y + band.Height > bottom + Tolerance && y > contentTop + Tolerance) {
            endPage();
            startPage();
        }
        paint(band);
    }

    bool wanted(ReportBand& band)
    {
        if (band.kind() == BandKind::Detail)
            ++r.m_detailNumber;
        bool print = true;
        if (band.BeforePrint)
            band.BeforePrint(band, print);
        if (!print && band.kind() == BandKind::Detail)
            --r.m_detailNumber;
        return print;
    }

    void paintIfWanted(ReportBand& band)
    {
        if (wanted(band))
            paint(band);
    }

    void paint(ReportBand& band)
    {
        const double ox = r.page.margins.left();
        for (const auto& element : band.elements())
            if (element->Enabled)
                element->Print(ox, y);
        y += band.Height;
        ++band.m_count;
        if (band.AfterPrint)
            band.AfterPrint(band);
    }

    Report& r;
    QPagedPaintDevice& device;
    TReportPrinter& printer;
    ReportBand* footer = nullptr;
    double y = 0;
    double contentTop = 0;
    double bottom = 0;
};

Report::Report() : m_dataSet(std::make_unique<ReportDataSet>()) {}

Report::~Report() = default;

ReportBand& Report::addBand(BandKind kind, double height)
{
    auto& slot = m_bands[int(kind)];
    if (!slot)
        slot = std::make_unique<ReportBand>(this, kind);
    slot->Height = height;
    return *slot;
}

ReportBand* Report::band(BandKind kind) const { return m_bands[int(kind)].get(); }

std::vector<ReportBand*> Report::bands() const
{
    std::vector<ReportBand*> out;
    for (const auto& b : m_bands)
        if (b)
            out.push_back(b.get());
    return out;
}

TReportPrintable* Report::element(const QString& name) const
{
    for (ReportBand* b : bands())
        for (const auto& e : b->elements())
            if (e->name() == name)
                return e.get();
    return nullptr;
}

bool Report::setCaption(const QString& name, const QString& caption)
{
    auto* label = find<ReportLabel>(name);
    if (!label)
        return false;
    label->Caption = caption;
    return true;
}

bool Report::render(QPagedPaintDevice& device)
{
    device.setPageLayout(page.layout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // What elements draw in the canvas's font (the codes under barcodes)
    // prints in the body's family alone.
    QFont body(ReportTextFamily, 10);
    body.setStyleStrategy(QFont::NoFontMerging);
    painter.setFont(body);
    TReportPrinter printer(painter, device.logicalDpiX(), device.logicalDpiY());

    m_printer = &printer;
    m_detailNumber = 0;
    for (ReportBand* b : bands()) {
        b->m_count = 0;
        for (const auto& e : b->elements())
            e->Prepare();
    }
    Run(*this, device, printer).generate();
    for (ReportBand* b : bands())
        for (const auto& e : b->elements())
            e->UnPrepare();
    m_printer = nullptr;
    m_pageCount = printer.pageNumber();
    return painter.end();
}

bool Report::print(QPrinter& printer)
{
    printer.setFullPage(true);
    return render(printer);
}

bool Report::savePdf(const QString& path) { return writePdf(path).ok(); }

SaveFile::Outcome Report::writePdf(const QString& path, int resolution)
{
    // The PDF writer writes what it can and tells nothing of a disk that
    // filled up on the way: the pages are made in memory, then written out
    // whole, so that a failure is seen and no part is left behind.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(caption);
        if (resolution > 0)
            writer.setResolution(resolution);
        if (!render(writer))
            return SaveFile::Outcome{SaveFile::Failure::NotWritten, path};
    }
    return SaveFile::write(path, pdf.data());
}

bool Report::printTo(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return print(printer);
    return writePdf(printer.outputFileName(), printer.resolution()).said();
}

std::unique_ptr<QPrintPreviewDialog> Report::createPreview(QWidget* parent)
{
    // The preview lays the text out at the resolution of the PDF and of the
    // printer, so that lines break and sizes fit as they will print.
    m_previewPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrinter* printer = m_previewPrinter.get();
    auto dialog = std::make_unique<QPrintPreviewDialog>(printer, parent);
    dialog->setWindowTitle(caption);
    printer->setFullPage(true);
    printer->setPageLayout(page.layout());
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [this](QPrinter* p) { printTo(*p); });
    return dialog;
}

void Report::preview(QWidget* parent)
{
    if (previewHandler()) {
        previewHandler()(*this);
        return;
    }
    auto dialog = createPreview(parent);
    dialog->setWindowState(Qt::WindowMaximized);
    dialog->exec();
}

void Report::setPreviewHandler(std::function<void(Report&)> handler)
{
    previewHandler() = std::move(handler);
}
