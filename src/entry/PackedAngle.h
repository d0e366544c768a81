// Angles typed in the packed sexagesimal form dd.mmss.
#pragma once

#include <optional>

#include "entry/EntryValue.h"

namespace morvalen {

// dd.mmss → decimal degrees. The whole part is degrees, the first two decimals minutes, the remaining decimals
// seconds with their fraction: 45.30155 is 45° 30′ 15.5″, 10.2 is 10° 20′, 10.7500 is 11.25° (no bound is placed on
// the minute or second digits). The split uses the exact decimal digits of the typed text, then adds
// (degrees + minutes / 60) + seconds / 3600 in this order in double precision. A negative angle gives the negative of
// its absolute value. nullopt when the value does not read as a number within the range of a double.
double toDegrees(const DecimalNumber& packedAngle);
double toDegrees(const PlainDecimal& packedAngle);

// toDegrees of a value that is not a typed text of the plain form: a number, or a text read by its decimal digits.
std::optional<double> toDegreesOfOtherForms(const EntryValue& packedAngle);

// The usual typed angle, of the plain form, is split straight from its digits.
inline std::optional<double> toDegrees(const EntryValue& packedAngle) {
    if (const PlainDecimal* plain = packedAngle.plainDecimal()) return toDegrees(*plain);
    return toDegreesOfOtherForms(packedAngle);
}

}  // namespace morvalen
