#include "entry/DecimalRounding.h"

namespace morvalen {
namespace {

// Adds one unit in the last place of a string of decimal digits ("199" gives "200", "99" gives "100").
std::string incremented(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

}  // namespace

DecimalNumber roundDecimal(const DecimalNumber& number, int decimals, Rounding rounding) {
    const std::int64_t unitExponent = -static_cast<std::int64_t>(decimals);
    if (number.isZero() || number.exponent >= unitExponent) return number;

    const std::int64_t drop = unitExponent - number.exponent;
    const auto size = static_cast<std::int64_t>(number.digits.size());
    DecimalNumber rounded;
    rounded.exponent = unitExponent;
    if (drop > size) return rounded;  // below half a unit: zero, without a sign
    rounded.negative = number.negative;

    // The kept digits, then the first dropped one decides; a 5 with nothing behind it is a tie (no trailing zeros
    // are stored, so any digit behind it is non-zero).
    const auto keep = static_cast<std::size_t>(size - drop);
    rounded.digits = number.digits.substr(0, keep);
    const char firstDropped = number.digits[keep];
    const bool tie = firstDropped == '5' && static_cast<std::int64_t>(keep) + 1 == size;
    bool up = firstDropped >= '5';
    if (tie && rounding == Rounding::halfToEven) {
        up = !rounded.digits.empty() && (rounded.digits.back() - '0') % 2 == 1;
    }
    if (up) rounded.digits = incremented(rounded.digits.empty() ? "0" : rounded.digits);
    normalise(rounded);
    return rounded;
}

std::string formatFixed(const DecimalNumber& number, int decimals, Rounding rounding, bool leadingZero) {
    const DecimalNumber rounded = roundDecimal(number, decimals, rounding);
    // The rounded value is digits × 10^exponent with exponent ≥ −decimals: the digit of each place is read off
    // where the place falls in the digit string, 0 outside it.
    const auto size = static_cast<std::int64_t>(rounded.digits.size());
    const std::int64_t wholeDigits = size + rounded.exponent;  // digits before the point, when positive
    const auto digitAt = [&](std::int64_t position) {  // position 0 is the first digit of the string
        return position >= 0 && position < size ? rounded.digits[static_cast<std::size_t>(position)] : '0';
    };
    std::string text = rounded.negative ? "-" : "";
    if (wholeDigits > 0) {
        for (std::int64_t i = 0; i < wholeDigits; ++i) text += digitAt(i);
    } else if (leadingZero) {
        text += '0';
    }
    if (decimals > 0) {
        text += '.';
        for (std::int64_t i = 0; i < decimals; ++i) text += digitAt(wholeDigits + i);
    }
    return text;
}

std::optional<std::int16_t> roundToInt16(const DecimalNumber& number) {
    const DecimalNumber whole = roundDecimal(number, 0, Rounding::halfToEven);
    if (whole.isZero()) return std::int16_t{0};
    if (whole.exponent + static_cast<std::int64_t>(whole.digits.size()) > 5) return std::nullopt;
    long magnitude = std::stol(whole.digits);
    for (std::int64_t e = 0; e < whole.exponent; ++e) magnitude *= 10;
    const long value = whole.negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace morvalen
