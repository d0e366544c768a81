// Realistic braced quadrilaterals for property tests: four stations round a centre, clockwise, with the eight angles
// measured from the coordinates and a few seconds of observation noise.
#pragma once

#include <array>
#include <cmath>
#include <numbers>
#include <random>

namespace morvalen::testing {

struct Station {
    double x;  // northing, metres
    double y;  // easting, metres
};

struct Quadrilateral {
    std::array<Station, 4> stations;  // A, P1, P2, station 4, clockwise
    std::array<double, 9> angles{};   // b(1)..b(8), decimal degrees, index 0 unused
};

// The angle at `at` between the directions to `first` and `second`, in degrees.
inline double angleBetween(Station at, Station first, Station second) {
    const double ax = first.x - at.x, ay = first.y - at.y;
    const double bx = second.x - at.x, by = second.y - at.y;
    return std::atan2(std::abs(ax * by - ay * bx), ax * bx + ay * by) * 180 / std::numbers::pi;
}

// b(1) at A between S(1) and S(6), b(2) at P1 between S(1) and S(5), b(3) at P1 between S(5) and S(2), b(4) at P2
// between S(2) and S(6), b(5) at P2 between S(6) and S(3), b(6) at station 4 between S(3) and S(5), b(7) there
// between S(5) and S(4), b(8) at A between S(4) and S(6).
inline std::array<double, 9> quadrilateralAngles(const std::array<Station, 4>& s) {
    const Station a = s[0], p1 = s[1], p2 = s[2], p4 = s[3];
    return {0,
            angleBetween(a, p1, p2),  angleBetween(p1, a, p4),  angleBetween(p1, p4, p2), angleBetween(p2, p1, a),
            angleBetween(p2, a, p4),  angleBetween(p4, p2, p1), angleBetween(p4, p1, a),  angleBetween(a, p4, p2)};
}

// Clockwise as seen on the map with X north and Y east: the bearing from the centre increases.
inline Quadrilateral randomQuadrilateral(std::mt19937& random, double noiseSeconds) {
    std::uniform_real_distribution<double> jitter(-25, 25);
    std::uniform_real_distribution<double> radius(600, 1400);
    std::uniform_real_distribution<double> noise(-noiseSeconds, noiseSeconds);
    const double start = std::uniform_real_distribution<double>(0, 360)(random);
    Quadrilateral quadrilateral;
    for (int i = 0; i < 4; ++i) {
        const double bearing = (start + 90 * i + jitter(random)) * std::numbers::pi / 180;
        const double r = radius(random);
        quadrilateral.stations[i] = {5000 + r * std::cos(bearing), 3000 + r * std::sin(bearing)};
    }
    quadrilateral.angles = quadrilateralAngles(quadrilateral.stations);
    for (int k = 1; k <= 8; ++k) quadrilateral.angles[k] += noise(random) / 3600;
    return quadrilateral;
}

}  // namespace morvalen::testing
