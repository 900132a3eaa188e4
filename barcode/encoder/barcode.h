#pragma once
// TBarcode: the barcode generator. Turns a text into the element string of one
// of 23 one-dimensional symbologies. Plain C++20, no Qt: the drawing lives in
// barcode/ui and reads what it needs from here
// (MakeData, OneBarProps, Modules, Height, Left, Top, Angle, ShowText, Color, ...).
//
// The element string is the contract between encoder and drawing: one character
// per element, left to right:
//   '0'..'3'  space,                 width Modules()[0..3]
//   '5'..'8'  bar, full Height,      width Modules()[0..3]
//   'A'..'D'  short bar, Height*2/5, width Modules()[0..3]
//
// Choices that keep every symbol sound:
//  - the element widths are int: 8-bit widths would wrap once Modul x Ratio passes 63;
//  - for the module-count symbologies (Code 128, Code 93, EAN/UPC and their add-ons,
//    EAN-128) the widths are Modul x 1, 2, 3, 4 whatever Ratio is (the Ratio clamp
//    and its change notification stay);
//  - UPC-A and UPC-E compute the modulo-10 check digit whatever CheckSumMethod is
//    (csmNone would leave no check digit and no parity row);
//  - the two-digit add-on takes its parity from the two digits it encodes;
//  - the MSI check digit is computed digit by digit (no overflow on long texts).
// Further choices:
//  - the two-digit add-on ignores Checksum (it has no check digit of its own; its
//    parity is its check), so Text never grows from one encoding to the next;
//  - UPC-E takes its parity row from the check digit of its six digits expanded
//    to UPC-A with the number system (0 for UPC-E0, 1 for UPC-E1), as scanners
//    read it, whatever CheckSumMethod is (as above).

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// The symbologies, in their ordinal order (stored designs keep these numbers).
enum TBarcodeType : int {
    bcCode_2_5_interleaved,
    bcCode_2_5_industrial,
    bcCode_2_5_matrix,
    bcCode39,
    bcCode39Extended,
    bcCode128A,
    bcCode128B,
    bcCode128C,
    bcCode93,
    bcCode93Extended,
    bcCodeMSI,
    bcCodePostNet,
    bcCodeCodabar,
    bcCodeEAN8,
    bcCodeEAN13,
    bcCodeUPC_A,
    bcCodeUPC_E0,
    bcCodeUPC_E1,
    bcCodeUPC_Supp2,
    bcCodeUPC_Supp5,
    bcCodeEAN128A,
    bcCodeEAN128B,
    bcCodeEAN128C,
};
inline constexpr int TBarcodeTypeCount = 23;

// What the drawing shows beside the bars.
enum TBarcodeOption : int { bcoNone, bcoCode, bcoTyp, bcoBoth };

// How a check digit is added where the symbology's steps call DoCheckSumming.
enum TCheckSumMethod : int { csmNone, csmModulo10 };

// The kind of one element (OneBarProps).
enum class TBarLineType { Space, Bar, ShortBar };

// A colour as 0xRRGGBB (what QColor::fromRgb(rgb) reads).
using TColor = std::uint32_t;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlack = 0x000000;

// The general exception: every error of the encoder.
class EBarcodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The string-to-integer conversion error, raised when a check
// digit is computed over a character that is not a digit.
class EConvertError : public EBarcodeError {
public:
    using EBarcodeError::EBarcodeError;
};

// The persistent-object base, so that Assign can be handed any object.
class TPersistent {
public:
    virtual ~TPersistent() = default;
};

// Check digits. The digits of s are read with the string-to-integer
// conversion: a non-digit throws EConvertError.
// s followed by its EAN/UPC modulo-10 check digit (weights 3, 1, 3, ... from the right).
std::string CheckSumModulo10(std::string_view s);
// s without its last character, followed by the five-digit add-on check digit
// (weights 3, 9, 3, ... from the right).
std::string CheckSumSupp5(std::string_view s);
// The sum of the decimal digits of n; 0 for n below 1.
int DigitSum(long long n);
// The UPC-A number (11 digits, no check digit) of six UPC-E digits with the number
// system numberSystem ('0' or '1'); six holds at least six digits.
std::string UpcEToUpcA(char numberSystem, std::string_view six);
// Module counts "1".."4", alternating bar and space from a bar, to element codes.
std::string ConvertModuleCounts(std::string_view counts);
// The display name of a symbology ("EAN13", "Code39 Extended", ...); empty outside 0..22.
std::string_view BarcodeTypeName(TBarcodeType typ);
// The enumeration name of a symbology ("bcCodeEAN13", ...); empty outside 0..22.
std::string_view BarcodeTypeEnumName(TBarcodeType typ);
// Whether a symbology's Text must be all digits.
bool IsNumericBarcodeType(TBarcodeType typ);

class TBarcode : public TPersistent {
public:
    using TNotifyEvent = std::function<void(TBarcode& sender)>;

    // Create: the property defaults below.
    TBarcode() = default;
    ~TBarcode() override = default;

