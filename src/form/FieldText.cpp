#include "form/FieldText.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "form/NumberChars.h"
#include "i18n/Language.h"

namespace morvalen {

std::string roundedFixed(double value, int decimals) {
    // Fixed notation with a precision rounds the exact binary value, ties to even. The largest double has 309
    // integer digits.
    std::string text = numberChars::fixed(value, decimals);
    // A negative value that rounds to zero is written as zero.
    if (text.starts_with('-') && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string generalForm(float value) {
    if (value == 0) return "0";
    // A whole number below 10^7 has at most seven digits and is written as it is; every single that is a whole
    // number of that size is exact.
    if (std::abs(value) < 1e7f && value == std::trunc(value)) return std::to_string(static_cast<long>(value));

    // Seven significant digits, d.dddddde±x, rounded from the exact value of the single.
    const std::string scientificText = numberChars::scientific(static_cast<double>(value), 6);
    const std::string_view text(scientificText);
    const auto e = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string general = negative ? "-" : "";
    if (exponent >= 7 || exponent < -4) {
        general += digits.substr(0, 1);
        if (digits.size() > 1) general += "." + digits.substr(1);
        const std::string exponentDigits = std::to_string(std::abs(exponent));
        general += exponent < 0 ? "E-" : "E+";
        if (exponentDigits.size() < 2) general += '0';
        return general + exponentDigits;
    }
    if (exponent < 0) {
        return general + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const auto wholeLength = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeLength) return general + digits + std::string(wholeLength - digits.size(), '0');
    return general + digits.substr(0, wholeLength) + "." + digits.substr(wholeLength);
}

const char* secondsUnit() { return i18n::translate(" 秒"); }
const char* logUnitsUnit() { return i18n::translate(" 单位"); }

std::string secondsText(float seconds) { return " " + roundedFixed(seconds, 2) + secondsUnit(); }
std::string logUnitsText(float logUnits) { return " " + roundedFixed(logUnits, 2) + logUnitsUnit(); }
std::string reciprocalWeightText(double invPlgs) { return roundedFixed(invPlgs, 5); }
std::string relativeErrorText(float denominator) { return " 1/" + generalForm(denominator); }

double shortestDecimal(float value) { return numberChars::read(numberChars::shortest(value)).value_or(0); }

}  // namespace morvalen
