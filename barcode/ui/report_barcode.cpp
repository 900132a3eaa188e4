#include "report_barcode.h"

#include "barcode/ui/barcode_draw.h"
#include "barcode/ui/barcode_windows.h"
#include "platform/report/design.h"
#include "platform/report/report.h"

#include <QColor>
#include <QJsonObject>
#include <memory>

TReportCustomBarcode::TReportCustomBarcode(const QString& name) : TReportPrintable(name)
{
    Size.Height = 50 * 25.4 / 96;
}

void TReportCustomBarcode::Prepare()
{
    TReportPrintable::Prepare();
    PrintError.clear();
}

void TReportCustomBarcode::Print(double ox, double oy)
{
    if (BeforePrint)
        BeforePrint(*this);
    if (TReportPrinter* p = Printer()) {
        try {
            const int top = p->YPos(Size.Top + oy);
            const int left = p->XPos(Size.Left + ox);
            m_barcode.SetTop(top);
            m_barcode.SetLeft(left);
            m_barcode.SetHeight(p->YPos(Size.Top + oy + Size.Height) - top);
            m_barcode.SetWidth(p->XPos(Size.Left + ox + Size.Width) - left);
            if (!m_barcode.Text().empty())
                DrawBarcode(m_barcode, *p->Canvas());
        } catch (const EBarcodeError& e) {
            PrintError = QString::fromStdString(e.what());
        }
    }
    if (AfterPrint)
        AfterPrint(*this);
}

void TReportDBBarcode::Prepare()
{
    TReportCustomBarcode::Prepare();
    m_data = DataSet;
    if (!m_data && report())
        m_data = report()->dataSet();
    m_fieldIndex = m_data ? m_data->fieldIndex(DataField) : -1;
    m_found = m_fieldIndex >= 0;
}

void TReportDBBarcode::Print(double ox, double oy)
{
    if (m_found && m_data && m_data->isActive())
        m_barcode.SetText(m_data->text(m_fieldIndex).toStdString());
    TReportCustomBarcode::Print(ox, oy);
}

void TReportDBBarcode::UnPrepare()
{
    m_data = nullptr;
    m_fieldIndex = -1;
    TReportCustomBarcode::UnPrepare();
    if (DataField.isEmpty())
        DataField = name();
}

namespace {

// The keys of a design element, read into a barcode element; false with the
// reason in error when a key is wrong.
class KeyReader {
public:
    KeyReader(const QJsonObject& keys, QString* error) : m_keys(keys), m_error(error) {}

    bool ok() const { return m_ok; }

    double number(const char* key, double fallback)
    {
        const QJsonValue v = m_keys.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isDouble())
            return fail(QString("\"%1\" must be a number").arg(key)), fallback;
        return v.toDouble();
    }

    bool boolean(const char* key, bool fallback)
    {
        const QJsonValue v = m_keys.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            return fail(QString("\"%1\" must be true or false").arg(key)), fallback;
        return v.toBool();
    }

    QString text(const char* key)
    {
        const QJsonValue v = m_keys.value(key);
        if (!v.isUndefined() && !v.isString())
            fail(QString("\"%1\" must be a text").arg(key));
        return v.toString();
    }

    // An enumeration value by its name, out of count names.
    template <class E>
    E choice(const char* key, E fallback, int count, const std::function<QString(int)>& nameOf)
    {
        if (!m_keys.contains(key))
            return fallback;
        const QString name = text(key);
        for (int i = 0; i < count; ++i)
            if (nameOf(i) == name)
                return static_cast<E>(i);
        fail(QString("\"%1\" has no value \"%2\"").arg(key, name));
        return fallback;
    }

    TColor color(const char* key, TColor fallback)
    {
        if (!m_keys.contains(key))
            return fallback;
        const QColor c(text(key));
        if (!c.isValid())
            return fail(QString("\"%1\" is not a colour").arg(key)), fallback;
        return TColor(c.rgb() & 0xFFFFFF);
    }

private:
    void fail(const QString& what)
    {
        if (m_ok && m_error)
            *m_error = what;
        m_ok = false;
    }

    const QJsonObject& m_keys;
    QString* m_error;
    bool m_ok = true;
};

QString typeName(int i) { return QString::fromLatin1(BarcodeTypeEnumName(TBarcodeType(i)).data()); }
QString optionName(int i)
{
    static const char* names[] = {"bcoNone", "bcoCode", "bcoTyp", "bcoBoth"};
    return names[i];
}
QString methodName(int i)
{
    static const char* names[] = {"csmNone", "csmModulo10"};
    return names[i];
}

const QStringList BarcodeKeys = {"barcodeHeight", "barcodeWidth", "modul", "ratio", "typ",
                                 "checksum", "checkSumMethod", "angle", "showText", "color",
                                 "colorBar"};

// The published properties in their stored order, so that barcodeWidth is
// fitted with the defaults and a later modul wins, as a stored element loads.
bool readBarcodeKeys(TReportCustomBarcode& e, const QJsonObject& keys, QString* error)
{
    KeyReader r(keys, error);
    try {
        e.SetBarcodeHeight(int(r.number("barcodeHeight", e.BarcodeHeight())));
        if (keys.contains("barcodeWidth"))
            e.SetBarcodeWidth(int(r.number("barcodeWidth", 0)));
        e.SetModul(int(r.number("modul", e.Modul())));
        e.SetRatio(r.number("ratio", e.Ratio()));
        e.SetTyp(r.choice<TBarcodeType>("typ", e.Typ(), TBarcodeTypeCount, typeName));
        e.SetChecksum(r.boolean("checksum", e.Checksum()));
        e.SetCheckSumMethod(r.choice<TCheckSumMethod>("checkSumMethod", e.CheckSumMethod(), 2, methodName));
        e.SetAngle(r.number("angle", e.Angle()));
        e.SetShowText(r.choice<TBarcodeOption>("showText", e.ShowText(), 4, optionName));
        e.SetColor(r.color("color", e.Color()));
        e.SetColorBar(r.color("colorBar", e.ColorBar()));
    } catch (const EBarcodeError& x) {
        if (error)
            *error = QString::fromStdString(x.what());
        return false;
    }
    return r.ok();
}

} // namespace

void registerBarcodeElements()
{
    ReportDesign::registerType(QStringLiteral("barcode"),
        [](const QJsonObject& keys, QString* error) -> std::unique_ptr<TReportPrintable> {
            if (!ReportDesign::onlyKeys(keys, BarcodeKeys + QStringList{"text"}, error))
                return nullptr;
            auto e = std::make_unique<TReportBarcode>();
            if (!readBarcodeKeys(*e, keys, error))
                return nullptr;
            KeyReader r(keys, error);
            e->SetText(r.text("text"));
            return r.ok() ? std::move(e) : nullptr;
        });
    ReportDesign::registerType(QStringLiteral("dbbarcode"),
        [](const QJsonObject& keys, QString* error) -> std::unique_ptr<TReportPrintable> {
            if (!ReportDesign::onlyKeys(keys, BarcodeKeys + QStringList{"field"}, error))
                return nullptr;
            auto e = std::make_unique<TReportDBBarcode>();
            if (!readBarcodeKeys(*e, keys, error))
                return nullptr;
            KeyReader r(keys, error);
            e->DataField = r.text("field");
            return r.ok() ? std::move(e) : nullptr;
        });
}
