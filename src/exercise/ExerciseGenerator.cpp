#include "exercise/ExerciseGenerator.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>

#include "analysis/Analysis.h"
#include "command/RunRecord.h"
#include "exercise/SeededRandom.h"
#include "form/FieldText.h"
#include "i18n/Language.h"

namespace morvalen::exercise {
namespace {

constexpr double smallestAngle = 20;         // degrees: no angle of the figure below it
constexpr double sideSpread = 0.5;           // outer sides within (1 ± 0.5) × the average side
constexpr double cornerJitter = 0.3;         // each corner of the square moved by up to 0.3 × the side
constexpr double measuredSideSigma = 0.002;  // metres: the start side's measurement (azimuth case)
constexpr int triesPerExercise = 20000;
constexpr double secondsPerDegree = 3600;

// Stations 0..3 = A, P1, P2, station 4, clockwise. At station s the other three lie clockwise in the order s + 1,
// s + 2, s + 3; the first angle, from s + 1 to s + 2, is b(2s + 1), the second, from s + 2 to s + 3, is b(2s)
// (b(8) at A).
int firstAngleAt(int station) { return 2 * station + 1; }
int secondAngleAt(int station) { return station == 0 ? 8 : 2 * station; }

struct Figure {
    std::array<double, 4> x{}, y{};
};

double wrapped(double degrees) {
    const double turned = std::fmod(degrees, 360.0);
    return turned < 0 ? turned + 360 : turned;
}

double azimuth(const Figure& figure, int from, int to) {
    const auto f = static_cast<std::size_t>(from), t = static_cast<std::size_t>(to);
    return wrapped(std::atan2(figure.y[t] - figure.y[f], figure.x[t] - figure.x[f]) * 180 / std::numbers::pi);
}

double sideLength(const Figure& figure, int from, int to) {
    const auto f = static_cast<std::size_t>(from), t = static_cast<std::size_t>(to);
    return std::hypot(figure.x[t] - figure.x[f], figure.y[t] - figure.y[f]);
}

// b(1)..b(8) of the figure in degrees, exact (index 0 unused).
std::array<double, 9> exactAngles(const Figure& figure) {
    std::array<double, 9> angles{};
    for (int s = 0; s < 4; ++s) {
        const double toFirst = azimuth(figure, s, (s + 1) % 4);
        const double toSecond = azimuth(figure, s, (s + 2) % 4);
        const double toThird = azimuth(figure, s, (s + 3) % 4);
        angles[static_cast<std::size_t>(firstAngleAt(s))] = wrapped(toSecond - toFirst);
        angles[static_cast<std::size_t>(secondAngleAt(s))] = wrapped(toThird - toSecond);
    }
    return angles;
}

// A square of the average side with its corners moved at random, turned, and placed at plane coordinates of the
// size a national grid has; none when its angles or sides are unfit.
std::optional<Figure> drawFigure(SeededRandom& random, double side) {
    const std::array<double, 4> squareX{0, side, side, 0};
    const std::array<double, 4> squareY{0, 0, side, side};
    // A direction for the turn, drawn evenly in the unit disc: square roots only, which every platform rounds alike.
    double u = 0, v = 0, radius = 0;
    do {
        u = random.uniform(-1, 1);
        v = random.uniform(-1, 1);
        radius = std::sqrt(u * u + v * v);
    } while (radius > 1 || radius < 0.1);
    const double cosine = u / radius, sine = v / radius;
    const double originX = std::nearbyint(random.uniform(2.5e6, 4.5e6) * 1000) / 1000;
    const double originY = std::nearbyint(random.uniform(3.5e5, 6.5e5) * 1000) / 1000;
    Figure figure;
    for (std::size_t i = 0; i < 4; ++i) {
        const double localX = squareX[i] + random.uniform(-cornerJitter, cornerJitter) * side;
        const double localY = squareY[i] + random.uniform(-cornerJitter, cornerJitter) * side;
        figure.x[i] = localX * cosine - localY * sine;
        figure.y[i] = localX * sine + localY * cosine;
    }
    // A at the drawn origin, to the millimetre as a known station is given.
    const double shiftX = originX - figure.x[0], shiftY = originY - figure.y[0];
    for (std::size_t i = 0; i < 4; ++i) {
        figure.x[i] = i == 0 ? originX : figure.x[i] + shiftX;
        figure.y[i] = i == 0 ? originY : figure.y[i] + shiftY;
    }
    const std::array<double, 9> angles = exactAngles(figure);
    if (std::any_of(angles.begin() + 1, angles.end(), [](double b) { return b < smallestAngle || b >= 180; })) {
        return std::nullopt;
    }
    for (int s = 0; s < 4; ++s) {
        const double length = sideLength(figure, s, (s + 1) % 4);
        if (std::abs(length / side - 1) > sideSpread) return std::nullopt;
    }
    return figure;
}

std::string metres(double value) { return roundedFixed(value, 3); }

// The known data of the case: A and B, or A, Ta, Qa and one measured outer side.
void setKnownData(Observations& data, const Figure& figure, bool azimuthCase, SeededRandom& random) {
    data.xa = metres(figure.x[0]);
    data.ya = metres(figure.y[0]);
    if (!azimuthCase) {
        data.xb = metres(figure.x[3]);
        data.yb = metres(figure.y[3]);
        data.names = {"A", "P1", "P2", "", "B"};
        return;
    }
    data.xb = "0";
    data.yb = "0";
    data.names = {"A", "P1", "P2", "P3", "A"};
    const double externalSeconds = static_cast<double>(random.below(360 * 3600));
    data.Ta = fieldbook::packedAngleText(externalSeconds);
    const double firstSide = azimuth(figure, 0, 1) * secondsPerDegree;
    data.Qa = fieldbook::packedAngleText(std::fmod(firstSide - externalSeconds + 360 * 3600, 360 * 3600));
    const int side = 1 + static_cast<int>(random.below(4));
    data.startSideNumber = std::to_string(side);
    data.startSideLength = metres(sideLength(figure, side - 1, side % 4) + measuredSideSigma * random.normal());
}

// The instrument class whose limits a field book of this σ is held to.
const analysis::DirectionMethodLimits& limitsFor(const analysis::CheckStandard& standard) {
    const char* instrument = standard.sigma < 1.5 ? "1" : standard.sigma <= 3 ? "2" : "6";
    const analysis::DirectionMethodLimits* limits =
        standard.grade ? analysis::findDirectionMethodLimits(instrument, *standard.grade) : nullptr;
    return limits ? *limits : *analysis::findDirectionMethodLimits(instrument);
}

// Two rounds at every station, both faces, in whole seconds, the round's zero set near (round − 1) × 90°; each
// reading with noise σ√2, so that an angle from the means of both rounds has the noise σ. A blunder sits in every
// reading of one target: the first target of its station for a first angle (taken off, so the angle grows), the
// third for a second angle.
std::vector<fieldbook::Pointing> directionSets(const Figure& figure, const std::array<std::string, 4>& names,
                                               double sigma, std::optional<int> blunderAngle, double blunder,
                                               SeededRandom& random) {
    std::vector<fieldbook::Pointing> pointings;
    const double readingSigma = sigma * std::numbers::sqrt2;
    for (int s = 0; s < 4; ++s) {
        const double collimation = random.uniform(-8, 8);  // c, seconds of arc: 2C = 2c
        for (int round = 1; round <= 2; ++round) {
            const double zero = (round - 1) * 90 * secondsPerDegree + random.uniform(0, 120);
            const double firstDirection = azimuth(figure, s, (s + 1) % 4) * secondsPerDegree;
            for (int t = 1; t <= 3; ++t) {
                double direction = zero + azimuth(figure, s, (s + t) % 4) * secondsPerDegree - firstDirection;
                if (blunderAngle == firstAngleAt(s) && t == 1) direction -= blunder;
                if (blunderAngle == secondAngleAt(s) && t == 3) direction += blunder;
                const double left = std::nearbyint(direction + collimation + readingSigma * random.normal());
                const double right = std::nearbyint(direction + 180 * secondsPerDegree - collimation +
                                                     readingSigma * random.normal());
                fieldbook::Pointing pointing;
                pointing.row = pointings.size() + 2;
                pointing.station = names[static_cast<std::size_t>(s)];
                pointing.round = std::to_string(round);
                pointing.target = names[static_cast<std::size_t>((s + t) % 4)];
                pointing.left = fieldbook::packedAngleText(std::fmod(left + 360 * 3600, 360 * 3600));
                pointing.right = fieldbook::packedAngleText(std::fmod(right + 360 * 3600, 360 * 3600));
                pointings.push_back(pointing);
            }
        }
    }
    return pointings;
}

// True when the program computes the data set through and its checks judge it as meant: passed, or, with a
// blunder, failed with that angle among the suspects.
bool judgedAsMeant(const Observations& data, const analysis::CheckStandard& standard, std::optional<int> blunder) {
    const RunRecord record = computeRun(data);
    if (record.stop) return false;
    const analysis::Analysis analysed = analysis::analyse(record, standard);
    if (!analysed.checks) return false;
    if (!blunder) return analysed.checks->pass;
    const auto& suspects = analysed.checks->suspects;
    return !analysed.checks->pass && std::find(suspects.begin(), suspects.end(), *blunder) != suspects.end();
}

std::optional<Exercise> tryExercise(const Student& student, const ExerciseSettings& settings, bool azimuthCase,
                                    bool planted, SeededRandom& random) {
    const double sigma = settings.standard.sigma;
    const std::optional<Figure> figure = drawFigure(random, averageSide(settings.standard));
    if (!figure) return std::nullopt;
    Exercise made;
    made.student = student;
    made.x = figure->x;
    made.y = figure->y;
    if (planted) {
        made.blunderAngle = 1 + static_cast<int>(random.below(8));
        made.blunderSeconds = (random.below(2) == 0 ? -1 : 1) * random.uniform(8, 12) * std::max(sigma, 1.0);
    }
    setKnownData(made.observations, *figure, azimuthCase, random);
    const std::array<double, 9> exact = exactAngles(*figure);
    if (settings.fieldBook) {
        const auto& n = made.observations.names;
        const std::array<std::string, 4> names{n[0], n[1], n[2], azimuthCase ? n[3] : n[4]};
        made.fieldBook = directionSets(*figure, names, sigma, made.blunderAngle, made.blunderSeconds, random);
        try {
            const auto reduction = fieldbook::reduceFieldBook(made.fieldBook, limitsFor(settings.standard), names);
            if (std::any_of(reduction.checks.begin(), reduction.checks.end(),
                            [](const fieldbook::Check& check) { return !check.ok; })) {
                return std::nullopt;
            }
            std::copy(reduction.angles.begin(), reduction.angles.end(), made.observations.angles.begin());
        } catch (const fieldbook::FieldBookError&) {
            return std::nullopt;
        }
    } else {
        for (int k = 1; k <= 8; ++k) {
            double seconds = exact[static_cast<std::size_t>(k)] * secondsPerDegree + sigma * random.normal();
            if (made.blunderAngle == k) seconds += made.blunderSeconds;
            made.observations.angles[static_cast<std::size_t>(k - 1)] = fieldbook::packedAngleText(seconds);
        }
    }
    if (!judgedAsMeant(made.observations, settings.standard, made.blunderAngle)) return std::nullopt;
    return made;
}

}  // namespace

double averageSide(const analysis::CheckStandard& standard) {
    // The average side of a triangulation network of the grade, metres: GB 50026-2020 for 二等 … 二级, GB/T 17942
    // for the national orders.
    static constexpr std::pair<std::string_view, double> sides[] = {
        {"二等", 9000}, {"三等", 4500}, {"四等", 2000}, {"一级", 1000}, {"二级", 500},
        {"国家一等", 20000}, {"国家二等", 13000}, {"国家三等", 8000}, {"国家四等", 4000}};
    if (standard.grade) {
        for (const auto& [name, side] : sides) {
            if (name == standard.grade->name) return side;
        }
    }
    return 1000;
}

std::vector<Exercise> generateExercises(const std::vector<Student>& students, const ExerciseSettings& settings) {
    SeededRandom random(settings.seed);
    // The students with a blunder: the first `blunders` of a shuffle of the roster.
    std::vector<std::size_t> order(students.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[random.below(i)]);
    std::vector<bool> planted(students.size(), false);
    const auto blunders = std::min<std::size_t>(static_cast<std::size_t>(std::max(settings.blunders, 0)), order.size());
    for (std::size_t i = 0; i < blunders; ++i) planted[order[i]] = true;

    std::vector<Exercise> exercises;
    for (std::size_t i = 0; i < students.size(); ++i) {
        const bool azimuthCase = settings.exerciseCase == ExerciseCase::azimuth ||
                                 (settings.exerciseCase == ExerciseCase::both && i % 2 == 1);
        std::optional<Exercise> made;
        for (int attempt = 0; attempt < triesPerExercise && !made; ++attempt) {
            made = tryExercise(students[i], settings, azimuthCase, planted[i], random);
            // No two students share a data set.
            if (made && std::any_of(exercises.begin(), exercises.end(), [&](const Exercise& earlier) {
                    return earlier.observations == made->observations;
                })) {
                made.reset();
            }
        }
        if (!made) {
            throw ExerciseNotMade(i18n::withArguments(
                i18n::translate("无法为学号 %1 生成合格的练习数据：σ 对这一等级的限差过大"), {students[i].id}));
        }
        exercises.push_back(std::move(*made));
    }
    return exercises;
}

}  // namespace morvalen::exercise
