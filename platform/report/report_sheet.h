#pragma once
// A report of the window set: one object per report design, loaded once by
// name from forms/reports/ when the report is first used (the whole window
// set is made at start-up), so what a window sets on it (captions, fonts,
// pictures) stays until it is set again.

#include "platform/report/report.h"

#include <QObject>
#include <memory>

class QWidget;

class ReportSheet : public QObject {
    Q_OBJECT
public:
    explicit ReportSheet(const QString& design, QObject* parent = nullptr);

    Report& report() const;
    // Shows the sheet in the preview window.
    void Preview(QWidget* parent = nullptr) { report().preview(parent); }

protected:
    template <class T>
    T* element(const QString& name) const { return report().find<T>(name); }

private:
    QString m_design;
    mutable std::unique_ptr<Report> m_report;
};
