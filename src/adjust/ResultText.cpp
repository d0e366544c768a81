#include "adjust/ResultText.h"

#include <algorithm>
#include <bit>
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
    // magnitude = mantissa / 2^shift with the 53-bit mantissa of its binary form; shift ≥ 13 here. A subnormal
    // magnitude is far below half a unit.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>(bits >> 52);
    if (biasedExponent == 0) return 0;
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biasedExponent;
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

std::string roundedFixed(double value, int decimals) { return roundedFixed({}, value, decimals, {}); }

char* writeRoundedFixed(char* out, double value, int decimals) {
    const auto scaled = scaledToEven(value, decimals);
    return scaled ? writeScaled(out, value < 0, *scaled, decimals) : nullptr;
}

namespace {

// Values beyond the whole-number rounding, rare, out of line: fixed notation with a precision rounds the exact
// binary value with ties to even, as printf's %.*f does.
[[gnu::cold, gnu::noinline]] std::string roundedFixedOfLargeValue(std::string_view prefix, double value, int decimals,
                                                                  std::string_view suffix) {
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string_view number(buffer, static_cast<std::size_t>(written.ptr - buffer));
    if (number.front() == '-' && number.find_first_of("123456789") == std::string_view::npos) number.remove_prefix(1);
    std::string text(prefix);
    text += number;
    text += suffix;
    return text;
}

}  // namespace

std::string roundedFixed(std::string_view prefix, double value, int decimals, std::string_view suffix) {
    if (const auto scaled = scaledToEven(value, decimals); scaled && prefix.size() <= 16 && suffix.size() <= 16) {
        char text[32 + scaledTextSize];
        char* end = std::copy(prefix.begin(), prefix.end(), text);
        end = writeScaled(end, value < 0, *scaled, decimals);
        end = std::copy(suffix.begin(), suffix.end(), end);
        return std::string(text, end);
    }
    return roundedFixedOfLargeValue(prefix, value, decimals, suffix);
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

std::string secondsText(float seconds) { return roundedFixed(" ", seconds, 2, " 秒"); }
std::string logUnitsText(float logUnits) { return roundedFixed(" ", logUnits, 2, " 单位"); }
std::string reciprocalWeightText(double invPlgs) { return roundedFixed(invPlgs, 5); }
std::string relativeErrorText(float denominator) { return " 1/" + generalForm(denominator); }

}  // namespace morvalen
