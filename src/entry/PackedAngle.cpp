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
    if (const DecimalNumber* typed = packedAngle.typedDecimal()) return toDegrees(*typed);
    const auto decimal = packedAngle.decimal();
    if (!decimal) return std::nullopt;
    return toDegrees(*decimal);
}

TypedMinutesSeconds typedMinutesSeconds(const DecimalNumber& packedAngle) {
    const auto size = static_cast<std::int64_t>(packedAngle.digits.size());
    // The digit of the place 10^-decimal: position p of the digit string is the place 10^(size - 1 - p + exponent).
    const auto digit = [&](std::int64_t decimal) {
        const std::int64_t at = size - 1 + packedAngle.exponent + decimal;
        return at >= 0 && at < size ? packedAngle.digits[static_cast<std::size_t>(at)] - '0' : 0;
    };
    return {digit(1) * 10 + digit(2), digit(3) * 10 + digit(4)};
}

std::string replyWarning(EnteredValue value, const std::string& typed) {
    // The other replies are not read here.
    if (!mistypesWarned(value)) return {};
    return replyWarning(value, EntryValue::text(typed));
}

std::string replyWarning(EnteredValue value, const EntryValue& reply, std::optional<double> degrees) {
    if (!mistypesWarned(value)) return {};
    const DecimalNumber* decimal = reply.typedDecimal();
    if (!decimal || decimal->exponent > 100'000 || decimal->exponent < -100'000) return {};
    // A normalised decimal has a fraction other than zero exactly when its exponent is negative.
    if (value == EnteredValue::startSideNumber && reply.numericValue() && decimal->exponent < 0) {
        // Halves to the even number, as the number is stored: 2.5 is 2, 3.5 is 4.
        return i18n::withArguments(i18n::translate("注意：起算边编号 %1 不是整数，按规定取整为 %2，请检查是否输错"),
                                   {reply.typedText(), std::to_string(static_cast<long long>(std::nearbyint(*reply.numericValue())))});
    }
    if (value == EnteredValue::startSideNumber) return {};
    const auto name = [&] {
        return value == EnteredValue::Ta   ? std::string("Ta")
               : value == EnteredValue::Qa ? std::string("Qa")
                                           : "b(" + std::to_string(static_cast<int>(value) - static_cast<int>(EnteredValue::b1) + 1) + ")";
    };
    // An observed angle of a quadrilateral lies between 0° and 180°; one that shows as 0° 00′ 00″ (0, -0, 1e-300)
    // is an empty reading, not an angle.
    if (value >= EnteredValue::b1) {
        if (!degrees) degrees = toDegrees(*decimal);
        if (decimal->negative || *degrees * 3600 < 0.5 || *degrees >= 180) {
            return i18n::withArguments(
                i18n::translate("注意：%1 的输入 %2 不是大于 0° 且小于 180° 的观测角；仍按输入计算，请检查是否输错"),
                {name(), quoted(reply.typedText())});
        }
    }
    const TypedMinutesSeconds typed = typedMinutesSeconds(*decimal);
    if (typed.minutes < 60 && typed.wholeSeconds < 60) return {};
    return i18n::withArguments(
        i18n::translate("注意：%1 的输入 %2 按 dd.mmss 读作 %3 分 %4 秒，分或秒不小于 60；仍按输入换算为 %5°，请检查是否输错"),
        {name(), reply.typedText(), std::to_string(typed.minutes), std::to_string(typed.wholeSeconds),
         std::to_string(degrees ? *degrees : toDegrees(*decimal))});
}

}  // namespace morvalen
