#pragma once
// The messages of the barcode encoder, word for word. "%s" stands where the component's class name goes; the Code 93 message
// also names the text. The encoder builds the final texts with BarcodeText::format.

#include <string>
#include <string_view>

namespace BarcodeText {

inline constexpr std::string_view MustBeNumeric = "Barcode must be numeric";
inline constexpr std::string_view WrongType = "%s: wrong BarcodeType";
inline constexpr std::string_view WrongTypeCode128 = "%s: wrong BarcodeType in Code_128";
inline constexpr std::string_view Code93BadData = "%s:Code93 bad Data <%s>";
inline constexpr std::string_view InternalError = "%s: internal Error";
inline constexpr std::string_view InvalidLenEan8 = "Invalid Text len (EAN8)";
inline constexpr std::string_view InvalidLenEan13 = "Invalid Text len (EAN13)";
// The string-to-integer conversion error (a check digit over a non-digit).
inline constexpr std::string_view NotAnInteger = "'%s' is not a valid integer value";

// Replaces the "%s" of pattern, in order, by the arguments.
inline std::string format(std::string_view pattern, std::string_view a1,
                          std::string_view a2 = {})
{
    std::string out;
    out.reserve(pattern.size() + a1.size() + a2.size());
    int used = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            out += used++ == 0 ? a1 : a2;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace BarcodeText
