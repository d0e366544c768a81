#include "entry/PackedAngle.h"

#include <algorithm>


namespace morvalen {

namespace {

// The digits as a number: `digits` × 10^exponent, exactly rounded.
double decimalValue(std::string digits, std::int64_t exponent) {
    DecimalNumber number;
    number.digits = std::move(digits);
    number.exponent = exponent;
    const auto first = number.digits.find_first_not_of('0');
    if (first == std::string::npos) return 0.0;
    number.digits.erase(0, first);
    return toDouble(number).value_or(0.0);
}

}  // namespace

double toDegrees(const DecimalNumber& packedAngle) {
    const double sign = packedAngle.negative ? -1.0 : 1.0;
    // Typed angles have a handful of digits: split them as whole numbers, scaled by 10^decimals.
    const std::int64_t decimals = std::max<std::int64_t>(4, -packedAngle.exponent);
    const std::int64_t padding = decimals + packedAngle.exponent;
    if (packedAngle.digits.size() + static_cast<std::size_t>(padding) <= 18 && decimals <= 17) {
        static constexpr std::int64_t powers[] = {1,
                                                  10,
                                                  100,
                                                  1000,
                                                  10000,
                                                  100000,
                                                  1000000,
                                                  10000000,
                                                  100000000,
                                                  1000000000,
                                                  10000000000,
                                                  100000000000,
                                                  1000000000000,
                                                  10000000000000,
                                                  100000000000000,
                                                  1000000000000000,
                                                  10000000000000000,
                                                  100000000000000000,
                                                  1000000000000000000};
        std::int64_t scaled = 0;
        for (char digit : packedAngle.digits) scaled = scaled * 10 + (digit - '0');
        scaled *= powers[padding];
        const std::int64_t wholeDegrees = scaled / powers[decimals];
        const std::int64_t rest = scaled % powers[decimals];
        const std::int64_t wholeMinutes = rest / powers[decimals - 2];
        const std::int64_t secondsScaled = rest % powers[decimals - 2];
        // Both operands are exact doubles (below 10^15 and 10^13), so the quotient is correctly rounded.
        const double seconds = static_cast<double>(secondsScaled) / static_cast<double>(powers[decimals - 4]);
        return (sign * static_cast<double>(wholeDegrees) + sign * static_cast<double>(wholeMinutes) / 60) +
               sign * seconds / 3600;
    }

    const DecimalParts parts = splitDecimal(packedAngle);
    std::string fraction = parts.fractionDigits;
    if (fraction.size() < 4) fraction.append(4 - fraction.size(), '0');

    const double degrees = sign * decimalValue(parts.wholeDigits, 0);
    const double minutes = sign * ((fraction[0] - '0') * 10 + (fraction[1] - '0'));
    const auto secondsDecimals = static_cast<std::int64_t>(fraction.size()) - 4;
    const double seconds = sign * decimalValue(fraction.substr(2), -secondsDecimals);
    return (degrees + minutes / 60) + seconds / 3600;
}

std::optional<double> toDegrees(const EntryValue& packedAngle) {
    const auto decimal = packedAngle.decimal();
    if (!decimal) return std::nullopt;
    return toDegrees(*decimal);
}

}  // namespace morvalen
