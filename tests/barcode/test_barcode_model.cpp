// TBarcode's model: defaults, change notification, Assign, element
// widths and their clamps, MakeData's steps and errors, widths, check digits.

#include "barcode/encoder/barcode.h"

#include <QtTest>

#include <climits>

namespace {

// Counts OnChange calls and checks the sender.
struct ChangeCounter {
    int count = 0;
    const TBarcode* lastSender = nullptr;
    void attach(TBarcode& b)
    {
        b.SetOnChange([this](TBarcode& sender) {
            ++count;
            lastSender = &sender;
        });
    }
};

template <typename F>
QString errorOf(F&& f)
{
    try {
        f();
    } catch (const EBarcodeError& e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("<no error>");
}

std::array<int, 4> widthsAfterEncoding(TBarcode& b)
{
    b.MakeData();
    return b.Modules();
}

// A barcode of the text "1", which every symbology encodes.
TBarcode digitOne(TBarcodeType typ, int modul, double ratio)
{
    TBarcode b;
    b.SetTyp(typ);
    b.SetModul(modul);
    b.SetRatio(ratio);
    b.SetText("1");
    return b;
}

class NotABarcode : public TPersistent {
};

} // namespace

class TestBarcodeModel : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void ordinals();
    void typeNames();
    void settersFireWhenTheValueDiffers();
    void modulFiresAlwaysAndIgnoresOutOfRange();
    void storeOnlySetters();
    void assignCopiesWithoutNotifying();
    void assignIgnoresOtherSources();
    void newComponentWidths();
    void ratioClamps_data();
    void ratioClamps();
    void ratioRoundsHalfToEven_data();
    void ratioRoundsHalfToEven();
    void moduleCountWidthsAreMultiplesOfModul();
    void widthsDoNotOverflow();
    void digitsOnlyTextIsTrimmedAndChecked();
    void otherTextIsNotTrimmed();
    void wrongType();
    void emptyTextEncodesEverywhere();
    void oneBarProps();
    void setLen();
    void getWidth();
    void setWidth();
    void writeBacksDoNotNotify();
    void checkSumModulo10();
    void checkSumSupp5();
    void digitSum();
    void doCheckSumming();
    void convertModuleCounts();
};

void TestBarcodeModel::defaults()
{
    TBarcode b;
    QCOMPARE(b.Height(), 0);
    QCOMPARE(b.Text(), std::string());
    QCOMPARE(b.Top(), 0);
    QCOMPARE(b.Left(), 0);
    QCOMPARE(b.Modul(), 1);
    QCOMPARE(b.Ratio(), 2.0);
    QCOMPARE(b.Typ(), bcCodeEAN13);
    QCOMPARE(b.Checksum(), false);
    QCOMPARE(b.CheckSumMethod(), csmModulo10);
    QCOMPARE(b.Angle(), 0.0);
    QCOMPARE(b.ShowText(), bcoNone);
    QCOMPARE(b.Color(), clWhite);
    QCOMPARE(b.ColorBar(), clBlack);
    QVERIFY(!b.OnChange());
    QCOMPARE(b.GetTypText(), std::string_view("EAN13"));
    QCOMPARE(b.ClassName(), std::string_view("TBarcode"));
}

void TestBarcodeModel::ordinals()
{
    QCOMPARE(int(bcCode_2_5_interleaved), 0);
    QCOMPARE(int(bcCode39), 3);
    QCOMPARE(int(bcCode128A), 5);
    QCOMPARE(int(bcCode93), 8);
    QCOMPARE(int(bcCodeMSI), 10);
    QCOMPARE(int(bcCodeCodabar), 12);
    QCOMPARE(int(bcCodeEAN13), 14);
    QCOMPARE(int(bcCodeUPC_Supp5), 19);
    QCOMPARE(int(bcCodeEAN128C), 22);
    QCOMPARE(TBarcodeTypeCount, 23);
    QCOMPARE(int(bcoBoth), 3);
    QCOMPARE(int(csmModulo10), 1);
}