    // Copies the properties (and OnChange) of a TBarcode, field by field, without
    // DoChange; any other source, or none, is ignored.
    virtual void Assign(const TPersistent* source);
    void Assign(const TPersistent& source) { Assign(&source); }

    // The class name that the messages carry.
    virtual std::string_view ClassName() const { return "TBarcode"; }

    // Properties. Setters fire OnChange as noted on each.
    int Height() const { return FHeight; }
    void SetHeight(int value);             // fires when it differs
    const std::string& Text() const { return FText; }
    void SetText(std::string value);       // fires when it differs
    int Top() const { return FTop; }
    void SetTop(int value);                // fires when it differs
    int Left() const { return FLeft; }
    void SetLeft(int value);               // fires when it differs
    int Modul() const { return FModul; }
    void SetModul(int value);              // 1..49 only; fires also when unchanged
    double Ratio() const { return FRatio; }
    void SetRatio(double value);           // fires when it differs
    TBarcodeType Typ() const { return FTyp; }
    void SetTyp(TBarcodeType value);       // fires when it differs
    bool Checksum() const { return FCheckSum; }
    void SetChecksum(bool value);          // fires when it differs
    TCheckSumMethod CheckSumMethod() const { return FCheckSumMethod; }
    void SetCheckSumMethod(TCheckSumMethod value) { FCheckSumMethod = value; } // stores only
    double Angle() const { return FAngle; }
    void SetAngle(double value);           // fires when it differs
    TBarcodeOption ShowText() const { return FShowText; }
    void SetShowText(TBarcodeOption value); // fires when it differs
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }           // stores only
    TColor ColorBar() const { return FColorBar; }
    void SetColorBar(TColor value) { FColorBar = value; }     // stores only
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); } // stores only

    // Width: MakeData, then the sum of all element widths (no quiet zone).
    int GetWidth();
    // Rescales Modul (through its setter) so that the width comes near w.
    void SetWidth(int w);

    // The display name of the current Typ.
    std::string_view GetTypText() const { return BarcodeTypeName(FTyp); }

    // The element string of Text and Typ. May rewrite
    // Text (trimming, zero-filling, check digits) without firing OnChange, and may
    // clamp Ratio (which fires). Throws EBarcodeError (or EConvertError).
    std::string MakeData();
    // The same, into out (its capacity is reused).
    void MakeData(std::string& out);

    // Computes the four element widths from Modul, Ratio and Typ (first step of MakeData).
    void PrepareModules();
    // The four element widths in pixels, as the last PrepareModules left them.
    const std::array<int, 4>& Modules() const { return modules; }

    // Width and kind of one element code; throws "%s: internal Error" for another code.
    void OneBarProps(char code, int& width, TBarLineType& lt) const;
    // The sum of the widths of an element string, by the current Modules().
    int DataWidth(std::string_view data) const;

    // Text filled on the left with "0" to n characters (never cut); not stored.
    std::string SetLen(int n) const;
    // csmNone: s; csmModulo10: CheckSumModulo10(s).
    std::string DoCheckSumming(std::string_view s) const;

protected:
    // Calls OnChange with this component as sender, when it is set.
    virtual void DoChange();

    // The encoders, one per symbology. Each appends the element string of the current
    // Text to out; some write back into FText. MakeData runs them after its own steps.
    void Code_2_5_interleaved(std::string& out) const;
    void Code_2_5_industrial(std::string& out) const;
    void Code_2_5_matrix(std::string& out) const;
    void Code_39(std::string& out) const;
    void Code_39Extended(std::string& out) const;
    void Code_128(std::string& out);
    void Code_93(std::string& out) const;
    void Code_93Extended(std::string& out) const;
    void Code_MSI(std::string& out) const;
    void Code_PostNet(std::string& out) const;
    void Code_Codabar(std::string& out) const;
    void Code_EAN8(std::string& out) const;
    void Code_EAN13(std::string& out) const;
    void Code_UPC_A(std::string& out);
    void Code_UPC_E0(std::string& out);
    void Code_UPC_E1(std::string& out);
    void Code_Supp2(std::string& out);
    void Code_Supp5(std::string& out);

private:
    [[noreturn]] void raise(std::string_view pattern, std::string_view arg = {}) const;
    void Code_39Data(std::string& out, std::string_view text) const;
    void Code_93Data(std::string& out, std::string_view text) const;
    void Code_UPC_E(std::string& out, bool numberSystem1);

    int FHeight = 0;
    std::string FText;
    int FTop = 0;
    int FLeft = 0;
    int FModul = 1;
    double FRatio = 2.0;
    TBarcodeType FTyp = bcCodeEAN13;
    bool FCheckSum = false;
    TCheckSumMethod FCheckSumMethod = csmModulo10;
    double FAngle = 0.0;
    TBarcodeOption FShowText = bcoNone;
    TColor FColor = clWhite;
    TColor FColorBar = clBlack;
    TNotifyEvent FOnChange;

    std::array<int, 4> modules{1, 2, 3, 4};
};
