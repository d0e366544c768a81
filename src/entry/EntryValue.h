// The value of one typed reply, as the survey state keeps it.
//
// A typed coordinate, length or angle is kept as the text that was typed and read as a number only where a
// computation needs it. A later step may store a number in its place (the typed angles become decimal degrees, the
// start side length of the known-side case becomes the computed length of A–B).
#pragma once

#include <optional>
#include <string>
#include <string_view>

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
    static EntryValue text(std::string typed) {
        EntryValue value;
        value.setText(std::move(typed));
        return value;
    }
    static EntryValue number(double value) {
        EntryValue entry;
        entry.setNumber(value);
        return entry;
    }

    // Empties the value, as if it had never been written.
    void clear() { *this = EntryValue(); }

    // Stores a typed text in place of whatever the value held. The text is read once, here.
    void setText(std::string typed);
    // Stores a number in place of whatever the value held.
    void setNumber(double value);

    bool isEmpty() const { return kind_ == Kind::empty; }
    bool holdsText() const { return kind_ == Kind::text; }
    bool holdsNumber() const { return kind_ == Kind::number; }

    // The typed text; a number gives its shortest decimal form, an empty value the empty text.
    std::string typedText() const;

    // Numeric reading: an empty value reads as 0, a text by its decimal digits, a number as itself.
    Reading reading() const { return reading_; }
    // The number when `reading()` is `Reading::number`.
    std::optional<double> numericValue() const {
        if (reading_ != Reading::number) return std::nullopt;
        return number_;
    }

    // Comparison with zero: a text that does not read as a number (the empty text too) never equals zero.
    bool equalsZero() const;

    // Display with a pattern: numbers rounded at the pattern's last decimal with halves away from zero; a text that
    // does not read as a number, and every text shown without a pattern, appears unchanged.
    std::string display(Pattern pattern) const;

    // The exact decimal form of the value: nullopt when it does not read as a number within the range of a double.
    std::optional<DecimalNumber> decimal() const;
    // The same, not copied, for a typed text: the digits kept when it was read; nullptr for any other value.
    const DecimalNumber* typedDecimal() const {
        return kind_ == Kind::text && reading_ == Reading::number ? &*typed_ : nullptr;
    }

    // Equal when both are empty, both hold the same typed text, or both hold the same number.
    bool operator==(const EntryValue& other) const {
        if (kind_ != other.kind_) return false;
        if (kind_ == Kind::text) return text_ == other.text_;
        return kind_ == Kind::empty || number_ == other.number_;
    }

private:
    enum class Kind { empty, text, number };

    Kind kind_ = Kind::empty;
    std::string text_;                    // the typed text
    std::optional<DecimalNumber> typed_;  // its decimal digits, when it is a number
    Reading reading_ = Reading::number;
    double number_ = 0;  // the number held, or the number the typed text reads as
};

}  // namespace morvalen