void TestBarcodeModel::typeNames()
{
    const char* names[23] = {"2_5_interleaved", "2_5_industrial", "2_5_matrix", "Code39",
                             "Code39 Extended", "Code128A", "Code128B", "Code128C", "Code93",
                             "Code93 Extended", "MSI", "PostNet", "Codebar", "EAN8", "EAN13",
                             "UPC_A", "UPC_E0", "UPC_E1", "UPC Supp2", "UPC Supp5", "EAN128A",
                             "EAN128B", "EAN128C"};
    const bool numeric[23] = {true, true, true, false, false, false, false, true, false, false,
                              true, true, false, true, true, true, true, true, true, true,
                              false, false, true};
    for (int t = 0; t < 23; ++t) {
        TBarcode b;
        b.SetTyp(static_cast<TBarcodeType>(t));
        QCOMPARE(b.GetTypText(), std::string_view(names[t]));
        QCOMPARE(IsNumericBarcodeType(static_cast<TBarcodeType>(t)), numeric[t]);
    }
    QCOMPARE(BarcodeTypeEnumName(bcCodeEAN13), std::string_view("bcCodeEAN13"));
    QCOMPARE(BarcodeTypeEnumName(bcCode_2_5_interleaved), std::string_view("bcCode_2_5_interleaved"));
    QCOMPARE(BarcodeTypeName(static_cast<TBarcodeType>(23)), std::string_view());
}

void TestBarcodeModel::settersFireWhenTheValueDiffers()
{
    TBarcode b;
    ChangeCounter c;
    c.attach(b);

    auto fires = [&](auto&& set, int expected) {
        const int before = c.count;
        set();
        return c.count - before == expected;
    };
    QVERIFY(fires([&] { b.SetHeight(50); }, 1));
    QVERIFY(fires([&] { b.SetHeight(50); }, 0));
    QVERIFY(fires([&] { b.SetText("123"); }, 1));
    QVERIFY(fires([&] { b.SetText("123"); }, 0));  // the same text does not fire
    QVERIFY(fires([&] { b.SetTop(7); }, 1));
    QVERIFY(fires([&] { b.SetTop(7); }, 0));
    QVERIFY(fires([&] { b.SetLeft(9); }, 1));
    QVERIFY(fires([&] { b.SetLeft(9); }, 0));
    QVERIFY(fires([&] { b.SetRatio(2.5); }, 1));
    QVERIFY(fires([&] { b.SetRatio(2.5); }, 0));
    QVERIFY(fires([&] { b.SetTyp(bcCode39); }, 1));
    QVERIFY(fires([&] { b.SetTyp(bcCode39); }, 0));
    QVERIFY(fires([&] { b.SetChecksum(true); }, 1));
    QVERIFY(fires([&] { b.SetChecksum(true); }, 0));
    QVERIFY(fires([&] { b.SetAngle(90.0); }, 1));
    QVERIFY(fires([&] { b.SetAngle(90.0); }, 0));
    QVERIFY(fires([&] { b.SetShowText(bcoBoth); }, 1));
    QVERIFY(fires([&] { b.SetShowText(bcoBoth); }, 0));
    QCOMPARE(c.lastSender, &b);

    QCOMPARE(b.Height(), 50);
    QCOMPARE(b.Text(), std::string("123"));
    QCOMPARE(b.Top(), 7);
    QCOMPARE(b.Left(), 9);
    QCOMPARE(b.Ratio(), 2.5);
    QCOMPARE(b.Typ(), bcCode39);
    QCOMPARE(b.Checksum(), true);
    QCOMPARE(b.Angle(), 90.0);
    QCOMPARE(b.ShowText(), bcoBoth);
}

