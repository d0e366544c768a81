// The mean horizontal distance of each line of the field book and the spread of its measurements.
#include <algorithm>

#include "entry/DecimalNumber.h"
#include "fieldbook/DirectionReduction.h"

namespace morvalen::fieldbook {
namespace {

// The horizontal distances one pointing contributes: each face's where a raw file gave them, else the book's own
// `distance` of the pointing (a CSV field book). A text that is no number contributes nothing: the reader of the
// book refuses it first.
std::vector<double> measuredDistances(const Pointing& pointing) {
    std::vector<double> distances;
    for (const FaceMeasurement& face : pointing.faces) {
        if (face.horizontalDistance) distances.push_back(*face.horizontalDistance);
    }
    if (distances.empty() && !pointing.distance.empty()) {
        if (const auto number = parseDecimal(pointing.distance)) {
            if (const auto value = toDouble(*number)) distances.push_back(*value);
        }
    }
    return distances;
}

}  // namespace

std::vector<LineDistance> lineDistances(const std::vector<Pointing>& pointings) {
    struct Held {
        LineDistance line;
        double sum = 0, smallest = 0, largest = 0;
    };
    std::vector<Held> lines;
    for (const Pointing& pointing : pointings) {
        for (const double distance : measuredDistances(pointing)) {
            auto held = std::find_if(lines.begin(), lines.end(), [&](const Held& line) {
                return line.line.station == pointing.station && line.line.target == pointing.target;
            });
            if (held == lines.end()) {
                lines.push_back({{pointing.station, pointing.target, 0, 0, 0}, 0, distance, distance});
                held = lines.end() - 1;
            }
            ++held->line.count;
            held->sum += distance;
            held->smallest = std::min(held->smallest, distance);
            held->largest = std::max(held->largest, distance);
        }
    }
    std::vector<LineDistance> distances;
    for (Held& held : lines) {
        held.line.horizontal = held.sum / static_cast<double>(held.line.count);
        held.line.spread = (held.largest - held.smallest) * 1000;
        distances.push_back(held.line);
    }
    return distances;
}

}  // namespace morvalen::fieldbook
