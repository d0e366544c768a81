#include "entry/PackedAngle.h"

#include <algorithm>
#include <array>
#include <string>

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

// m / 60 for the whole minutes 0..99, each the correctly rounded quotient that the division itself would give.
constexpr auto minutesInDegrees = [] {
    std::array<double, 100> table{};
    for (int m = 0; m < 100; ++m) table[static_cast<std::size_t>(m)] = static_cast<double>(m) / 60;
    return table;
}();

// The split on whole numbers: `scaled` is the absolute angle × 10^decimals, with 4 ≤ decimals ≤ 17 and scaled below
// 10^18. Degrees and minutes are exact; the seconds are one correctly rounded quotient of two exact doubles (below
// 10^15 and 10^13).
template <int decimals>
double degreesFromScaled(bool negative, std::int64_t scaled) {
    constexpr auto degreeUnit = static_cast<std::uint64_t>(powerOfTen(decimals));
    constexpr auto minuteUnit = static_cast<std::uint64_t>(powerOfTen(decimals - 2));
    constexpr double secondUnit = static_cast<double>(powerOfTen(decimals - 4));
    // The three parts come from `scaled` independently, so that their divisions overlap.
    const auto magnitude = static_cast<std::uint64_t>(scaled);
    const std::uint64_t wholeDegrees = magnitude / degreeUnit;
    const std::uint64_t wholeMinutes = magnitude / minuteUnit % 100;
    const double seconds = static_cast<double>(magnitude % minuteUnit) / secondUnit;
    // The sign applies to each part; rounding is symmetric, so it may as well apply to the sum.
    const double degrees = (static_cast<double>(wholeDegrees) + minutesInDegrees[wholeMinutes]) + seconds / 3600;
    return negative ? -degrees : degrees;
}

// The divisions by constant powers of ten compile to multiplications.
[[gnu::always_inline]] inline double degreesFromScaled(bool negative, std::int64_t scaled, int decimals) {
    switch (decimals) {
    case 4: return degreesFromScaled<4>(negative, scaled);
    case 5: return degreesFromScaled<5>(negative, scaled);
    case 6: return degreesFromScaled<6>(negative, scaled);
    case 7: return degreesFromScaled<7>(negative, scaled);
    case 8: return degreesFromScaled<8>(negative, scaled);
    case 9: return degreesFromScaled<9>(negative, scaled);
    case 10: return degreesFromScaled<10>(negative, scaled);
    case 11: return degreesFromScaled<11>(negative, scaled);
    case 12: return degreesFromScaled<12>(negative, scaled);
    case 13: return degreesFromScaled<13>(negative, scaled);
    case 14: return degreesFromScaled<14>(negative, scaled);
    case 15: return degreesFromScaled<15>(negative, scaled);
    case 16: return degreesFromScaled<16>(negative, scaled);
    default: return degreesFromScaled<17>(negative, scaled);
    }
}

// A plain number too long for the whole-number split, out of line: it goes through its decimal digits.
[[gnu::cold, gnu::noinline]] double toDegreesThroughDigits(const PlainDecimal& packedAngle) {
    return toDegrees(*parseDecimal((packedAngle.negative ? "-" : "") + std::to_string(packedAngle.mantissa) + "e-" +
                                   std::to_string(packedAngle.decimals)));
}

}  // namespace

double toDegrees(const PlainDecimal& packedAngle) {
    const int decimals = std::max(4, packedAngle.decimals);
    const int padding = decimals - packedAngle.decimals;
    if (decimals <= 17 && packedAngle.mantissa < powerOfTen(18 - padding)) {
        return degreesFromScaled(packedAngle.negative, packedAngle.mantissa * powerOfTen(padding), decimals);
    }
    return toDegreesThroughDigits(packedAngle);
}

double toDegrees(const DecimalNumber& packedAngle) {
    // Typed angles have a handful of digits: split them as whole numbers, scaled by 10^decimals.
    const std::int64_t decimals = std::max<std::int64_t>(4, -packedAngle.exponent);
    const std::int64_t padding = decimals + packedAngle.exponent;
    if (packedAngle.digits.size() + static_cast<std::size_t>(padding) <= 18 && decimals <= 17) {
        std::int64_t scaled = 0;
        for (char digit : packedAngle.digits) scaled = scaled * 10 + (digit - '0');
        return degreesFromScaled(packedAngle.negative, scaled * powerOfTen(static_cast<int>(padding)),
                                 static_cast<int>(decimals));
    }

    const double sign = packedAngle.negative ? -1.0 : 1.0;
    const DecimalParts parts = splitDecimal(packedAngle);
    std::string fraction = parts.fractionDigits;
    if (fraction.size() < 4) fraction.append(4 - fraction.size(), '0');

    const double degrees = sign * decimalValue(parts.wholeDigits, 0);
    const double minutes = sign * ((fraction[0] - '0') * 10 + (fraction[1] - '0'));
    const auto secondsDecimals = static_cast<std::int64_t>(fraction.size()) - 4;
    const double seconds = sign * decimalValue(fraction.substr(2), -secondsDecimals);
    return (degrees + minutes / 60) + seconds / 3600;
}

std::optional<double> toDegreesOfOtherForms(const EntryValue& packedAngle) {
    const auto decimal = packedAngle.decimal();
    if (!decimal) return std::nullopt;
    return toDegrees(*decimal);
}

}  // namespace morvalen