void TestBarcodeModel::modulFiresAlwaysAndIgnoresOutOfRange()
{
    TBarcode b;
    ChangeCounter c;
    c.attach(b);
    b.SetModul(1);  // the current value fires too
    QCOMPARE(c.count, 1);
    b.SetModul(49);
    QCOMPARE(c.count, 2);
    QCOMPARE(b.Modul(), 49);
    for (int bad : {0, 50, -1, 1000, INT_MIN, INT_MAX}) {
        b.SetModul(bad);
        QCOMPARE(b.Modul(), 49);
    }
    QCOMPARE(c.count, 2);  // ignored without a notification
}

void TestBarcodeModel::storeOnlySetters()
{
    TBarcode b;
    ChangeCounter c;
    c.attach(b);
    b.SetCheckSumMethod(csmNone);
    b.SetColor(0x123456);
    b.SetColorBar(0x654321);
    QCOMPARE(c.count, 0);
    QCOMPARE(b.CheckSumMethod(), csmNone);
    QCOMPARE(b.Color(), TColor(0x123456));
    QCOMPARE(b.ColorBar(), TColor(0x654321));
    int other = 0;
    b.SetOnChange([&](TBarcode&) { ++other; });  // storing the handler fires nothing
    QCOMPARE(other, 0);
    b.SetHeight(3);
    QCOMPARE(other, 1);
    QCOMPARE(c.count, 0);
}

void TestBarcodeModel::assignCopiesWithoutNotifying()
{
    TBarcode source;
    int sourceChanges = 0;
    source.SetHeight(40);
    source.SetText("ABC");
    source.SetTop(3);
    source.SetLeft(4);
    source.SetModul(5);
    source.SetRatio(2.75);
    source.SetTyp(bcCode93);
    source.SetChecksum(true);
    source.SetCheckSumMethod(csmNone);
    source.SetAngle(45.0);
    source.SetShowText(bcoTyp);
    source.SetColor(0x00FF00);
    source.SetColorBar(0x0000FF);
    source.SetOnChange([&](TBarcode&) { ++sourceChanges; });

    TBarcode target;
    int targetChanges = 0;
    target.SetOnChange([&](TBarcode&) { ++targetChanges; });
    target.Assign(&source);
    QCOMPARE(targetChanges, 0);
    QCOMPARE(sourceChanges, 0);
    QCOMPARE(target.Height(), 40);
    QCOMPARE(target.Text(), std::string("ABC"));
    QCOMPARE(target.Top(), 3);
    QCOMPARE(target.Left(), 4);
    QCOMPARE(target.Modul(), 5);
    QCOMPARE(target.Ratio(), 2.75);
    QCOMPARE(target.Typ(), bcCode93);
    QCOMPARE(target.Checksum(), true);
    QCOMPARE(target.CheckSumMethod(), csmNone);
    QCOMPARE(target.Angle(), 45.0);
    QCOMPARE(target.ShowText(), bcoTyp);
    QCOMPARE(target.Color(), TColor(0x00FF00));
    QCOMPARE(target.ColorBar(), TColor(0x0000FF));
    // OnChange is copied too: the target now notifies the source's handler.
    target.SetHeight(41);
    QCOMPARE(sourceChanges, 1);
    QCOMPARE(targetChanges, 0);
}

void TestBarcodeModel::assignIgnoresOtherSources()
{
    TBarcode b;
    b.SetText("1");
    b.SetModul(3);
    ChangeCounter c;
    c.attach(b);
    NotABarcode other;
    b.Assign(&other);
    b.Assign(other);
    b.Assign(nullptr);
    QCOMPARE(b.Text(), std::string("1"));
    QCOMPARE(b.Modul(), 3);
    QCOMPARE(c.count, 0);
    QVERIFY(b.OnChange());
}

void TestBarcodeModel::newComponentWidths()
{
    TBarcode b;
    b.SetText("400638133393");
    b.SetChecksum(true);
    QCOMPARE(widthsAfterEncoding(b), (std::array<int, 4>{1, 2, 3, 4}));
    QCOMPARE(b.Ratio(), 2.0);
}

