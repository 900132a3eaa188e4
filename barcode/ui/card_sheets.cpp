#include "card_sheets.h"

#include "barcode/ui/report_barcode.h"
#include "platform/report/design.h"

Tcart_print::Tcart_print(QObject* parent) : ReportSheet(QStringLiteral("cart_print"), parent)
{
    RepLabel1 = element<ReportLabel>(QStringLiteral("RepLabel1"));
    RepLabel2 = element<ReportLabel>(QStringLiteral("RepLabel2"));
    RepLabel3 = element<ReportLabel>(QStringLiteral("RepLabel3"));
    RepLabel4 = element<ReportLabel>(QStringLiteral("RepLabel4"));
    RepLabel5 = element<ReportLabel>(QStringLiteral("RepLabel5"));
    RepLabel6 = element<ReportLabel>(QStringLiteral("RepLabel6"));
    RepMemo1 = element<ReportMemo>(QStringLiteral("RepMemo1"));
    RepMemo2 = element<ReportMemo>(QStringLiteral("RepMemo2"));
    RepImage1 = element<ReportImage>(QStringLiteral("RepImage1"));
    RepImage2 = element<ReportImage>(QStringLiteral("RepImage2"));
    RepDBText1 = element<ReportDBText>(QStringLiteral("RepDBText1"));
    RepDBText2 = element<ReportDBText>(QStringLiteral("RepDBText2"));
    ReportDBBarcode1 = element<TReportDBBarcode>(QStringLiteral("ReportDBBarcode1"));
    ReportDBBarcode2 = element<TReportDBBarcode>(QStringLiteral("ReportDBBarcode2"));
    m_rows.setHorizontalHeaderLabels({QStringLiteral("serial1"), QStringLiteral("serial2")});
    report().setModel(&m_rows);
}

void Tcart_print::setRows(const QList<SerialRow>& rows)
{
    m_rows.setRowCount(0);
    m_rows.setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        m_rows.setData(m_rows.index(i, 0), rows[i].serial1);
        m_rows.setData(m_rows.index(i, 1), rows[i].serial2);
    }
}

TbarcodeTypes::TbarcodeTypes(QObject* parent) : ReportSheet(QStringLiteral("barcodeTypes"), parent) {}

TbarcodeTypes2::TbarcodeTypes2(QObject* parent) : ReportSheet(QStringLiteral("barcodeTypes2"), parent) {}
