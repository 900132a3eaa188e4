#pragma once
// The barcode elements of report bands: TReportCustomBarcode prints its own
// TBarcode in its box, TReportBarcode with a fixed text, TReportDBBarcode with
// the text of a data-set field of the row being printed.
//
// At each print the barcode is fitted to the element's box on the device:
// its origin is the box's top-left corner, its Height the box's height in
// device pixels, and its width is asked for through SetWidth (which rescales
// Modul, so the bars take whole device pixels and the symbol may end short of
// the box's right edge).
//
// In designs (platform/report/design.h) the types are "barcode" and
// "dbbarcode", with the keys
//   "barcodeHeight", "barcodeWidth", "modul", "ratio" (numbers), "typ"
//   ("bcCodeEAN13", ...), "checksum" (true/false), "checkSumMethod"
//   ("csmNone", "csmModulo10"), "angle" (degrees), "showText" ("bcoNone",
//   "bcoCode", "bcoTyp", "bcoBoth"), "color" (spaces), "colorBar" (bars);
//   "barcode" also "text", "dbbarcode" also "field".

#include "barcode/encoder/barcode.h"
#include "platform/report/data_set.h"
#include "platform/report/printable.h"

#include <QPointer>
#include <QString>
#include <functional>

class TReportCustomBarcode : public TReportPrintable {
public:
    using TPrintEvent = std::function<void(TReportCustomBarcode& sender)>;

    // A new element is 50 screen pixels (at 96 per inch) high.
    explicit TReportCustomBarcode(const QString& name = QString());

    int BarcodeHeight() const { return m_barcode.Height(); }
    void SetBarcodeHeight(int value) { m_barcode.SetHeight(value); }
    int BarcodeWidth() { return m_barcode.GetWidth(); }
    void SetBarcodeWidth(int value) { m_barcode.SetWidth(value); }
    int Modul() const { return m_barcode.Modul(); }
    void SetModul(int value) { m_barcode.SetModul(value); }
    double Ratio() const { return m_barcode.Ratio(); }
    void SetRatio(double value) { m_barcode.SetRatio(value); }
    TBarcodeType Typ() const { return m_barcode.Typ(); }
    void SetTyp(TBarcodeType value) { m_barcode.SetTyp(value); }
    bool Checksum() const { return m_barcode.Checksum(); }
    void SetChecksum(bool value) { m_barcode.SetChecksum(value); }
    TCheckSumMethod CheckSumMethod() const { return m_barcode.CheckSumMethod(); }
    void SetCheckSumMethod(TCheckSumMethod value) { m_barcode.SetCheckSumMethod(value); }
    double Angle() const { return m_barcode.Angle(); }
    void SetAngle(double value) { m_barcode.SetAngle(value); }
    TBarcodeOption ShowText() const { return m_barcode.ShowText(); }
    void SetShowText(TBarcodeOption value) { m_barcode.SetShowText(value); }
    TColor Color() const { return m_barcode.Color(); }
    void SetColor(TColor value) { m_barcode.SetColor(value); }
    TColor ColorBar() const { return m_barcode.ColorBar(); }
    void SetColorBar(TColor value) { m_barcode.SetColorBar(value); }

    // Fired at every print of the element, also when it draws nothing.
    TPrintEvent BeforePrint;
    TPrintEvent AfterPrint;

    // The owned barcode.
    TBarcode& Barcode() { return m_barcode; }
    const TBarcode& Barcode() const { return m_barcode; }

    // Fits the barcode to the box and draws it, unless its Text is empty. A
    // text the symbology cannot encode draws nothing and leaves its message in
    // PrintError instead of breaking off the report.
    void Print(double ox, double oy) override;
    void Prepare() override;

    // The message of the last print that could not encode its text; empty when none.
    QString PrintError;

protected:
    TBarcode m_barcode;
};

class TReportBarcode : public TReportCustomBarcode {
public:
    using TReportCustomBarcode::TReportCustomBarcode;

    QString Text() const { return QString::fromStdString(m_barcode.Text()); }
    void SetText(const QString& value) { m_barcode.SetText(value.toStdString()); }
};

// Takes its text from the field DataField of the data set's current row. The
// data set is the report's unless another is given. A field name that the
// data set does not have leaves the text as it was.
class TReportDBBarcode : public TReportCustomBarcode {
public:
    using TReportCustomBarcode::TReportCustomBarcode;

    QPointer<ReportDataSet> DataSet;
    QString DataField;

    // Looks the field up once per run.
    void Prepare() override;
    void Print(double ox, double oy) override;
    // Forgets the field; an empty DataField then takes the element's name.
    void UnPrepare() override;

    // Whether the last Prepare found the field.
    bool fieldFound() const { return m_found; }

private:
    QPointer<ReportDataSet> m_data;
    int m_fieldIndex = -1;
    bool m_found = false;
};
