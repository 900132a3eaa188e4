#pragma once
// The banded report: a page with margins, bands and the elements they hold,
// run over a data set and sent to the preview window, a printer or a PDF file.
//
// Bands and where they print:
//   pageHeader    at the top of every page
//   title         once, under the page header of the first page
//   columnHeader  under those, on every page
//   detail        once per row of the data set (once when the report has no
//                 data set bound, never when the bound data set has no row)
//   summary       once, after the last detail
//   pageFooter    at the bottom of every page, above the bottom margin
// A band that no longer fits above the page footer starts a new page. A band
// taller than a whole page prints on a page of its own, cut at the page's edge.
//
// Designs are usually loaded from files (design.h); code then fills the named
// captions, binds the data set and shows the preview.

#include "platform/report/data_set.h"
#include "platform/report/printable.h"
#include "platform/ui/save_file.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QSizeF>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

enum class BandKind { Title, PageHeader, ColumnHeader, Detail, Summary, PageFooter };

class ReportBand {
public:
    ReportBand(Report* report, BandKind kind);
    ReportBand(const ReportBand&) = delete;
    ReportBand& operator=(const ReportBand&) = delete;

    BandKind kind() const { return m_kind; }
    Report* report() const { return m_report; }

    // The band's height in millimetres.
    double Height = 0;

    // Adds an element (owned by the band) and answers it.
    template <class T>
    T* add(std::unique_ptr<T> element)
    {
        T* raw = element.get();
        adopt(std::move(element));
        return raw;
    }
    const std::vector<std::unique_ptr<TReportPrintable>>& elements() const { return m_elements; }

    // Called before the band prints; clearing printBand skips it this time.
    std::function<void(ReportBand& band, bool& printBand)> BeforePrint;
    // Called after the band printed.
    std::function<void(ReportBand& band)> AfterPrint;

    // How many times the band has printed in the current run.
    int count() const { return m_count; }

private:
    friend class Report;
    void adopt(std::unique_ptr<TReportPrintable> element);

    Report* m_report;
    BandKind m_kind;
    std::vector<std::unique_ptr<TReportPrintable>> m_elements;
    int m_count = 0;
};

// The paper and its margins, in millimetres.
struct ReportPage {
    // Width and height of the paper held upright.
    QSizeF size = QSizeF(210, 297);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins = QMarginsF(10, 10, 10, 10);

    static QSizeF a4() { return QSizeF(210, 297); }
    static QSizeF a5() { return QSizeF(148, 210); }
    // The paper as it lies: width and height swapped for landscape.
    QSizeF paper() const;
    QPageLayout layout() const;
};

class Report {
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // The title of the preview window.
    QString caption;
    ReportPage page;

    // The band of a kind, made on first use; band() answers none when the
    // report has no band of that kind.
    ReportBand& addBand(BandKind kind, double height);
    ReportBand* band(BandKind kind) const;

    // The rows the detail band runs over; not active until a model is bound.
    ReportDataSet* dataSet() const { return m_dataSet.get(); }
    void setModel(QAbstractItemModel* model) { m_dataSet->setModel(model); }

    // The element of that name in any band, or none.
    TReportPrintable* element(const QString& name) const;
    template <class T>
    T* find(const QString& name) const { return dynamic_cast<T*>(element(name)); }
    // Gives the label or memo of that name its caption; false when there is none.
    bool setCaption(const QString& name, const QString& caption);

    // Generates every page on the device: its page layout is set to the
    // report's paper. False when the device cannot be painted on.
    bool render(QPagedPaintDevice& device);
    // Generates every page on a printer, from the paper's corner.
    bool print(QPrinter& printer);
    // Writes the report as a PDF file, whole or not at all (resolution in dots
    // per inch, 0: the PDF writer's own); false when the file cannot be
    // written. writePdf answers why.
    bool savePdf(const QString& path);
    SaveFile::Outcome writePdf(const QString& path, int resolution = 0);
    // What the preview's print does: prints on the printer, or, where the
    // printer prints to a PDF file, writes that file whole or says why not
    // (the disk is full, the folder cannot be written) and leaves none.
    bool printTo(QPrinter& printer);

    // Shows the report in the preview window, from which it can be printed.
    // When a preview handler is installed (tests), the handler is called instead.
    void preview(QWidget* parent = nullptr);
    // The preview window, not yet shown; it must not outlive the report, nor
    // be shown after the next preview window is made (they share a printer).
    std::unique_ptr<QPrintPreviewDialog> createPreview(QWidget* parent = nullptr);
    // Installs a handler for preview(); an empty one restores the window.
    static void setPreviewHandler(std::function<void(Report&)> handler);

    // During a run: the printer, and how many detail rows have printed
    // (the current one included). After a run: the number of pages.
    TReportPrinter* printer() const { return m_printer; }
    int detailNumber() const { return m_detailNumber; }
    int pageCount() const { return m_pageCount; }

private:
    class Run;
    std::vector<ReportBand*> bands() const;

    std::unique_ptr<ReportBand> m_bands[6];
    std::unique_ptr<ReportDataSet> m_dataSet;
    TReportPrinter* m_printer = nullptr;
    // The printer of the preview window last made.
    std::unique_ptr<QPrinter> m_previewPrinter;
    int m_detailNumber = 0;
    int m_pageCount = 0;
};
