// The texts of the result fields: how a stored value is shown in its field.
//
// A result is rounded to its decimals with ties to even on the stored binary value (a single is rounded as that
// single, not as its decimal text) and written with at least one integer digit; a value that rounds to zero is
// written without a minus sign, so that an exact quadrilateral shows its closures as 0.00.
#pragma once

#include <string>

namespace morvalen {

// The value rounded to `decimals` places, ties to even, in the pattern "0.00" / "0.00000" / "0.000".
std::string roundedFixed(double value, int decimals);

// The general form of a single: up to seven significant digits; digits only for a whole number below 10^7
// (353081); exponent form otherwise, with trailing zeros dropped (1.234568E+07, 1E+07).
std::string generalForm(float value);

// The units written behind the number, in the language of the interface: " 秒" (″), " 单位" (units of the 6th
// decimal of the common logarithm, ×10⁻⁶).
const char* secondsUnit();
const char* logUnitsUnit();

std::string secondsText(float seconds);    // " 2.00 秒": closures w(1)..w(3) and mb
std::string logUnitsText(float logUnits);  // " 3.00 单位": closure w(4) and mlgs
std::string reciprocalWeightText(double invPlgs);  // "5.29618": nothing before or after it
std::string relativeErrorText(float denominator);  // " 1/282331"

// The shortest decimal that reads back as the same single, as a double (0.1f gives 0.1, not 0.100000001490116):
// how a stored single is handed to a document that holds doubles.
double shortestDecimal(float value);

}  // namespace morvalen