void TestBarcodeModel::ratioClamps_data()
{
    QTest::addColumn<int>("typ");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("after");
    QTest::addColumn<int>("changes");

    QTest::newRow("EAN-13 5.0 -> 3.0") << int(bcCodeEAN13) << 5.0 << 3.0 << 1;
    QTest::newRow("EAN-13 1.0 -> 2.0") << int(bcCodeEAN13) << 1.0 << 2.0 << 1;
    QTest::newRow("EAN-13 2.25 stays") << int(bcCodeEAN13) << 2.25 << 2.25 << 0;
    QTest::newRow("Code 128 B 5.0 stays") << int(bcCode128B) << 5.0 << 5.0 << 0;
    QTest::newRow("Code 128 C 0.5 stays") << int(bcCode128C) << 0.5 << 0.5 << 0;
    QTest::newRow("Code 93 9.0 stays") << int(bcCode93) << 9.0 << 9.0 << 0;
    QTest::newRow("MSI 5.0 stays") << int(bcCodeMSI) << 5.0 << 5.0 << 0;
    QTest::newRow("PostNet 1.0 stays") << int(bcCodePostNet) << 1.0 << 1.0 << 0;
    QTest::newRow("EAN-128 A 4.0 stays") << int(bcCodeEAN128A) << 4.0 << 4.0 << 0;
    QTest::newRow("matrix 2.0 -> 2.25") << int(bcCode_2_5_matrix) << 2.0 << 2.25 << 1;
    QTest::newRow("matrix 3.5 -> 3.0") << int(bcCode_2_5_matrix) << 3.5 << 3.0 << 1;
    QTest::newRow("matrix 2.25 stays") << int(bcCode_2_5_matrix) << 2.25 << 2.25 << 0;
    QTest::newRow("interleaved 1.5 -> 2.0") << int(bcCode_2_5_interleaved) << 1.5 << 2.0 << 1;
    QTest::newRow("industrial 3.5 -> 3.0") << int(bcCode_2_5_industrial) << 3.5 << 3.0 << 1;
    QTest::newRow("Code 39 4.0 -> 3.0") << int(bcCode39) << 4.0 << 3.0 << 1;
    QTest::newRow("Code 39 ext 1.0 -> 2.0") << int(bcCode39Extended) << 1.0 << 2.0 << 1;
    QTest::newRow("Codabar 3.5 -> 3.0") << int(bcCodeCodabar) << 3.5 << 3.0 << 1;
    QTest::newRow("EAN-8 9.0 -> 3.0") << int(bcCodeEAN8) << 9.0 << 3.0 << 1;
    QTest::newRow("UPC-A 1.0 -> 2.0") << int(bcCodeUPC_A) << 1.0 << 2.0 << 1;
    QTest::newRow("UPC-E0 3.1 -> 3.0") << int(bcCodeUPC_E0) << 3.1 << 3.0 << 1;
    QTest::newRow("UPC-E1 1.9 -> 2.0") << int(bcCodeUPC_E1) << 1.9 << 2.0 << 1;
    QTest::newRow("Supp2 5.0 -> 3.0") << int(bcCodeUPC_Supp2) << 5.0 << 3.0 << 1;
    QTest::newRow("Supp5 0.0 -> 2.0") << int(bcCodeUPC_Supp5) << 0.0 << 2.0 << 1;
}

void TestBarcodeModel::ratioClamps()
{
    QFETCH(int, typ);
    QFETCH(double, ratio);
    QFETCH(double, after);
    QFETCH(int, changes);
    TBarcode b = digitOne(static_cast<TBarcodeType>(typ), 1, ratio);
    ChangeCounter c;
    c.attach(b);
    b.MakeData();
    QCOMPARE(b.Ratio(), after);
    QCOMPARE(c.count, changes);
    b.MakeData();  // clamped once: the next encoding changes nothing
    QCOMPARE(c.count, changes);
}

