// Direction sets observed in rounds (方向观测法), reduced to the eight angles of the braced quadrilateral.
//
// Notation of the field book, one station, one round:
//   L, R      the face-left and face-right circle readings of one pointing (盘左, 盘右), dd.mmss
//   2C        L − (R ± 180°), twice the collimation error, seconds of arc
//   mean      (L + (R ± 180°)) / 2, the mean reading (平均读数)
//   closure   半测回归零差: where the round closes on its start target again, the closing reading minus the first
//             reading of that target, for each face, seconds of arc
//   start     the start direction: the mean reading of the start target, or, where the round closes, the mean of its
//             first and closing mean readings
//   reduced   归零方向值: mean − start, in 0..360°
// Over the rounds of one station:
//   direction the mean of a target's reduced directions (各测回平均方向值)
//   spread    各测回同一方向值较差: the largest minus the smallest reduced direction of a target
//   μ         the station adjustment's σ of one direction observed in one round: with n rounds of m directions
//             and v the differences of each round from the means, each round's own orientation taken out,
//             μ = √([vv] / ((n − 1)(m − 1)))
// Seconds of arc are kept unrounded throughout; texts are rounded once, when written.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/GradeTable.h"

namespace morvalen::fieldbook {

// A field book that cannot be reduced; the message names the spreadsheet row where there is one.
class FieldBookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One face of a pointing as a total station recorded it (a raw file).
struct FaceMeasurement {
    std::optional<double> slopeDistance;       // metres
    std::optional<double> zenith;              // seconds of arc, 0 < zenith < 360°; over 180° on face II
    std::optional<double> horizontalDistance;  // metres: slope distance × sin(zenith), or as the file gives it
};

// One pointing as the field book holds it: one row of the file, cells trimmed of blanks.
struct Pointing {
    std::size_t row = 0;  // the spreadsheet row, or the line of a raw file
    std::string station, round, target, left, right;
    std::string distance{};  // the horizontal distance to the target, metres, as written; empty where none was measured
    // What a raw file records beside the readings: face I and face II, the heights of target and instrument.
    std::array<FaceMeasurement, 2> faces{};
    std::optional<double> targetHeight{}, instrumentHeight{};  // metres
};

// The horizontal distance of one line from one station, over every face and round that measured it.
struct LineDistance {
    std::string station, target;
    std::size_t count = 0;  // the distances meaned: one a face where the faces are known, else one a pointing
    double horizontal = 0;  // the mean, metres
    double spread = 0;      // the largest minus the smallest, millimetres
};


struct ReducedPointing {
    std::string target;
    std::string left, right;         // the readings as written, dd.mmss
    double twoC = 0;                 // seconds of arc
    double mean = 0;                 // seconds of arc, 0 ≤ mean < 360°
    std::optional<double> reduced;   // seconds of arc; none for the closing pointing
    std::optional<double> distance;  // the horizontal distance measured with this pointing, metres
};

struct Closure {
    double left = 0, right = 0;  // seconds of arc
};

struct Round {
    int number = 0;
    std::size_t firstRow = 0;
    std::vector<ReducedPointing> pointings;  // in observation order; a closing pointing last
    std::optional<Closure> closure;          // none when the round does not close (three directions need none)
    double twoCSpread = 0;                   // largest minus smallest 2C of the round, seconds of arc
};

struct Direction {
    std::string target;
    double mean = 0;         // seconds of arc
    double roundSpread = 0;  // seconds of arc
};

struct Station {
    std::string name;
    std::vector<Round> rounds;
    std::vector<Direction> directions;  // in the order the rounds point at them, the start direction first
    std::optional<double> sigma;        // μ, seconds of arc; none for a station observed in one round
};

enum class CheckKind { closure, twoCSpread, roundSpread };

// One check against the limits: a round's closure (the larger of both faces) or 2C spread, a station's largest
// spread over the rounds (no round). A limit the table does not set (2C of the 6″ class) always passes. The spread
// over the rounds of a station observed in one round is not applicable: it passes, value 0.
struct Check {
    std::string station;
    std::optional<int> round;
    CheckKind kind = CheckKind::closure;
    double value = 0;              // seconds of arc
    std::optional<double> limit;   // seconds of arc
    bool ok = true;
    bool applicable = true;
};

// The distances measured along one line, from either end and in every round: their number, mean and spread.
struct MeasuredLine {
    std::string from, to;       // the stations as first measured
    std::size_t count = 0;
    double mean = 0;            // metres
    double spread = 0;          // largest minus smallest, metres
};

// The distances of a field book, gathered in one pass, lines in the order they are first measured.
struct BookDistances {
    std::vector<MeasuredLine> lines;       // one entry a line, both ends together, one distance a pointing
    std::vector<LineDistance> distances;   // one entry a station and target, each face's distance where known
};

// The distances of the pointings: each face's horizontal distance where the book has them (a raw file), otherwise
// the pointing's `distance`; by line, the pointing's `distance` (its faces meaned).
BookDistances bookDistances(const std::vector<Pointing>& pointings);
std::vector<LineDistance> lineDistances(const std::vector<Pointing>& pointings);  // bookDistances(…).distances

struct FieldBookReduction {
    const analysis::DirectionMethodLimits* limits = nullptr;
    std::array<std::string, 4> quadrilateral;  // A, P1, P2, station 4: the names the computation asks
    std::vector<Station> stations;             // in the order the field book first names them
    std::vector<Check> checks;
    std::array<std::string, 8> angles;         // b(1)..b(8), dd.mmss to 0.1″ as the prompts take them
    // σ of one angle from the means over the rounds, √2 μ / √n over all stations, seconds of arc: an own σ for the
    // checks; none when a station was observed in one round (μ needs two).
    std::optional<double> angleSigma;
    std::vector<MeasuredLine> lines;           // the distances of the book, one entry a line (both ends together)
    std::vector<LineDistance> distances;       // the lines measured from each station, where the book has distances
};

// Reduces the pointings, rows in observation order. The stations of the quadrilateral are `quadrilateral` (A, P1,
// P2, B or P3, clockwise), or the stations in the order they first appear. Every direction of the rounds is reduced
// and checked, targets beyond the quadrilateral's included (a far station); the eight angles come from the directions
// to the quadrilateral's stations. Throws FieldBookError, naming the row, for a round that does not point at each of
// the three other stations, a target pointed at twice in one round, a missing face or a reading that is not dd.mmss
// (minutes or seconds ≥ 60, degrees ≥ 360), a distance that is not a positive number of metres, a round that is not
// a whole number, rounds of a station whose targets differ, and for a figure named counter-clockwise (its angles
// would exceed 180°). One round is a whole book: its between-round checks are not applicable.
FieldBookReduction reduceFieldBook(const std::vector<Pointing>& pointings,
                                   const analysis::DirectionMethodLimits& limits,
                                   const std::optional<std::array<std::string, 4>>& quadrilateral = std::nullopt);

// A distance cell read as metres: a positive number, typed as the prompts take numbers; nullopt otherwise.
std::optional<double> distanceMetres(const std::string& text);

// Seconds of arc as dd.mmss text to 0.1″ ("44.13120"), rounded once: 59.96″ carries into the minute.
std::string packedAngleText(double secondsOfArc);

}  // namespace morvalen::fieldbook
