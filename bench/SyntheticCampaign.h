// Synthetic campaigns of realistic braced quadrilaterals for throughput measurements: random convex figures with a
// few seconds of observation noise, alternately in the known-side and the azimuth case.
#pragma once

#include <cmath>
#include <numbers>
#include <cstdio>
#include <random>
#include <string>

#include "support/RandomQuadrilateral.h"

namespace morvalen::bench {

inline std::string packedDms(double degrees) {
    const int whole = static_cast<int>(degrees);
    const double minutes = (degrees - whole) * 60;
    const double seconds = (minutes - std::floor(minutes)) * 60;
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d%04d", whole, static_cast<int>(minutes),
                  static_cast<int>(std::lround(seconds * 100)) % 10000);
    return text;
}

inline std::string campaignHeader() {
    return "id,xa,ya,xb,yb,start_side_length,start_side_number,Ta,Qa,name_A,name_P1,name_P2,name_P3,name_closing,"
           "b1,b2,b3,b4,b5,b6,b7,b8\n";
}

inline std::string campaignRow(std::mt19937& random, long index) {
    const auto figure = testing::randomQuadrilateral(random, 3.0);
    const auto& s = figure.stations;
    char coordinates[160];
    std::string row = "Q" + std::to_string(index) + ",";
    if (index % 2 == 0) {
        std::snprintf(coordinates, sizeof coordinates, "%.3f,%.3f,%.3f,%.3f,,,,,", s[0].x, s[0].y, s[3].x, s[3].y);
    } else {
        const double side = std::hypot(s[1].x - s[0].x, s[1].y - s[0].y);
        double azimuth = std::atan2(s[1].y - s[0].y, s[1].x - s[0].x) * 180 / std::numbers::pi;
        if (azimuth < 0) azimuth += 360;
        std::snprintf(coordinates, sizeof coordinates, "%.3f,%.3f,0,0,%.4f,1,0,%s,", s[0].x, s[0].y, side,
                      packedDms(azimuth).c_str());
    }
    row += coordinates;
    row += index % 2 == 0 ? "A,P1,P2,,B" : "A,P1,P2,P3,A";
    for (int k = 1; k <= 8; ++k) row += "," + packedDms(figure.angles[k]);
    return row + "\n";
}

}  // namespace morvalen::bench