void TestBarcodeModel::ratioRoundsHalfToEven_data()
{
    QTest::addColumn<int>("typ");
    QTest::addColumn<int>("modul");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("m1");

    QTest::newRow("1 x 2.5 = 2.5 -> 2") << int(bcCode_2_5_interleaved) << 1 << 2.5 << 2;
    QTest::newRow("3 x 2.5 = 7.5 -> 8") << int(bcCode_2_5_interleaved) << 3 << 2.5 << 8;
    QTest::newRow("5 x 2.5 = 12.5 -> 12") << int(bcCode39) << 5 << 2.5 << 12;
    QTest::newRow("1 x 2.25 -> 2") << int(bcCode_2_5_matrix) << 1 << 2.25 << 2;
    QTest::newRow("2 x 2.25 = 4.5 -> 4") << int(bcCode_2_5_matrix) << 2 << 2.25 << 4;
    QTest::newRow("2 x 2.75 = 5.5 -> 6") << int(bcCodeCodabar) << 2 << 2.75 << 6;
    QTest::newRow("1 x 2.7 -> 3") << int(bcCode39) << 1 << 2.7 << 3;
    QTest::newRow("1 x 3.0 -> 3") << int(bcCode_2_5_industrial) << 1 << 3.0 << 3;
    QTest::newRow("MSI 1 x 1.5 -> 2") << int(bcCodeMSI) << 1 << 1.5 << 2;
    QTest::newRow("MSI 1 x 0.5 -> 0") << int(bcCodeMSI) << 1 << 0.5 << 0;
    QTest::newRow("PostNet 1 x 3.5 -> 4") << int(bcCodePostNet) << 1 << 3.5 << 4;
}

void TestBarcodeModel::ratioRoundsHalfToEven()
{
    QFETCH(int, typ);
    QFETCH(int, modul);
    QFETCH(double, ratio);
    QFETCH(int, m1);
    TBarcode b = digitOne(static_cast<TBarcodeType>(typ), modul, ratio);
    // modules[2] is m1 x 3 div 2, modules[3] m1 x 2.
    QCOMPARE(widthsAfterEncoding(b), (std::array<int, 4>{modul, m1, m1 * 3 / 2, m1 * 2}));
}

void TestBarcodeModel::moduleCountWidthsAreMultiplesOfModul()
{
    // Widths from Ratio 2.25 and Modul 3 by the general rule would be 3, 7, 10, 14
    // (m1 = round(6.75) = 7): not 1, 2, 3, 4 modules, unreadable.
    const TBarcodeType moduleCount[] = {bcCode128A, bcCode128B, bcCode128C, bcCode93,
                                        bcCode93Extended, bcCodeEAN8, bcCodeEAN13, bcCodeUPC_A,
                                        bcCodeUPC_E0, bcCodeUPC_E1, bcCodeUPC_Supp2,
                                        bcCodeUPC_Supp5, bcCodeEAN128A, bcCodeEAN128B,
                                        bcCodeEAN128C};
    for (TBarcodeType t : moduleCount) {
        for (double ratio : {2.0, 2.25, 2.5, 3.0, 5.0}) {
            TBarcode b = digitOne(t, 3, ratio);
            QCOMPARE(widthsAfterEncoding(b), (std::array<int, 4>{3, 6, 9, 12}));
        }
    }
    // The Ratio clamp and its notification stay.
    TBarcode b;
    b.SetRatio(5.0);
    ChangeCounter c;
    c.attach(b);
    b.MakeData();
    QCOMPARE(b.Ratio(), 3.0);
    QCOMPARE(c.count, 1);
    // Code 128 keeps its unclamped Ratio, widths still 1..4 modules.
    b.SetTyp(bcCode128B);
    b.SetRatio(5.0);
    b.SetModul(2);
    QCOMPARE(widthsAfterEncoding(b), (std::array<int, 4>{2, 4, 6, 8}));
    QCOMPARE(b.Ratio(), 5.0);
    // The card sheet's right barcode (EAN-13, Ratio 2.25) rescaled to Modul 3 for a printer.
    TBarcode card;
    card.SetRatio(2.25);
    card.SetText("0000000000001");
    card.SetWidth(95 * 3);
    QCOMPARE(card.Modul(), 3);
    QCOMPARE(card.GetWidth(), 95 * 3);
    QCOMPARE(card.Modules(), (std::array<int, 4>{3, 6, 9, 12}));
}

