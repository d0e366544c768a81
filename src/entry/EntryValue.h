// The value of one typed reply, as the survey state keeps it.
//
// A typed coordinate, length or angle is kept as the text that was typed and read as a number only where a
// computation needs it. A later step may store a number in its place (the typed angles become decimal degrees, the
// start side length of the known-side case becomes the computed length of A–B).
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "entry/DecimalNumber.h"

namespace morvalen {

// How a value is shown in a field: as typed, or as a number with three or five decimals. `threeDecimalsBare` is the
// report's ".000", which leaves out a zero integer part.
enum class Pattern { none, threeDecimals, fiveDecimals, threeDecimalsBare };

// How a value reads as a number.
enum class Reading { number, notNumeric, outOfRange };

class EntryValue {
public:
    EntryValue() = default;  // empty: never written
    static EntryValue text(std::string typed) { return EntryValue(std::move(typed)); }
    static EntryValue number(double value) { return EntryValue(value); }

    // Stores a number in place of whatever the value held.
    void setNumber(double value) {
        content_ = value;
        reading_ = Reading::number;
        plain_.reset();
        zero_ = false;
    }

    bool isEmpty() const { return std::holds_alternative<std::monostate>(content_); }
    bool holdsText() const { return std::holds_alternative<std::string>(content_); }
    bool holdsNumber() const { return std::holds_alternative<double>(content_); }

    // The typed text; a number gives its shortest decimal form, an empty value the empty text.
    std::string typedText() const;

    // Numeric reading: an empty value reads as 0, a text by its decimal digits, a number as itself.
    Reading reading() const;
    // The number when `reading()` is `Reading::number`.
    std::optional<double> numericValue() const;

    // Comparison with zero: a text that does not read as a number (the empty text too) never equals zero.
    bool equalsZero() const;

    // Display with a pattern: numbers rounded at the pattern's last decimal with halves away from zero; a text that
    // does not read as a number, and every text shown without a pattern, appears unchanged.
    std::string display(Pattern pattern) const;

    // The exact decimal form of the value: nullopt when it does not read as a number within the range of a double.
    std::optional<DecimalNumber> decimal() const;

    // The typed number when the text has the plain form (see PlainDecimal), else null.
    const PlainDecimal* plainDecimal() const { return plain_ ? &*plain_ : nullptr; }

    bool operator==(const EntryValue& other) const { return content_ == other.content_; }

private:
    explicit EntryValue(std::string typed);
    explicit EntryValue(double value) : content_(value) {}

    std::variant<std::monostate, std::string, double> content_;
    // A text is read once, when it is stored: how it reads, its plain form when it has one, whether it is the
    // number zero, and its number. The rare texts of other forms are read again where their digits are needed.
    Reading reading_ = Reading::number;
    std::optional<PlainDecimal> plain_;
    bool zero_ = false;
    double typedValue_ = 0;
};

}  // namespace morvalen
