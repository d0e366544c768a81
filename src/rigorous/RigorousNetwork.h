// The network of the rigorous adjustment from a completed run and the field book that gave its angles, and the
// comparison of both results.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "entry/SurveyState.h"
#include "fieldbook/DirectionReduction.h"
#include "rigorous/RigorousAdjustment.h"

namespace morvalen::rigorous {

// The a priori σ of the observations.
struct ObservationSigmas {
    double directionSeconds = 2;      // one direction, both faces of one round
    double distanceMillimetres = 2;   // a of σ = a mm + b ppm
    double distancePpm = 2;           // b
};

// The a priori σ where none is given: a direction as the instrument class of the book's limits (2″ for the 2″
// class), distances 2 mm + 2 ppm.
ObservationSigmas defaultSigmas(const fieldbook::FieldBookReduction& reduction);

// The network of the run: the stations as the field book names them in the order of the run (A, P1, P2, B or P3),
// approximate coordinates from the classical result, the datum of the run's case. One direction per station, round
// and target among the four stations (the reduced direction: the mean of both faces, the start target's closing
// pointing meaned with its opening one), one distance per filled distance cell. Throws RigorousError for a run
// without coordinates (stopped, or the mixed case).
Network networkOf(const SurveyState& state, const fieldbook::FieldBookReduction& reduction, const ObservationSigmas& sigmas);

// Rigorous − classical of a new station, millimetres.
struct StationDifference {
    std::string name;
    double dx = 0, dy = 0;
    double ratio = 0;  // √(dx² + dy²) over the rigorous σ of the position √(sx² + sy²)
};

// The differences of the new stations (not those the datum holds), in the order of the diagram.
std::vector<StationDifference> stationDifferences(const SurveyState& state, const RigorousAdjustment& adjustment);

// One sentence: why the two results differ and whether the difference matters against the σ.
std::string differenceSentence(const std::vector<StationDifference>& differences, bool withDistances);

// The rigorous adjustment of a completed run, with what it is compared to.
struct RigorousRun {
    Network network;
    RigorousAdjustment adjustment;
    std::vector<StationDifference> differences;
    std::string sentence;
};

// networkOf, adjustNetwork and the comparison in one. Throws RigorousError.
RigorousRun rigorousRun(const SurveyState& state, const fieldbook::FieldBookReduction& reduction,
                        const ObservationSigmas& sigmas);

}  // namespace morvalen::rigorous