void TestBarcodeModel::widthsDoNotOverflow()
{
    // Widths are int: signed 8-bit widths would wrap once Modul x Ratio passes 63.
    TBarcode b;
    b.SetTyp(bcCode_2_5_interleaved);
    b.SetModul(40);
    b.SetRatio(3.0);
    b.SetText("12");
    QCOMPARE(widthsAfterEncoding(b), (std::array<int, 4>{40, 120, 180, 240}));
    b.SetTyp(bcCode128B);
    b.SetModul(49);
    QCOMPARE(widthsAfterEncoding(b), (std::array<int, 4>{49, 98, 147, 196}));
    b.SetTyp(bcCodeMSI);
    b.SetRatio(1e300);  // not clamped for MSI: saturates instead of overflowing
    b.MakeData();
    QVERIFY(b.Modules()[3] > 0);
}

void TestBarcodeModel::digitsOnlyTextIsTrimmedAndChecked()
{
    TBarcode b;
    b.SetTyp(bcCode_2_5_interleaved);
    b.SetText(" 123 ");
    ChangeCounter c;
    c.attach(b);
    b.MakeData();
    QCOMPARE(b.Text(), std::string("123"));
    QCOMPARE(c.count, 0);  // written on the field, no notification

    b.SetText("\t45\r\n");  // Trim removes every character up to the blank
    b.MakeData();
    QCOMPARE(b.Text(), std::string("45"));

    for (const char* bad : {"12a", "1 2", "-12", "+1", "1.5", "\xDB\xB1"}) {
        for (int t = 0; t < 23; ++t) {
            if (!IsNumericBarcodeType(static_cast<TBarcodeType>(t)))
                continue;
            TBarcode n;
            n.SetTyp(static_cast<TBarcodeType>(t));
            n.SetText(bad);
            QCOMPARE(errorOf([&] { n.MakeData(); }), QStringLiteral("Barcode must be numeric"));
        }
    }
}

void TestBarcodeModel::otherTextIsNotTrimmed()
{
    TBarcode b;
    b.SetTyp(bcCode39);
    b.SetText(" AB ");
    const std::string data = b.MakeData();
    QCOMPARE(b.Text(), std::string(" AB "));
    TBarcode t;
    t.SetTyp(bcCode39);
    t.SetText("AB");
    QVERIFY(data.size() > t.MakeData().size());  // the blanks are encoded
}

void TestBarcodeModel::wrongType()
{
    for (int bad : {23, 24, 100, -1}) {
        TBarcode b;
        b.SetText("123");
        b.SetTyp(static_cast<TBarcodeType>(bad));
        QCOMPARE(errorOf([&] { b.MakeData(); }), QStringLiteral("TBarcode: wrong BarcodeType"));
        QCOMPARE(b.GetTypText(), std::string_view());
        QCOMPARE(b.Text(), std::string("123"));
    }
}

void TestBarcodeModel::emptyTextEncodesEverywhere()
{
    for (int t = 0; t < 23; ++t) {
        TBarcode b;
        b.SetTyp(static_cast<TBarcodeType>(t));
        const std::string data = b.MakeData();
        QVERIFY2(!data.empty(), b.GetTypText().data());
        QVERIFY(b.GetWidth() > 0);
    }
}

