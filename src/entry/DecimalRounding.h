// Decimal numbers rounded and written as the fields and the report show them.
//
// Two rounding rules meet here, both intended: the echo of a typed value rounds its typed digits with halves away
// from zero (3456.7895 echoes as 3456.790), a computed result rounds its exact binary value with halves to even
// (form/FieldText.h). A value that rounds to zero is written without a minus sign.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "entry/DecimalNumber.h"

namespace morvalen {

enum class Rounding { halfAwayFromZero, halfToEven };

// Rounds to `decimals` places after the point.
DecimalNumber roundDecimal(const DecimalNumber& number, int decimals, Rounding rounding);

// Writes the number with exactly `decimals` places after the point, rounding with `rounding`. With `leadingZero`
// false a zero integer part is left out (".500", the report's ".000" pattern).
std::string formatFixed(const DecimalNumber& number, int decimals, Rounding rounding, bool leadingZero = true);

// Rounds to a whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4); nullopt when outside
// -32768..32767, the range of the start side number.
std::optional<std::int16_t> roundToInt16(const DecimalNumber& number);

}  // namespace morvalen
