#include "fieldbook/DirectionReduction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

#include "entry/DecimalNumber.h"
#include "entry/PackedAngle.h"
#include "entry/RunStopped.h"

namespace morvalen::fieldbook {
namespace {

constexpr double fullCircle = 1296000;  // 360° in seconds of arc
constexpr double halfCircle = 648000;   // 180°

// Into −180° ≤ x < 180°: the difference of two readings across the zero of the circle.
double signedDifference(double seconds) {
    return seconds - fullCircle * std::floor((seconds + halfCircle) / fullCircle);
}

// Into 0 ≤ x < 360°.
double onCircle(double seconds) { return seconds - fullCircle * std::floor(seconds / fullCircle); }

using i18n::translate;
using i18n::withArguments;

[[noreturn]] void refuse(std::size_t row, const std::string& reason) {
    throw FieldBookError(withArguments(translate("第 %1 行：%2"), {std::to_string(row), reason}));
}

// A circle reading dd.mmss in seconds of arc; nullopt when it is no number, negative, or its degrees, minutes or
// seconds are out of range (0 ≤ degrees < 360, minutes and whole seconds < 60). 0.00120 is 0°00′12.0″, 180.00186 is
// 180°00′18.6″. The digits are split as the prompts split a typed angle.
std::optional<double> readingSeconds(const std::string& text) {
    const auto number = parseDecimal(text);
    if (!number || number->negative) return std::nullopt;
    // Whole degrees of at most three digits, and no more decimals than a double can hold.
    if (number->exponent + static_cast<std::int64_t>(number->digits.size()) > 3 || number->exponent < -20) {
        return std::nullopt;
    }
    const DecimalParts parts = splitDecimal(*number);
    std::string fraction = parts.fractionDigits;
    if (fraction.size() < 4) fraction.resize(4, '0');
    const int minutes = std::stoi(fraction.substr(0, 2));
    const int wholeSeconds = std::stoi(fraction.substr(2, 2));
    if (std::stoi(parts.wholeDigits) >= 360 || minutes >= 60 || wholeSeconds >= 60) return std::nullopt;
    return toDegrees(*number) * 3600;
}

// The number of a round: a whole number from 1 to 9999, typed as the prompts take numbers (full-width digits too).
std::optional<int> roundNumber(const std::string& text) {
    const auto number = parseDecimal(text);
    if (!number || number->negative || number->isZero() || number->exponent < 0 ||
        number->exponent + static_cast<std::int64_t>(number->digits.size()) > 4) {
        return std::nullopt;
    }
    return std::stoi(splitDecimal(*number).wholeDigits);
}

// The four names: as given, or the stations in the order they first appear.
std::array<std::string, 4> quadrilateralOf(const std::vector<Pointing>& pointings,
                                           const std::optional<std::array<std::string, 4>>& given) {
    if (given) return *given;
    std::vector<std::string> names;
    for (const Pointing& pointing : pointings) {
        if (pointing.station.empty()) refuse(pointing.row, translate("缺少测站名"));
        if (std::find(names.begin(), names.end(), pointing.station) != names.end()) continue;
        if (names.size() == 4) {
            refuse(pointing.row,
                   withArguments(translate("测站 %1 是第五个测站，四边形只有四个测站"), {quoted(pointing.station)}));
        }
        names.push_back(pointing.station);
    }
    if (names.size() < 4) {
        throw FieldBookError(
            withArguments(translate("观测手簿只有 %1 个测站，四边形需要四个"), {std::to_string(names.size())}));
    }
    return {names[0], names[1], names[2], names[3]};
}

// A round's pointings in observation order, with the rows they came from.
struct RoundRows {
    int number = 0;
    std::vector<const Pointing*> rows;
};
struct StationRows {
    std::string name;
    std::vector<RoundRows> rounds;
};

// Checks every row on its own and groups the rows by station and round, both in the order they first appear.
std::vector<StationRows> groupedRows(const std::vector<Pointing>& pointings, const std::array<std::string, 4>& names) {
    const auto isStation = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    std::vector<StationRows> stations;
    for (const Pointing& pointing : pointings) {
        if (pointing.station.empty()) refuse(pointing.row, translate("缺少测站名"));
        if (pointing.target.empty()) refuse(pointing.row, translate("缺少目标"));
        const auto refuseName = [&](const char* pattern, const std::string& name) {
            refuse(pointing.row, withArguments(translate(pattern), {quoted(name)}));
        };
        if (!isStation(pointing.station)) refuseName(i18n::catalogued("测站 %1 不是四边形的四个测站之一"), pointing.station);
        if (pointing.target == pointing.station) refuseName(i18n::catalogued("测站 %1 照准了自己"), pointing.station);
        if (!roundNumber(pointing.round)) refuseName(i18n::catalogued("测回 %1 不是正整数"), pointing.round);
        for (const auto& [face, reading] : {std::pair{translate("盘左"), &pointing.left},
                                            std::pair{translate("盘右"), &pointing.right}}) {
            if (reading->empty()) refuse(pointing.row, withArguments(translate("缺少%1读数"), {face}));
            if (!readingSeconds(*reading)) {
                refuse(pointing.row, withArguments(translate("%1读数 %2 不是 dd.mmss 读数（度 0–359，分、秒小于 60）"),
                                                   {face, quoted(*reading)}));
            }
        }
        if (!pointing.distance.empty() && !distanceMetres(pointing.distance)) {
            refuse(pointing.row, withArguments(translate("distance 列的 %1 不是以米计的正数"), {quoted(pointing.distance)}));
        }
        auto station = std::find_if(stations.begin(), stations.end(),
                                    [&](const StationRows& held) { return held.name == pointing.station; });
        if (station == stations.end()) {
            stations.push_back(StationRows{pointing.station, {}});
            station = stations.end() - 1;
        }
        const int number = *roundNumber(pointing.round);
        auto round = std::find_if(station->rounds.begin(), station->rounds.end(),
                                  [&](const RoundRows& held) { return held.number == number; });
        if (round == station->rounds.end()) {
            station->rounds.push_back(RoundRows{number, {}});
            round = station->rounds.end() - 1;
        }
        round->rows.push_back(&pointing);
    }
    for (const std::string& name : names) {
        if (std::none_of(stations.begin(), stations.end(), [&](const StationRows& held) { return held.name == name; })) {
            throw FieldBookError(withArguments(translate("观测手簿中没有测站 %1 的观测"), {quoted(name)}));
        }
    }
    return stations;
}

// The targets of a round, the start target first; whether it closes on its start target again. A round may point
// at more targets than the quadrilateral needs (a far station, a church tower), but at each of the three other
// stations of the quadrilateral.
std::vector<std::string> roundTargets(const std::string& station, const RoundRows& round,
                                      const std::array<std::string, 4>& quadrilateral, bool& closes) {
    const auto& rows = round.rows;
    closes = rows.size() >= 4 && rows.back()->target == rows.front()->target;
    const std::size_t directions = closes ? rows.size() - 1 : rows.size();
    std::vector<std::string> targets;
    for (std::size_t i = 0; i < directions; ++i) {
        if (std::find(targets.begin(), targets.end(), rows[i]->target) != targets.end()) {
            refuse(rows[i]->row, withArguments(translate("测站 %1 第 %2 测回两次照准 %3"),
                                               {quoted(station), std::to_string(round.number), quoted(rows[i]->target)}));
        }
        targets.push_back(rows[i]->target);
    }
    for (const std::string& other : quadrilateral) {
        if (other != station && std::find(targets.begin(), targets.end(), other) == targets.end()) {
            refuse(rows.front()->row,
                   withArguments(translate("测站 %1 第 %2 测回没有照准 %3：每个测回应照准四边形的另外三个测站"),
                                 {quoted(station), std::to_string(round.number), quoted(other)}));
        }
    }
    return targets;
}

Round reducedRound(const RoundRows& rows, bool closes) {
    Round round{rows.number, rows.rows.front()->row, {}, std::nullopt, 0};
    std::vector<double> lefts, rights;
    for (const Pointing* pointing : rows.rows) {
        const double left = *readingSeconds(pointing->left);
        const double right = *readingSeconds(pointing->right);
        const double rightTurned = right >= halfCircle ? right - halfCircle : right + halfCircle;
        const double twoC = signedDifference(left - rightTurned);
        round.pointings.push_back({pointing->target, pointing->left, pointing->right, twoC, onCircle(left - twoC / 2),
                                   std::nullopt, distanceMetres(pointing->distance)});
        lefts.push_back(left);
        rights.push_back(right);
    }
    double start = round.pointings.front().mean;
    const std::size_t directions = closes ? round.pointings.size() - 1 : round.pointings.size();
    if (closes) {
        const std::size_t last = directions;
        round.closure = Closure{signedDifference(lefts[last] - lefts[0]), signedDifference(rights[last] - rights[0])};
        start = onCircle(start + signedDifference(round.pointings[last].mean - start) / 2);
    }
    round.pointings[0].reduced = 0.0;
    for (std::size_t i = 1; i < directions; ++i) round.pointings[i].reduced = onCircle(round.pointings[i].mean - start);
    const auto [smallest, largest] = std::minmax_element(round.pointings.begin(), round.pointings.end(),
                                                         [](const auto& a, const auto& b) { return a.twoC < b.twoC; });
    round.twoCSpread = largest->twoC - smallest->twoC;
    return round;
}

// The means over the rounds, their spreads and μ of the station adjustment.
void adjustStation(Station& station, std::size_t directions) {
    const std::size_t rounds = station.rounds.size();
    for (std::size_t j = 0; j < directions; ++j) {
        double sum = 0, smallest = 0, largest = 0;
        for (std::size_t i = 0; i < rounds; ++i) {
            const double reduced = *station.rounds[i].pointings[j].reduced;
            sum += reduced;
            smallest = i == 0 ? reduced : std::min(smallest, reduced);
            largest = i == 0 ? reduced : std::max(largest, reduced);
        }
        station.directions.push_back({station.rounds[0].pointings[j].target, sum / static_cast<double>(rounds),
                                      largest - smallest});
    }
    if (rounds < 2) return;  // μ needs two rounds
    double squares = 0;
    for (const Round& round : station.rounds) {
        std::vector<double> differences(directions);
        double orientation = 0;  // the round's own orientation: the mean of its differences from the means
        for (std::size_t j = 0; j < directions; ++j) {
            differences[j] = station.directions[j].mean - *round.pointings[j].reduced;
            orientation += differences[j] / static_cast<double>(directions);
        }
        for (const double difference : differences) squares += (difference - orientation) * (difference - orientation);
    }
    station.sigma = std::sqrt(squares / (static_cast<double>(rounds - 1) * static_cast<double>(directions - 1)));
}

void addChecks(const Station& station, const analysis::DirectionMethodLimits& limits, std::vector<Check>& checks) {
    for (const Round& round : station.rounds) {
        if (round.closure) {
            const double value = std::max(std::abs(round.closure->left), std::abs(round.closure->right));
            checks.push_back({station.name, round.number, CheckKind::closure, value, limits.closureLimit,
                              value <= limits.closureLimit});
        }
        checks.push_back({station.name, round.number, CheckKind::twoCSpread, round.twoCSpread, limits.twoCSpreadLimit,
                          !limits.twoCSpreadLimit || round.twoCSpread <= *limits.twoCSpreadLimit});
    }
    double spread = 0;
    for (const Direction& direction : station.directions) spread = std::max(spread, direction.roundSpread);
    const bool applicable = station.rounds.size() > 1;
    checks.push_back({station.name, std::nullopt, CheckKind::roundSpread, spread, limits.roundSpreadLimit,
                      spread <= limits.roundSpreadLimit, applicable});
}

// b(k) lies at station `at` (0 = A, 1 = P1, 2 = P2, 3 = B or P3), clockwise from the direction to `from` to the
// direction to `to`, as the diagram places the eight angles.
struct AngleBetween {
    int at, from, to;
};
constexpr AngleBetween angleDirections[8] = {
    {0, 1, 2}, {1, 3, 0}, {1, 2, 3}, {2, 0, 1}, {2, 3, 0}, {3, 1, 2}, {3, 0, 1}, {0, 2, 3},
};

void assignAngles(FieldBookReduction& reduction) {
    const auto direction = [&](int at, int to) {
        const auto& station = *std::find_if(reduction.stations.begin(), reduction.stations.end(),
                                            [&](const Station& held) { return held.name == reduction.quadrilateral[at]; });
        return std::find_if(station.directions.begin(), station.directions.end(), [&](const Direction& held) {
                   return held.target == reduction.quadrilateral[to];
               })->mean;
    };
    for (std::size_t k = 0; k < 8; ++k) {
        const AngleBetween& between = angleDirections[k];
        const double angle = onCircle(direction(between.at, between.to) - direction(between.at, between.from));
        if (angle > halfCircle) {
            throw FieldBookError(withArguments(
                translate("b(%1) = %2 超过 180°：四个测站是按逆时针顺序给出的，请按顺时针顺序（A、P1、P2、B）给出"),
                {std::to_string(k + 1), packedAngleText(angle)}));
        }
        reduction.angles[k] = packedAngleText(angle);
    }
}

}  // namespace

std::optional<double> distanceMetres(const std::string& text) {
    const auto number = parseDecimal(text);
    if (!number || number->negative || number->isZero()) return std::nullopt;
    const std::optional<double> metres = toDouble(*number);
    return metres && std::isfinite(*metres) ? metres : std::nullopt;
}

std::string packedAngleText(double secondsOfArc) {
    // Tenths of a second, halves up: the sums are first held to a micro-second so that a mean that is exactly a
    // half in decimal rounds the same way whatever binary neighbour the sum landed on.
    const auto micro = static_cast<std::int64_t>(std::llround(secondsOfArc * 1e6));
    std::int64_t tenths = (micro + 50'000) / 100'000;
    tenths %= 12'960'000;  // 360° is 0°
    const auto degrees = tenths / 36'000;
    const auto minutes = tenths / 600 % 60;
    const auto secondTenths = tenths % 600;
    std::string minuteText = std::to_string(minutes);
    std::string secondText = std::to_string(secondTenths);
    return std::to_string(degrees) + "." + std::string(2 - minuteText.size(), '0') + minuteText +
           std::string(3 - secondText.size(), '0') + secondText;
}

FieldBookReduction reduceFieldBook(const std::vector<Pointing>& pointings,
                                   const analysis::DirectionMethodLimits& limits,
                                   const std::optional<std::array<std::string, 4>>& quadrilateral) {
    FieldBookReduction reduction;
    reduction.limits = &limits;
    reduction.quadrilateral = quadrilateralOf(pointings, quadrilateral);
    double angleVariance = 0;
    bool everyStationRepeated = true;  // μ, and so the σ of an angle, needs two rounds at each station
    for (const StationRows& rows : groupedRows(pointings, reduction.quadrilateral)) {
        Station station{rows.name, {}, {}, std::nullopt};
        std::vector<std::string> firstTargets;
        for (const RoundRows& round : rows.rounds) {
            bool closes = false;
            const std::vector<std::string> targets = roundTargets(rows.name, round, reduction.quadrilateral, closes);
            if (firstTargets.empty()) firstTargets = targets;
            if (targets != firstTargets) {
                refuse(round.rows.front()->row,
                       withArguments(translate("测站 %1 第 %2 测回的目标与第 %3 测回不同（各测回应按同一顺序照准同样的目标）"),
                                     {quoted(rows.name), std::to_string(round.number),
                                      std::to_string(rows.rounds.front().number)}));
            }
            station.rounds.push_back(reducedRound(round, closes));
        }
        adjustStation(station, firstTargets.size());
        addChecks(station, limits, reduction.checks);
        if (station.sigma) {
            angleVariance += 2 * *station.sigma * *station.sigma / static_cast<double>(station.rounds.size());
        } else {
            everyStationRepeated = false;
        }
        reduction.stations.push_back(std::move(station));
    }
    if (everyStationRepeated) reduction.angleSigma = std::sqrt(angleVariance / 4);
    assignAngles(reduction);
    BookDistances distances = bookDistances(pointings);
    reduction.lines = std::move(distances.lines);
    reduction.distances = std::move(distances.distances);
    return reduction;
}

}  // namespace morvalen::fieldbook
