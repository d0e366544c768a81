// The texts of the result fields.
//
// A result is rounded to its decimals with ties to even on the stored binary value (a single is rounded as that
// single, not as its decimal text) and written with at least one integer digit; a value that rounds to zero is
// written without a minus sign, so that an exact quadrilateral shows its closures as 0.00.
#pragma once

#include <string>
#include <string_view>

namespace morvalen {

// The value rounded to `decimals` places, ties to even, in the pattern "0.00" / "0.00000" / "0.000".
std::string roundedFixed(double value, int decimals);

// The same written to `out`, which has room for scaledTextSize characters; returns the end, or null for a value
// of 10^12 or more or more than six decimals, which only roundedFixed writes.
char* writeRoundedFixed(char* out, double value, int decimals);

// The same between a short prefix and suffix (up to 16 bytes each), formed as one text: " 2.00 秒".
std::string roundedFixed(std::string_view prefix, double value, int decimals, std::string_view suffix);

// The general form of a single: up to seven significant digits; digits only for a whole number below 10^7
// (353081); exponent form otherwise, with trailing zeros dropped (1.234568E+07, 1E+07).
std::string generalForm(float value);

std::string secondsText(float seconds);    // " 2.00 秒": closures w(1)..w(3) and mb
std::string logUnitsText(float logUnits);  // " 3.00 单位": closure w(4) and mlgs
std::string reciprocalWeightText(double invPlgs);  // "5.29618": nothing before or after it
std::string relativeErrorText(float denominator);  // " 1/282331"

}  // namespace morvalen
