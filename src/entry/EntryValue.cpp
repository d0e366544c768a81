#include "entry/EntryValue.h"

#include <algorithm>
#include <cmath>

namespace morvalen {

EntryValue::EntryValue(std::string typed) : content_(std::move(typed)) {
    plain_ = readPlainDecimal(std::get<std::string>(content_));
    if (plain_) {
        typedValue_ = plain_->value();
        return;
    }
    const auto decimal = parseDecimal(std::get<std::string>(content_));
    if (!decimal) {
        reading_ = Reading::notNumeric;
        return;
    }
    zero_ = decimal->isZero();
    const auto value = toDouble(*decimal);
    reading_ = value ? Reading::number : Reading::outOfRange;
    typedValue_ = value.value_or(0.0);
}

std::string EntryValue::typedText() const {
    if (const auto* typed = std::get_if<std::string>(&content_)) return *typed;
    if (const auto* value = std::get_if<double>(&content_)) {
        const DecimalNumber shortest = shortestDecimal(*value);
        return formatFixed(shortest, static_cast<int>(std::max<std::int64_t>(0, -shortest.exponent)),
                           Rounding::halfToEven);
    }
    return {};
}

std::optional<DecimalNumber> EntryValue::decimal() const {
    if (isEmpty()) return DecimalNumber{};
    if (const auto* value = std::get_if<double>(&content_)) return shortestDecimal(*value);
    if (reading_ != Reading::number) return std::nullopt;
    if (plain_) return plain_->decimal();
    return parseDecimal(std::get<std::string>(content_));
}

Reading EntryValue::reading() const { return holdsText() ? reading_ : Reading::number; }

std::optional<double> EntryValue::numericValue() const {
    if (isEmpty()) return 0.0;
    if (const auto* value = std::get_if<double>(&content_)) return *value;
    if (reading_ != Reading::number) return std::nullopt;
    return typedValue_;
}

bool EntryValue::equalsZero() const {
    if (isEmpty()) return true;
    if (const auto* value = std::get_if<double>(&content_)) return *value == 0.0;
    if (plain_) return plain_->mantissa == 0;
    return zero_;
}

std::string EntryValue::display(Pattern pattern) const {
    if (pattern == Pattern::none) return typedText();
    const int decimals = pattern == Pattern::fiveDecimals ? 5 : 3;
    const bool leadingZero = pattern != Pattern::threeDecimalsBare;
    if (holdsText() && plain_) {
        if (auto text = formatFixed(*plain_, decimals, Rounding::halfAwayFromZero, leadingZero)) return *text;
    }
    if (const auto* value = std::get_if<double>(&content_)) {
        if (!std::isfinite(*value)) return typedText();
    }
    const auto number = decimal();
    if (!number) return typedText();
    return formatFixed(*number, decimals, Rounding::halfAwayFromZero, leadingZero);
}

}  // namespace morvalen
