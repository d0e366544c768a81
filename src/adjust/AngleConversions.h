// Conversions between the units of the adjustment: dd.mmss, decimal degrees, radians, seconds of arc and units of
// the sixth decimal of the common logarithm. (Typed dd.mmss becomes degrees by toDegrees, entry/PackedAngle.h.)
#pragma once

namespace morvalen {

// ln 10 to nine decimals, the traditional value of the hand computation.
inline constexpr double naturalLogOfTen = 2.302585093;
// Change of the log sine in sixth-decimal units per second of arc is 2.1055 / tan: 10^6 · log10(e) / 206265 taken
// to four decimals as the tables give it (not the more precise 2.10552).
inline constexpr double poleCoefficientNumerator = 2.1055;
inline constexpr double secondsPerDegree = 3600;
inline constexpr double logUnitsPerLogUnit = 1000000;

// Decimal degrees → dd.mmss: D = Fix(a), M = (a − D) × 60, S = (M − Fix(M)) × 6 / 1000, result (D + Fix(M)/100) + S.
// No carry is made: an angle just short of a whole minute packs to 60 seconds (30.99999999° gives 30.5959999...).
double toDms(double degrees);

// radiansPerDegree × degrees.
inline double toRadians(double degrees, double radiansPerDegree) { return radiansPerDegree * degrees; }

// Common logarithm of the sine in the table form: ln(sin(radiansPerDegree × degrees)) / 2.302585093 + 10.
// The caller checks that the sine is positive.
double log10Sine(double degrees, double radiansPerDegree);

// 2.1055 / tan(radiansPerDegree × degrees): change of the log sine, in sixth-decimal units, per second of arc.
// The caller checks that the tangent is not zero.
double poleCoefficient(double degrees, double radiansPerDegree);

}  // namespace morvalen
