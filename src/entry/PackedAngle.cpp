#include "entry/PackedAngle.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvalen {
namespace {

// The digits from `first` to `last` of the digit string (0 beyond its end) as a number with `decimals` places.
double digitsValue(const DecimalNumber& number, std::int64_t first, std::int64_t last, std::int64_t decimals) {
    const auto size = static_cast<std::int64_t>(number.digits.size());
    const std::int64_t from = std::clamp<std::int64_t>(first, 0, size);
    const std::int64_t to = std::clamp<std::int64_t>(last, from, size);
    const std::string_view inside = std::string_view(number.digits).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    // The places beyond the digit string are zeros: they scale what lies inside.
    const std::int64_t zerosAfter = std::max<std::int64_t>(0, last - std::max(first, size));
    return decimalValue(inside, zerosAfter - decimals).value_or(0.0);
}

}  // namespace

double toDegrees(const DecimalNumber& packedAngle) {
    if (packedAngle.exponent > 100'000) throw std::length_error("toDegrees of a number outside the range of a double");
    // D, the minutes Fix(P) − D × 100 and the seconds Q − Fix(P) × 100 read straight from the digits: the products
    // P = x × 100 and Q = x × 10000 are taken exactly in decimal. Position p of the digit string is the place
    // 10^(wholeDigits − 1 − p): the whole degrees lie before wholeDigits, the minutes in the next two places, the
    // seconds with their fraction in the rest.
    const auto size = static_cast<std::int64_t>(packedAngle.digits.size());
    const std::int64_t wholeDigits = size + packedAngle.exponent;
    const std::int64_t secondsDecimals = std::max<std::int64_t>(0, -packedAngle.exponent - 4);
    const double sign = packedAngle.negative ? -1.0 : 1.0;
    const double degrees = sign * digitsValue(packedAngle, 0, wholeDigits, 0);
    const double minutes = sign * digitsValue(packedAngle, wholeDigits, wholeDigits + 2, 0);
    const double seconds = sign * digitsValue(packedAngle, wholeDigits + 2, wholeDigits + 4 + secondsDecimals,
                                              secondsDecimals);
    return (degrees + minutes / 60) + seconds / 3600;
}

std::optional<double> toDegrees(const EntryValue& packedAngle) {
    const auto decimal = packedAngle.decimal();
    if (!decimal) return std::nullopt;
    return toDegrees(*decimal);
}

}  // namespace morvalen
