// The value of one typed reply, as the survey state keeps it.
//
// A typed coordinate, length or angle is kept as the text that was typed and read as a number only where a
// computation needs it. A later step may store a number in its place (the typed angles become decimal degrees, the
// start side length of the known-side case becomes the computed length of A–B).
#pragma once

#include <cstdint>
#include <cstring>
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
    static EntryValue text(std::string typed) { return EntryValue(std::move(typed)); }
    static EntryValue number(double value) { return EntryValue(value); }

    // Empties the value, as if it had never been written.
    void clear() {
        textLength_ = 0;
        number_ = 0;
        kind_ = Kind::empty;
        reading_ = Reading::number;
        hasPlain_ = false;
        zero_ = false;
    }

    // Stores a typed text in place of whatever the value held (the storage of an earlier text is reused).
    void setText(std::string_view typed) {
        storeText(typed);
        readTypedText();
    }

    // Stores a number in place of whatever the value held.
    void setNumber(double value) {
        kind_ = Kind::number;
        textLength_ = 0;
        number_ = value;
        reading_ = Reading::number;
        hasPlain_ = false;
        zero_ = false;
    }

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
        return hasPlain_ ? plain_.value() : number_;
    }

    // Comparison with zero: a text that does not read as a number (the empty text too) never equals zero.
    bool equalsZero() const;

    // Display with a pattern: numbers rounded at the pattern's last decimal with halves away from zero; a text that
    // does not read as a number, and every text shown without a pattern, appears unchanged.
    std::string display(Pattern pattern) const { return display(pattern, {}); }
    // The same behind a short prefix (up to 16 bytes), formed as one text.
    std::string display(Pattern pattern, std::string_view prefix) const;

    // The exact decimal form of the value: nullopt when it does not read as a number within the range of a double.
    std::optional<DecimalNumber> decimal() const;

    // The typed number when the text has the plain form (see PlainDecimal), else null.
    const PlainDecimal* plainDecimal() const { return hasPlain_ ? &plain_ : nullptr; }

    // Equal when both are empty, both hold the same typed text, or both hold the same number.
    bool operator==(const EntryValue& other) const {
        if (kind_ != other.kind_) return false;
        if (kind_ == Kind::text) return typedView() == other.typedView();
        return kind_ == Kind::empty || number_ == other.number_;
    }

private:
    enum class Kind : std::uint8_t { empty, text, number };

    explicit EntryValue(std::string typed) {
        if (typed.size() > shortTextSize) {
            longText_ = std::move(typed);
            textLength_ = longTextMark;
        } else {
            storeText(typed);
        }
        readTypedText();
    }
    void readTypedText();

    // The typed text: up to shortTextSize bytes (nearly every reply) in the value itself, copied in fixed-size
    // pieces without a call; longer ones in a string. `typed` must not view this value's own text.
    static constexpr std::size_t shortTextSize = 23;
    static constexpr std::uint8_t longTextMark = 255;
    void storeText(std::string_view typed) {
        const std::size_t size = typed.size();
        if (size > shortTextSize) {
            longText_.assign(typed);
            textLength_ = longTextMark;
            return;
        }
        char* to = shortText_;
        const char* from = typed.data();
        if (size >= 8) {
            std::memcpy(to, from, 8);
            if (size > 16) std::memcpy(to + 8, from + 8, 8);
            std::memcpy(to + size - 8, from + size - 8, 8);
        } else if (size >= 4) {
            std::memcpy(to, from, 4);
            std::memcpy(to + size - 4, from + size - 4, 4);
        } else if (size > 0) {
            to[0] = from[0];
            to[size / 2] = from[size / 2];
            to[size - 1] = from[size - 1];
        }
        textLength_ = static_cast<std::uint8_t>(size);
    }
    std::string_view typedView() const {
        return textLength_ == longTextMark ? std::string_view(longText_) : std::string_view(shortText_, textLength_);
    }
    // The display of texts without the plain form, of numbers and of patterns without a place, out of line.
    [[gnu::noinline]] std::string displayOtherwise(Pattern pattern, std::string_view prefix) const;
    explicit EntryValue(double value) : number_(value), kind_(Kind::number) {}

    // A text is read once, when it is stored: how it reads, its plain form when it has one, whether it is the
    // number zero, and its number. The rare texts of other forms are read again where their digits are needed.
    char shortText_[shortTextSize] = {};
    std::uint8_t textLength_ = 0;  // of the short text; longTextMark: the text is longText_
    std::string longText_;
    double number_ = 0;  // the number held, or the number a typed text of other than plain form reads as
    PlainDecimal plain_;  // a typed text of plain form, read as its value where it is needed
    Kind kind_ = Kind::empty;
    Reading reading_ = Reading::number;
    bool hasPlain_ = false;
    bool zero_ = false;
};

}  // namespace morvalen
