// The geometry shared by both coordinate computations.
//
// Stations 1 = A, 2 = P1, 3 = P2, 4 = B or P3, clockwise. Sides S(1) = A–P1, S(2) = P1–P2, S(3) = P2–station 4,
// S(4) = station 4–A, diagonals S(5) = P1–station 4 and S(6) = A–P2. The angle b(2j − 2) + b(2j − 1) is the interior
// angle at station j = 2, 3, 4, and b(8) + b(1) the one at A. Azimuths are decimal degrees clockwise from +X (north).
#pragma once

#include <array>
#include <string>

#include "adjust/AdjustmentWork.h"
#include "adjust/Arithmetic.h"
#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

// One side carried by the sine rule: S(newSide) = (sin(numerator) × S(fromSide)) / sin(denominator).
struct SideChainStep {
    int newSide = 0;
    int fromSide = 0;                     // 1..4 an outer side, 5 or 6 the diagonal of the start side
    const char* numeratorAngle = "";      // "b(7)"
    const char* denominatorAngle = "";    // "b(2)", or "b(8) + b(1)" for a whole interior angle
    double numeratorSine = 0;
    double denominatorSine = 0;
    double length = 0;                    // metres
};

// Azimuths α(1)..α(n) and outer sides S(1)..S(n) of one traverse, index 0 unused; the sides in the order the side
// chain formed them; the coordinate differences of the legs as the traverse adds them.
struct TraverseLegs {
    std::array<double, 5> azimuths{};  // decimal degrees
    std::array<double, 5> sides{};     // metres
    std::array<SideChainStep, 4> chain{};
    int chainLength = 0;
    std::array<double, 5> deltaX{};  // metres: cos(α(i)) × S(i)
    std::array<double, 5> deltaY{};  // metres: sin(α(i)) × S(i)
};

// Re-creates pointX and pointY with the indexes 0..lastStation, so that nothing of an earlier run survives in them.
void renewStationCoordinates(SurveyState& state, int lastStation);

// The adjusted angles b(1)..b(8) of the survey state, in decimal degrees.
AngleArray adjustedAnglesInDegrees(const SurveyState& state);

// Azimuth of A → B in degrees from the coordinate differences and the length of A–B: the arcsine of Δy / D formed
// through the arctangent, brought into 0..360 by the signs of Δx and Δy. Due east of A gives 89.99999190°, because
// r = ±1 is shrunk by 0.99999999999999 to keep √(1 − r²) from being zero. Stops when A and B coincide.
double knownSideAzimuth(double deltaX, double deltaY, double length, double radiansPerDegree, const CheckedStep& step);

// α(i) = ((α(i − 1) − b(2i − 2)) − b(2i − 1)) − 180 for i = 2..n, plus 360 once when below 0.
void propagateAzimuths(TraverseLegs& legs, const AngleArray& angles, int n, const CheckedStep& step);

// Row `row` of the side chain (1: S(2) from S(1) with b(1) over b(4); 2: S(3) from S(2), b(3) over b(6); 3: S(4) from
// S(3), b(5) over b(8); 4: S(1) from S(4), b(7) over b(2)): the sine rule, numerator sine times side, then divided.
void applySideChainRow(TraverseLegs& legs, int row, const AngleArray& angles, double radiansPerDegree,
                       const CheckedStep& step);

// (sin(k × numerator) × side) / sin(k × denominator), stopping on a zero denominator sine.
double sineRule(double numeratorAngle, double side, double denominatorAngle, const char* denominatorName,
                double radiansPerDegree, const CheckedStep& step);

// The same as one step of the side chain, with both sines, appended to legs.chain: S(newSide) from S(fromSide).
double chainSide(TraverseLegs& legs, int newSide, int fromSide, double fromLength, double numeratorAngle,
                 const char* numeratorName, double denominatorAngle, const char* denominatorName,
                 double radiansPerDegree, const CheckedStep& step);

// The numeric value of an entered coordinate, length or angle; stops when it does not read as a number.
double enteredNumber(const EntryValue& value, const char* name, const CheckedStep& step);

// Runs the traverse from row 0 (pointX(0), pointY(0) already set) through stations 1..n into the survey state, then
// keeps the coordinate differences in legs. Every coordinate is computed and checked before the first is stored.
void runTraverse(SurveyState& state, TraverseLegs& legs, int n, const CheckedStep& step);

struct CoordinateSteps;
// Records the legs' coordinate differences, the stations 0..n of the survey state and the misclosure of station n
// against the given (closingX, closingY) into the record of the run.
void recordTraverse(CoordinateSteps& steps, const SurveyState& state, const TraverseLegs& legs, double closingX,
                    double closingY);

}  // namespace morvalen