void TestBarcodeModel::oneBarProps()
{
    TBarcode b;
    b.SetTyp(bcCode39);
    b.SetModul(2);
    b.SetRatio(2.5);
    b.SetText("A");
    b.MakeData();
    QCOMPARE(b.Modules(), (std::array<int, 4>{2, 5, 7, 10}));
    const struct {
        char code;
        int width;
        TBarLineType lt;
    } expected[] = {
        {'0', 2, TBarLineType::Space}, {'1', 5, TBarLineType::Space},
        {'2', 7, TBarLineType::Space}, {'3', 10, TBarLineType::Space},
        {'5', 2, TBarLineType::Bar}, {'6', 5, TBarLineType::Bar},
        {'7', 7, TBarLineType::Bar}, {'8', 10, TBarLineType::Bar},
        {'A', 2, TBarLineType::ShortBar}, {'B', 5, TBarLineType::ShortBar},
        {'C', 7, TBarLineType::ShortBar}, {'D', 10, TBarLineType::ShortBar},
    };
    for (const auto& e : expected) {
        int w = -1;
        TBarLineType lt{};
        b.OneBarProps(e.code, w, lt);
        QCOMPARE(w, e.width);
        QVERIFY(lt == e.lt);
    }
    for (char bad : {'4', '9', 'E', 'a', ' ', '\0'}) {
        int w = 0;
        TBarLineType lt{};
        QCOMPARE(errorOf([&] { b.OneBarProps(bad, w, lt); }), QStringLiteral("TBarcode: internal Error"));
    }
    QCOMPARE(errorOf([&] { b.DataWidth("505X"); }), QStringLiteral("TBarcode: internal Error"));
}

void TestBarcodeModel::setLen()
{
    TBarcode b;
    b.SetText("123");
    QCOMPARE(b.SetLen(5), std::string("00123"));
    QCOMPARE(b.SetLen(3), std::string("123"));
    QCOMPARE(b.SetLen(2), std::string("123"));  // never cut
    QCOMPARE(b.SetLen(0), std::string("123"));
    QCOMPARE(b.Text(), std::string("123"));  // not stored
    TBarcode e;
    QCOMPARE(e.SetLen(4), std::string("0000"));
}

void TestBarcodeModel::getWidth()
{
    TBarcode b;  // EAN-13
    b.SetText("400638133393");
    b.SetChecksum(true);
    QCOMPARE(b.GetWidth(), 95);
    b.SetModul(2);
    QCOMPARE(b.GetWidth(), 190);

    TBarcode c;
    c.SetTyp(bcCode128B);
    c.SetText("Ab");
    QCOMPARE(c.GetWidth(), 11 * 4 + 13);  // start, 2 characters, check; stop

    TBarcode d;
    d.SetTyp(bcCode39);
    d.SetText("A");
    // start, "A", stop: 3 x (3 wide of 2 + 6 narrow of 1) and 2 gaps
    QCOMPARE(d.GetWidth(), 3 * 12 + 2);
    d.SetRatio(3.0);
    QCOMPARE(d.GetWidth(), 3 * 15 + 2);
}

void TestBarcodeModel::setWidth()
{
    TBarcode b;
    b.SetText("0000000000001");  // the card sheet's serial 1
    ChangeCounter c;
    c.attach(b);
    b.SetWidth(95);  // the card sheet's BarcodeWidth: Modul 95 x 1 div 95 = 1
    QCOMPARE(b.Modul(), 1);
    QCOMPARE(c.count, 1);  // the Modul setter fires also when unchanged
    b.SetWidth(190);
    QCOMPARE(b.Modul(), 2);
    QCOMPARE(c.count, 2);
    b.SetWidth(95 * 2 * 50 / 2);  // would need Modul 50: unchanged, no notification
    QCOMPARE(b.Modul(), 2);
    QCOMPARE(c.count, 2);
    b.SetWidth(189);  // 2 x 189 div 190 = 1
    QCOMPARE(b.Modul(), 1);
    b.SetWidth(94);  // 1 x 94 div 95 = 0: ignored
    QCOMPARE(b.Modul(), 1);
    b.SetWidth(-500);
    QCOMPARE(b.Modul(), 1);
    b.SetWidth(INT_MAX);
    QCOMPARE(b.Modul(), 1);
    b.SetWidth(95 * 49);
    QCOMPARE(b.Modul(), 49);
    QCOMPARE(b.GetWidth(), 95 * 49);
}

