// The whole state of one Morvalen window apart from what the window shows.
//
// One plain record, created empty with the window and shared by its three commands: the compute command prepares
// it, fills it through the observation entry and extends it through the adjustment and the coordinates; the print
// command only reads it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "entry/EntryValue.h"

namespace morvalen {

// 3.1415926535 / 180: π is taken to ten decimals on purpose, so that an angle of exactly 180° still has a tiny
// positive sine and a finite pole coefficient, and every conversion of a run uses the same factor.
inline constexpr double tenDecimalPi = 3.1415926535;

struct SurveyState {
    std::int16_t startSideNumber = 0;    // side of the diagram whose length is typed (azimuth case)
    std::int16_t unknownPointCount = 0;  // stations to be determined: 3 (azimuth case) or 2
    EntryValue xa, ya;                   // metres: X (northing) and Y (easting) of the known station A
    EntryValue xb, yb;                   // metres: station B; both zero when B is not given
    float mb = 0;                        // seconds of arc: mean square error of one angle
    double invPlgs = 0;                  // reciprocal weight 1/Plgs of the log of the weakest side
    float mlgs = 0;                      // units of the sixth log decimal: error of the log of the weakest side
    float relativeErrorDenominator = 0;  // m of the relative error 1/m of the weakest side
    std::vector<std::vector<double>> normalMatrix;  // 0..3 × 0..3, normal equations of the second group
    std::vector<EntryValue> adjustedAngles;         // 0..8: typed dd.mmss, then decimal degrees; index 0 unused
    std::vector<EntryValue> observedAngles;         // 0..8: the angles exactly as confirmed; index 0 unused
    std::vector<std::string> pointNames;            // 0 = A, the unknown stations clockwise, then the closing point
    std::vector<float> closures;                    // 0..4: w(1)..w(3) seconds of arc, w(4) sixth-decimal log units
    std::vector<double> pointX, pointY;             // metres: computed coordinates, same indexes as pointNames
    double radiansPerDegree = 0;                    // radian per degree, set by prepareState
    EntryValue startSideLength;                     // metres: typed (azimuth case) or computed A–B (known side)
    EntryValue Ta;                                  // dd.mmss: external azimuth at A, as confirmed
    EntryValue Qa;                                  // dd.mmss: orientation angle at A, as confirmed
    std::int16_t upperBound4 = 0;                   // 4 after preparation: last index of the five-entry arrays
    std::int16_t upperBound3 = 0;                   // 3 after preparation: last index of normalMatrix

    // True only between the end of a computation that ran to its last step and the start of the next one: the
    // report is printed only from a complete computation, never from a mix of two.
    bool computationComplete = false;
};

// The preparation at the start of every compute command, before the first prompt: renews the arrays of the
// adjustment and sets radiansPerDegree. Fields it does not name keep their values.
void prepareState(SurveyState& state);

// The three cases of a run, decided afresh from xb and yb wherever they matter.
enum class RunCase { knownSide, azimuth, mixed };
RunCase runCase(const SurveyState& state);
// The same from the two coordinates of B alone.
RunCase runCase(const EntryValue& xb, const EntryValue& yb);
// The case as the result files and documents name it: "known-side", "azimuth" or "mixed".
const char* caseKey(RunCase kind);

}  // namespace morvalen
