// Exact decimal reading of typed numbers.
//
// Surveyors type coordinates, lengths and packed dd.mmss angles as decimal text. The echo of a typed value, the
// comparison with zero and the split of an angle into degrees, minutes and seconds all work on the typed digits
// themselves, so that 10.2 is ten degrees twenty minutes and not the binary 10.1999999... . This file holds that
// decimal form and its reading rules; DecimalRounding.h writes it back as text.
//
// Accepted (blanks or ideographic spaces around are ignored; full-width digits, point, signs and E read like ASCII,
// and the minus sign U+2212 like -):
//   "12", "-3.5", "+.25", "7.", "1e3", "1.5E-02", "１２．５", "−3.5"
// Rejected (not a number):
//   "", ".", "e5", "1e", "--5", "1,234.5", "12,5", "nan", "inf", "0x10", "1 2", "12m"
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvalen {

// A decimal number held exactly: value = (negative ? -1 : 1) × digits × 10^exponent.
// `digits` has no leading and no trailing zeros; zero is the empty digit string and is never negative.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;

    bool isZero() const { return digits.empty(); }
};

// Drops leading and trailing zeros of the digit string, keeping the value; zero loses its sign.
void normalise(DecimalNumber& number);

// Reads a typed text; nullopt when it is not a number.
std::optional<DecimalNumber> parseDecimal(std::string_view text);

// A typed text read once: its exact decimal form and the nearest double.
struct TypedNumber {
    std::optional<DecimalNumber> decimal;  // nullopt: not a number
    std::optional<double> value;           // nullopt: not a number, or outside the range of a double (as toDouble)
};
TypedNumber readTypedNumber(std::string_view text);

// The shortest decimal that reads back as the same double.
DecimalNumber shortestDecimal(double value);

// The nearest double; nullopt when the magnitude lies outside the range of a double (above its largest value, or so
// small that it would read as zero although it is not).
std::optional<double> toDouble(const DecimalNumber& number);

// The same for the value digits × 10^exponent of a plain digit string (leading zeros allowed, no sign).
std::optional<double> decimalValue(std::string_view digits, std::int64_t exponent);

// Whole part (truncated toward zero) and fraction digits of the absolute value, as decimal digit strings:
// 45.3015 gives "45" and "3015"; 0.003 gives "0" and "003".
struct DecimalParts {
    std::string wholeDigits;
    std::string fractionDigits;
};
DecimalParts splitDecimal(const DecimalNumber& number);

}  // namespace morvalen
