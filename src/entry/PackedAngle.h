// Angles typed in the packed sexagesimal form dd.mmss.
#pragma once

#include <optional>
#include <string>

#include "entry/EntryValue.h"
#include "entry/FrontEnd.h"

namespace morvalen {

// The values typed as dd.mmss: the observed angles b(1)…b(8), Ta and Qa.
constexpr bool isPackedAngle(EnteredValue value) {
    return value >= EnteredValue::b1 || value == EnteredValue::Ta || value == EnteredValue::Qa;
}

// dd.mmss → decimal degrees. The whole part is degrees, the first two decimals minutes, the remaining decimals
// seconds with their fraction: 45.30155 is 45° 30′ 15.5″, 10.2 is 10° 20′, 10.7500 is 11.25° (no bound is placed on
// the minute or second digits). The split uses the exact decimal digits of the typed text, then adds
// (degrees + minutes / 60) + seconds / 3600 in this order in double precision. A negative angle gives the negative of
// its absolute value.
double toDegrees(const DecimalNumber& packedAngle);

// The same for a stored value; nullopt when it does not read as a number within the range of a double.
std::optional<double> toDegrees(const EntryValue& packedAngle);

// The warning beside a reply that the dialogue takes as specified though the surveyor most likely mistyped it: a
// dd.mmss value (b(1)…b(8), Ta, Qa) whose minutes or seconds are 60 or more, "44.6112" (61 minutes), converted as
// typed to 45.0200°; an observed angle that is not above 0° and below 180° ("0", "-0", "1e-300", "-30.1"),
// computed as typed; a start side number that is no whole number, "2.5", rounded to 2. Empty for a regular reply, a
// reply that is no number, and every other value.
std::string replyWarning(EnteredValue value, const std::string& typed);
// The values whose replies can be likely mistypes: the angles and the start side number.
constexpr bool mistypesWarned(EnteredValue value) {
    return isPackedAngle(value) || value == EnteredValue::startSideNumber;
}
// The same for a reply already read as typed (a run keeps its readings of the angles) and, for an observed angle,
// the decimal degrees it was converted to, when the run has converted it already. A value that holds no typed text
// is no reply: nothing is warned of.
std::string replyWarning(EnteredValue value, const EntryValue& reply, std::optional<double> degrees = std::nullopt);

// The minutes and whole seconds of a dd.mmss value as typed: the first two and the next two decimals of its
// absolute value, zeros where the typed digits stop (45.3 is 30 minutes, 0 seconds).
struct TypedMinutesSeconds {
    int minutes = 0;
    int wholeSeconds = 0;
};
TypedMinutesSeconds typedMinutesSeconds(const DecimalNumber& packedAngle);

}  // namespace morvalen