void TestBarcodeModel::writeBacksDoNotNotify()
{
    TBarcode b;
    b.SetTyp(bcCodeUPC_A);
    b.SetText("12345");
    ChangeCounter c;
    c.attach(b);
    b.MakeData();
    QCOMPARE(b.Text(), std::string("000000012345"));
    QCOMPARE(c.count, 0);
}

void TestBarcodeModel::checkSumModulo10()
{
    QCOMPARE(CheckSumModulo10("400638133393"), std::string("4006381333931"));
    QCOMPARE(CheckSumModulo10("0"), std::string("00"));
    QCOMPARE(CheckSumModulo10(""), std::string("0"));
    QCOMPARE(CheckSumModulo10("1234567"), std::string("12345670"));
    QCOMPARE(CheckSumModulo10("03600029145"), std::string("036000291452"));  // a known UPC-A
    QCOMPARE(CheckSumModulo10("1"), std::string("17"));  // 1 x 3 = 3 -> 7
    // A thousand digits: no overflow.
    QCOMPARE(CheckSumModulo10(std::string(1000, '9')).back(), '0');  // 500 x (27 + 9) = 18000
    try {
        CheckSumModulo10("12a4");
        QFAIL("no conversion error");
    } catch (const EConvertError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'a' is not a valid integer value"));
    }
}

void TestBarcodeModel::checkSumSupp5()
{
    // 3 x (1 + 3 + 5) + 9 x (2 + 4) = 81 -> 1
    QCOMPARE(CheckSumSupp5("123450"), std::string("123451"));
    // 3 x (5 + 4 + 5) + 9 x (2 + 9) = 141 -> 1
    QCOMPARE(CheckSumSupp5("524950"), std::string("524951"));
    QCOMPARE(CheckSumSupp5("000000"), std::string("000000"));
    QCOMPARE(CheckSumSupp5("900000"), std::string("900007"));  // 9 x 3 = 27
    QCOMPARE(CheckSumSupp5("90000"), std::string("90001"));   // 9 x 9 = 81
    QCOMPARE(CheckSumSupp5("0"), std::string("0"));
    QCOMPARE(CheckSumSupp5(""), std::string("0"));
    QVERIFY_THROWS_EXCEPTION(EConvertError, CheckSumSupp5("12x450"));
}

void TestBarcodeModel::digitSum()
{
    QCOMPARE(DigitSum(0), 0);
    QCOMPARE(DigitSum(-5), 0);
    QCOMPARE(DigitSum(1234), 10);
    QCOMPARE(DigitSum(9), 9);
    QCOMPARE(DigitSum(99999), 45);
    QCOMPARE(DigitSum(LLONG_MAX), 88);
}

void TestBarcodeModel::doCheckSumming()
{
    TBarcode b;
    QCOMPARE(b.DoCheckSumming("400638133393"), std::string("4006381333931"));
    b.SetCheckSumMethod(csmNone);
    QCOMPARE(b.DoCheckSumming("400638133393"), std::string("400638133393"));
    QCOMPARE(b.DoCheckSumming("abc"), std::string("abc"));
}

void TestBarcodeModel::convertModuleCounts()
{
    QCOMPARE(ConvertModuleCounts("211214"), std::string("605153"));
    QCOMPARE(ConvertModuleCounts("2331112"), std::string("6270506"));
    QCOMPARE(ConvertModuleCounts("1234"), std::string("5173"));
    QCOMPARE(ConvertModuleCounts(""), std::string());
}

QTEST_APPLESS_MAIN(TestBarcodeModel)
#include "test_barcode_model.moc"
