#include "entry/PackedAngle.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>

#include "entry/RunStopped.h"
#include "i18n/Language.h"

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

std::string replyWarning(EnteredValue value, const std::string& typed) {
    const bool angle = value == EnteredValue::Ta || value == EnteredValue::Qa ||
                       (value >= EnteredValue::b1 && value <= EnteredValue::b8);
    // Only an angle and the start side number can be likely mistypes: the other replies are not read here.
    if (!angle && value != EnteredValue::startSideNumber) return {};
    const EntryValue reply = EntryValue::text(typed);
    const auto decimal = reply.decimal();
    if (!decimal || decimal->exponent > 100'000 || decimal->exponent < -100'000) return {};
    std::string fraction = splitDecimal(*decimal).fractionDigits;
    if (value == EnteredValue::startSideNumber && reply.numericValue() &&
        fraction.find_first_not_of('0') != std::string::npos) {
        // Halves to the even number, as the number is stored: 2.5 is 2, 3.5 is 4.
        return i18n::withArguments(i18n::translate("注意：起算边编号 %1 不是整数，按规定取整为 %2，请检查是否输错"),
                                   {typed, std::to_string(static_cast<long long>(std::nearbyint(*reply.numericValue())))});
    }
    if (!angle) return {};
    std::string name = value == EnteredValue::Ta   ? "Ta"
                       : value == EnteredValue::Qa ? "Qa"
                                                   : "b(" + std::to_string(static_cast<int>(value) - static_cast<int>(EnteredValue::b1) + 1) + ")";
    // An observed angle of a quadrilateral lies between 0° and 180°; one that shows as 0° 00′ 00″ (0, -0, 1e-300)
    // is an empty reading, not an angle.
    const double degrees = toDegrees(*decimal);
    if (value >= EnteredValue::b1 && (decimal->negative || degrees * 3600 < 0.5 || degrees >= 180)) {
        return i18n::withArguments(
            i18n::translate("注意：%1 的输入 %2 不是大于 0° 且小于 180° 的观测角；仍按输入计算，请检查是否输错"),
            {name, quoted(typed)});
    }
    fraction.resize(std::max<std::size_t>(fraction.size(), 4), '0');
    const int minutes = std::stoi(fraction.substr(0, 2));
    const int wholeSeconds = std::stoi(fraction.substr(2, 2));
    if (minutes < 60 && wholeSeconds < 60) return {};
    return i18n::withArguments(
        i18n::translate("注意：%1 的输入 %2 按 dd.mmss 读作 %3 分 %4 秒，分或秒不小于 60；仍按输入换算为 %5°，请检查是否输错"),
        {name, typed, std::to_string(minutes), std::to_string(wholeSeconds), std::to_string(degrees)});
}

}  // namespace morvalen
