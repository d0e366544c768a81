// The distances of the field book, gathered once: by station and target (each face where a raw file gives the
// faces), and by line, both ends together (one distance a pointing).
#include <algorithm>

#include "entry/DecimalNumber.h"
#include "fieldbook/DirectionReduction.h"

namespace morvalen::fieldbook {
namespace {

// The distances measured along one line: how many, their sum, the smallest and the largest, metres.
struct Tally {
    std::size_t count = 0;
    double sum = 0, smallest = 0, largest = 0;

    void add(double metres) {
        smallest = count == 0 ? metres : std::min(smallest, metres);
        largest = count == 0 ? metres : std::max(largest, metres);
        sum += metres;
        ++count;
    }
    void add(const Tally& other) {
        if (other.count == 0) return;
        smallest = count == 0 ? other.smallest : std::min(smallest, other.smallest);
        largest = count == 0 ? other.largest : std::max(largest, other.largest);
        sum += other.sum;
        count += other.count;
    }
    double mean() const { return sum / static_cast<double>(count); }
};

// One station's line to one target: each face's distances, and each pointing's (the faces meaned, as the book
// lists them).
struct StationLine {
    std::string station, target;
    Tally faces, pointings;
};

// The book's `distance` of a pointing in metres; none where the cell is empty or no number (the reduction refuses
// such a cell first).
std::optional<double> pointingDistance(const Pointing& pointing) {
    if (pointing.distance.empty()) return std::nullopt;
    const auto number = parseDecimal(pointing.distance);
    return number ? toDouble(*number) : std::nullopt;
}

// Every pointing that carries a distance, tallied by station and target in the order first measured. A face counts
// where a raw file recorded it, otherwise the pointing's own `distance` (a CSV field book).
std::vector<StationLine> stationLines(const std::vector<Pointing>& pointings) {
    std::vector<StationLine> lines;
    for (const Pointing& pointing : pointings) {
        const std::optional<double> metres = pointingDistance(pointing);
        if (!metres) continue;
        auto line = std::find_if(lines.begin(), lines.end(), [&](const StationLine& held) {
            return held.station == pointing.station && held.target == pointing.target;
        });
        if (line == lines.end()) {
            lines.push_back({pointing.station, pointing.target, {}, {}});
            line = lines.end() - 1;
        }
        line->pointings.add(*metres);
        const std::size_t before = line->faces.count;
        for (const FaceMeasurement& face : pointing.faces) {
            if (face.horizontalDistance) line->faces.add(*face.horizontalDistance);
        }
        if (line->faces.count == before) line->faces.add(*metres);
    }
    return lines;
}

}  // namespace

BookDistances bookDistances(const std::vector<Pointing>& pointings) {
    BookDistances book;
    std::vector<Tally> bothEnds;
    for (const StationLine& line : stationLines(pointings)) {
        book.distances.push_back({line.station, line.target, line.faces.count, line.faces.mean(),
                                  (line.faces.largest - line.faces.smallest) * 1000});
        auto measured = std::find_if(book.lines.begin(), book.lines.end(), [&](const MeasuredLine& held) {
            return held.from == line.target && held.to == line.station;
        });
        if (measured == book.lines.end()) {
            book.lines.push_back({line.station, line.target, 0, 0, 0});
            bothEnds.emplace_back();
            measured = book.lines.end() - 1;
        }
        Tally& tally = bothEnds[static_cast<std::size_t>(measured - book.lines.begin())];
        tally.add(line.pointings);
        *measured = {measured->from, measured->to, tally.count, tally.mean(), tally.largest - tally.smallest};
    }
    return book;
}

std::vector<LineDistance> lineDistances(const std::vector<Pointing>& pointings) {
    return bookDistances(pointings).distances;
}

}  // namespace morvalen::fieldbook
