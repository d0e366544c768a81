#include "adjust/ResultText.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace morvalen {

std::string roundedFixed(double value, int decimals) {
    // Fixed notation with a precision rounds the exact binary value with ties to even, as printf's %.*f does:
    // the rounding of the results.
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, written.ptr);
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string generalForm(float value) {
    if (value == 0) return "0";
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
