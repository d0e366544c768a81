#include "entry/EntryValue.h"

#include <algorithm>
#include <cmath>

#include "entry/DecimalRounding.h"

namespace morvalen {

void EntryValue::setText(std::string typed) {
    kind_ = Kind::text;
    text_ = std::move(typed);
    TypedNumber reading = readTypedNumber(text_);
    typed_ = std::move(reading.decimal);
    reading_ = !typed_ ? Reading::notNumeric : reading.value ? Reading::number : Reading::outOfRange;
    number_ = reading.value.value_or(0.0);
}

void EntryValue::setNumber(double value) {
    kind_ = Kind::number;
    text_.clear();
    typed_.reset();
    reading_ = Reading::number;
    number_ = value;
}

std::string EntryValue::typedText() const {
    if (kind_ == Kind::text) return text_;
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
    return typed_;
}

bool EntryValue::equalsZero() const {
    if (kind_ == Kind::empty) return true;
    if (kind_ == Kind::number) return number_ == 0.0;
    return typed_ && typed_->isZero();
}

std::string EntryValue::display(Pattern pattern) const {
    if (pattern == Pattern::none) return typedText();
    if (kind_ == Kind::number && !std::isfinite(number_)) return typedText();
    const auto number = decimal();
    if (!number) return typedText();
    const int decimals = pattern == Pattern::fiveDecimals ? 5 : 3;
    return formatFixed(*number, decimals, Rounding::halfAwayFromZero, pattern != Pattern::threeDecimalsBare);
}

}  // namespace morvalen
