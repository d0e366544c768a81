// Exact decimal reading of typed numbers.
//
// Surveyors type coordinates, lengths and packed dd.mmss angles as decimal text. The echo of a typed value, the
// comparison with zero and the split of an angle into degrees, minutes and seconds all work on the typed digits
// themselves, so that 10.2 is ten degrees twenty minutes and not the binary 10.1999999... . This file holds that
// decimal form and its reading rules.
//
// Accepted (blanks or ideographic spaces around are ignored; full-width digits, point, signs and E read like ASCII):
//   "12", "-3.5", "+.25", "7.", "1e3", "1.5E-02", "１２．５"
// Rejected (not a number):
//   "", ".", "e5", "1e", "--5", "1,234.5", "12,5", "nan", "inf", "0x10", "1 2", "12m"
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvalen {

// A decimal number held exactly: value = (negative ? -1 : 1) × digits × 10^exponent.
// `digits` has no leading and no trailing zeros; zero is the empty digit string.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;

    bool isZero() const { return digits.empty(); }
};

// Reads a typed text; nullopt when it is not a number.
std::optional<DecimalNumber> parseDecimal(std::string_view text);

// The common typed number, read without building a digit string: blanks, an optional sign, digits with an optional
// point, blanks; no exponent, no full-width forms, a whole-number mantissa below 2^53. Its value is
// (negative ? -1 : 1) × mantissa / 10^decimals, and `value()` is exactly rounded.
struct PlainDecimal {
    std::int64_t mantissa = 0;
    int decimals = 0;
    bool negative = false;

    double value() const;
    DecimalNumber decimal() const;
};

// False when the text is not of the plain form (it may still be a number: parseDecimal decides); `plain` is then
// left in an unspecified state.
bool readPlainDecimal(std::string_view text, PlainDecimal& plain);

// nullopt when the text is not of the plain form.
inline std::optional<PlainDecimal> readPlainDecimal(std::string_view text) {
    PlainDecimal plain;
    if (!readPlainDecimal(text, plain)) return std::nullopt;
    return plain;
}

// 10^n for n = 0..18.
inline constexpr std::int64_t powersOfTen[] = {1,
                                               10,
                                               100,
                                               1000,
                                               10000,
                                               100000,
                                               1000000,
                                               10000000,
                                               100000000,
                                               1000000000,
                                               10000000000,
                                               100000000000,
                                               1000000000000,
                                               10000000000000,
                                               100000000000000,
                                               1000000000000000,
                                               10000000000000000,
                                               100000000000000000,
                                               1000000000000000000};
inline constexpr std::int64_t powerOfTen(int n) { return powersOfTen[n]; }

// The shortest decimal that reads back as the same double.
DecimalNumber shortestDecimal(double value);

// The nearest double; nullopt when the magnitude lies outside the range of a double (above its largest value, or so
// small that it would read as zero although it is not).
std::optional<double> toDouble(const DecimalNumber& number);

enum class Rounding { halfAwayFromZero, halfToEven };

// Rounds to `decimals` places after the point.
DecimalNumber roundDecimal(const DecimalNumber& number, int decimals, Rounding rounding);

// Writes the number with exactly `decimals` places after the point, rounding with `rounding`. A value that rounds to
// zero is written without a minus sign. With `leadingZero` false a zero integer part is left out (".500").
std::string formatFixed(const DecimalNumber& number, int decimals, Rounding rounding, bool leadingZero = true);

// Writes the whole number `scaled` / 10^decimals with exactly `decimals` places after the point: "-" in front when
// negative and not zero, no integer digit when `leadingZero` is false and the integer part is 0.
std::string formatScaled(bool negative, std::uint64_t scaled, int decimals, bool leadingZero = true);

// The same written to `out`, which has room for scaledTextSize characters, for decimals up to 18; returns the end.
inline constexpr std::size_t scaledTextSize = 48;
char* writeScaled(char* out, bool negative, std::uint64_t scaled, int decimals, bool leadingZero = true);

// A plain typed number rounded to `decimals` places, as the whole number of units of the last place (sign left
// out); nullopt when it would not fit in 64 bits or decimals lie outside 0..17.
std::optional<std::uint64_t> scaledFixed(const PlainDecimal& number, int decimals, Rounding rounding);

// formatFixed for a plain typed number, in whole-number arithmetic; nullopt when the scaled value would not fit.
std::optional<std::string> formatFixed(const PlainDecimal& number, int decimals, Rounding rounding,
                                       bool leadingZero = true);

// Whole part (truncated toward zero) and fraction digits of the absolute value, as decimal digit strings:
// 45.3015 gives "45" and "3015"; 0.003 gives "0" and "003".
struct DecimalParts {
    std::string wholeDigits;
    std::string fractionDigits;
};
DecimalParts splitDecimal(const DecimalNumber& number);

// Rounds to a whole number, halves to the even neighbour; nullopt when outside -32768..32767.
std::optional<std::int16_t> roundToInt16(const DecimalNumber& number);

}  // namespace morvalen
