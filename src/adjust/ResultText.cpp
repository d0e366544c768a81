#include "adjust/ResultText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "entry/DecimalNumber.h"

namespace morvalen {

namespace {

// |value| × 10^decimals rounded to a whole number with ties to even, exactly on the binary value: the value is a
// 53-bit whole number times a power of two, so the product with 10^decimals and its rounding are whole-number
// arithmetic. Only for |value| < 10^12 and up to 6 decimals, where the result stays below 10^18.
std::optional<std::uint64_t> scaledToEven(double value, int decimals) {
    const double magnitude = std::abs(value);
    if (!(magnitude < 1e12) || decimals < 0 || decimals > 6) return std::nullopt;
    if (magnitude == 0) return 0;
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction × 2^exponent, fraction in [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;  // magnitude = mantissa / 2^shift, shift ≥ 13 here
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) *
                                      static_cast<std::uint64_t>(powerOfTen(decimals));  // below 2^73
    if (shift > 100) return 0;  // far below half a unit
    const unsigned __int128 quotient = product >> shift;
    const unsigned __int128 remainder = product - (quotient << shift);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    const bool up = remainder > half || (remainder == half && (quotient & 1) != 0);
    return static_cast<std::uint64_t>(quotient) + (up ? 1 : 0);
}

}  // namespace

std::string roundedFixed(double value, int decimals) {
    if (const auto scaled = scaledToEven(value, decimals)) return formatScaled(value < 0, *scaled, decimals);
    // Fixed notation with a precision rounds the exact binary value with ties to even, as printf's %.*f does.
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, written.ptr);
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string generalForm(float value) {
    if (value == 0) return "0";
    // A whole number below 10^7 has at most seven digits and is written as it is; every single that is a whole
    // number of that size is exact.
    if (std::abs(value) < 1e7f && value == std::trunc(value)) {
        char digits[16];
        return std::string(digits, std::to_chars(digits, digits + sizeof digits, static_cast<long>(value)).ptr);
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6e", static_cast<double>(value));
    const std::string_view text = buffer;
    const auto e = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    const int exponent = std::atoi(buffer + e + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string written = negative ? "-" : "";
    if (exponent >= 7 || exponent < -4) {
        written += digits.substr(0, 1);
        if (digits.size() > 1) written += "." + digits.substr(1);
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return written + exponentText;
    }
    if (exponent < 0) {
        return written + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const auto wholeLength = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeLength) return written + digits + std::string(wholeLength - digits.size(), '0');
    return written + digits.substr(0, wholeLength) + "." + digits.substr(wholeLength);
}

std::string secondsText(float seconds) { return " " + roundedFixed(seconds, 2) + " 秒"; }
std::string logUnitsText(float logUnits) { return " " + roundedFixed(logUnits, 2) + " 单位"; }
std::string reciprocalWeightText(double invPlgs) { return roundedFixed(invPlgs, 5); }
std::string relativeErrorText(float denominator) { return " 1/" + generalForm(denominator); }

}  // namespace morvalen
