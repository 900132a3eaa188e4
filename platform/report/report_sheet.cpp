#include "report_sheet.h"

#include "platform/report/design.h"

ReportSheet::ReportSheet(const QString& design, QObject* parent) : QObject(parent), m_design(design) {}

Report& ReportSheet::report() const
{
    if (m_report)
        return *m_report;
    QString error;
    m_report = ReportDesign::load(m_design, &error);
    // The designs are built into the program and tested; an empty report keeps
    // the window set whole should one ever fail.
    if (!m_report) {
        qWarning("%s", qPrintable(error));
        m_report = std::make_unique<Report>();
    }
    return *m_report;
}
