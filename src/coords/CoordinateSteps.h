// The coordinate computation of one run as the textbook lays it out, recorded stage by stage as the run forms it.
//
// A stage the run did not reach stays empty (nullopt): after a stop the record holds what the run reached and
// nothing after it.
#pragma once

#include <array>
#include <optional>

#include "coords/QuadrilateralGeometry.h"

namespace morvalen {

// Known-side case: the side A–B from the entered coordinates.
struct KnownSideStart {
    double deltaX = 0;   // metres, xb − xa
    double deltaY = 0;   // metres, yb − ya
    double length = 0;   // metres, D
    double azimuth = 0;  // degrees, αAB
};

// Azimuth case: the orientation and the start side.
struct AzimuthStart {
    double externalAzimuth = 0;   // degrees, Ta
    double orientationAngle = 0;  // degrees, Qa
    int startSide = 0;            // 1..6
    double length = 0;            // metres
};

// The traverse: coordinates of the stations 0..n as the run stores them, and the misclosure at the last station
// (computed minus given: B in the known-side case, A in the azimuth case), metres.
struct TraverseSteps {
    std::array<double, 5> x{};
    std::array<double, 5> y{};
    double closureX = 0;
    double closureY = 0;
};

struct CoordinateSteps {
    int stations = 0;  // n: 3 (known side, A → P1 → P2 → B) or 4 (azimuth case, back to A)
    std::optional<KnownSideStart> knownSide;
    std::optional<AzimuthStart> azimuthStart;
    std::optional<std::array<double, 5>> azimuths;  // α(1)..α(n), degrees
    std::optional<TraverseLegs> legs;               // azimuths, sides and the side chain, once every side exists
    std::optional<TraverseSteps> traverse;
};

}  // namespace morvalen
