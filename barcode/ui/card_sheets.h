#pragma once
// The printed sheets of the occasion cards: the card sheet (two cards a row,
// one row per row of serials) and the two barcode sample sheets. Each is one
// object of the window set holding its report, loaded once from its design in
// forms/reports/, so what the card window sets on it (texts, fonts, pictures)
// stays until it is set again.

#include "platform/report/elements.h"
#include "platform/report/report.h"
#include "platform/report/report_sheet.h"

#include <QObject>
#include <QStandardItemModel>
#include <memory>

class TReportDBBarcode;
class QWidget;

// One row of the card sheet: the serials of the right and the left card.
struct SerialRow {
    qint64 serial1 = 0;
    qint64 serial2 = 0;
};

class Tcart_print : public ReportSheet {
    Q_OBJECT
public:
    explicit Tcart_print(QObject* parent = nullptr);

    // The rows the sheet prints, one detail band each (columns serial1, serial2).
    void setRows(const QList<SerialRow>& rows);
    QStandardItemModel& ADOQ_cart() { return m_rows; }

    // Headings, texts, pictures, sentences, serial captions and numbers and the
    // barcodes of the right (1, 3, 5) and left (2, 4, 6) card.
    ReportLabel* RepLabel1;
    ReportLabel* RepLabel2;
    ReportLabel* RepLabel3;
    ReportLabel* RepLabel4;
    ReportLabel* RepLabel5;
    ReportLabel* RepLabel6;
    ReportMemo* RepMemo1;
    ReportMemo* RepMemo2;
    ReportImage* RepImage1;
    ReportImage* RepImage2;
    ReportDBText* RepDBText1;
    ReportDBText* RepDBText2;
    TReportDBBarcode* ReportDBBarcode1;
    TReportDBBarcode* ReportDBBarcode2;

private:
    QStandardItemModel m_rows;
};

// The sample sheets: every symbology with the value 1362, once per text option.
class TbarcodeTypes : public ReportSheet {
    Q_OBJECT
public:
    explicit TbarcodeTypes(QObject* parent = nullptr);
};

class TbarcodeTypes2 : public ReportSheet {
    Q_OBJECT
public:
    explicit TbarcodeTypes2(QObject* parent = nullptr);
};
