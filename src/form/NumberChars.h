// The characters of a number and the number of its characters: the one place where the program turns a double into
// digits and digits into a double.
//
// Every text is the one std::to_chars writes, and every reading the one std::from_chars makes, in the C locale. A
// standard library without their floating-point forms (the one the browser build compiles with) takes the portable
// way, through printf's and strtod's exact conversions, with the same digits; a build with them keeps its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvalen::numberChars {

// Fixed notation with `decimals` digits after the point, rounded from the exact binary value (ties to even).
std::string fixed(double value, int decimals);
// d.ddde±xx with `precision` digits after the point, rounded likewise.
std::string scientific(double value, int precision);
// The shortest text that reads back as the same double: fixed or scientific, whichever has fewer characters.
std::string shortest(double value);
// The same for a single: the shortest text that reads back as the same single.
std::string shortest(float value);
// The double nearest to the decimal text, read whole ([-]digits[.digits][e[±]digits]); nothing for a text that is
// not such a number or whose value lies beyond the range of a double or so close to zero that it would read as zero.
std::optional<double> read(std::string_view text);

// The portable way, always built, so that a build with std::to_chars can compare the two.
namespace portable {
std::string fixed(double value, int decimals);
std::string scientific(double value, int precision);
std::string shortest(double value);
std::string shortest(float value);
std::optional<double> read(std::string_view text);
}  // namespace portable

}  // namespace morvalen::numberChars
