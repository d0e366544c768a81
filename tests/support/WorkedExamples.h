// Data sets of the worked examples a surveyor checks the program against.
#pragma once

#include <string>
#include <vector>

namespace morvalen::testing {

// Eight observed angles b(1)..b(8) in dd.mmss whose closures are 2.00″, −1.50″, −0.15″ and 3.00 log units.
inline const std::vector<std::string> workedAngles = {"44.13120", "44.20042", "49.18030", "42.08428",
                                                      "33.10401", "55.22345", "54.03519", "37.22520"};

// Their adjusted values in dd.mmss with seconds to two decimals, the same in both cases.
inline const std::vector<double> workedAdjustedDms = {44.131135, 44.200386, 49.180234, 42.084245,
                                                      33.104023, 55.223498, 54.035219, 37.225260};

inline const std::vector<std::string> knownSideCoordinates = {"1000", "1000", "1010", "1175"};
inline const std::vector<std::string> knownSideNames = {"A", "P1", "P2", "B"};
inline const std::vector<std::string> azimuthCoordinates = {"1000", "1000", "0", "0"};
inline const std::vector<std::string> azimuthNames = {"A", "P1", "P2", "P3", "A"};

// The quadrilateral A (1000, 1000), P1 (1130, 985), P2 (1150, 1140), B (1010, 1175): its exact angles in degrees.
inline const std::vector<double> exactQuadrilateralDegrees = {49.6070106443, 51.1424110302, 39.6280236745,
                                                              39.622554651,  57.061309457,  43.6881122175,
                                                              35.5461322378, 43.7044460877};

}  // namespace morvalen::testing
