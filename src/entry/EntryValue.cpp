#include "entry/EntryValue.h"

#include <algorithm>
#include <cmath>

namespace morvalen {

void EntryValue::readTypedText() {
    kind_ = Kind::text;
    zero_ = false;
    number_ = 0;
    reading_ = Reading::number;
    hasPlain_ = readPlainDecimal(typedView(), plain_);
    if (hasPlain_) return;
    const auto decimal = parseDecimal(typedView());
    if (!decimal) {
        reading_ = Reading::notNumeric;
        return;
    }
    zero_ = decimal->isZero();
    const auto value = toDouble(*decimal);
    reading_ = value ? Reading::number : Reading::outOfRange;
    number_ = value.value_or(0.0);
}

std::string EntryValue::typedText() const {
    if (kind_ == Kind::text) return std::string(typedView());
    if (kind_ == Kind::number) {
        const DecimalNumber shortest = shortestDecimal(number_);
        return formatFixed(shortest, static_cast<int>(std::max<std::int64_t>(0, -shortest.exponent)),
                           Rounding::halfToEven);
    }
    return {};
}

std::optional<DecimalNumber> EntryValue::decimal() const {
    if (kind_ == Kind::empty) return DecimalNumber{};
    if (kind_ == Kind::number) return shortestDecimal(number_);
    if (reading_ != Reading::number) return std::nullopt;
    if (hasPlain_) return plain_.decimal();
    return parseDecimal(typedView());
}

bool EntryValue::equalsZero() const {
    if (kind_ == Kind::empty) return true;
    if (kind_ == Kind::number) return number_ == 0.0;
    if (hasPlain_) return plain_.mantissa == 0;
    return zero_;
}

std::string EntryValue::display(Pattern pattern, std::string_view prefix) const {
    if (pattern != Pattern::none && hasPlain_ && prefix.size() <= 16) {
        const int decimals = pattern == Pattern::fiveDecimals ? 5 : 3;
        if (const auto scaled = scaledFixed(plain_, decimals, Rounding::halfAwayFromZero)) {
            char text[16 + scaledTextSize];
            char* end = std::copy(prefix.begin(), prefix.end(), text);
            end = writeScaled(end, plain_.negative, *scaled, decimals, pattern != Pattern::threeDecimalsBare);
            return std::string(text, end);
        }
    }
    return displayOtherwise(pattern, prefix);
}

std::string EntryValue::displayOtherwise(Pattern pattern, std::string_view prefix) const {
    const auto behindPrefix = [&](std::string text) { return prefix.empty() ? text : std::string(prefix) + text; };
    if (pattern == Pattern::none) return behindPrefix(typedText());
    const int decimals = pattern == Pattern::fiveDecimals ? 5 : 3;
    const bool leadingZero = pattern != Pattern::threeDecimalsBare;
    if (hasPlain_) {
        if (auto text = formatFixed(plain_, decimals, Rounding::halfAwayFromZero, leadingZero)) {
            return behindPrefix(*text);
        }
    }
    if (kind_ == Kind::number && !std::isfinite(number_)) return behindPrefix(typedText());
    const auto number = decimal();
    if (!number) return behindPrefix(typedText());
    return behindPrefix(formatFixed(*number, decimals, Rounding::halfAwayFromZero, leadingZero));
}

}  // namespace morvalen
