// Exercises for a class: one sound braced quadrilateral for every student, each a data set of its own.
//
// A figure is drawn at random around a square of the grade's average side, with every angle b(k) at least 20° and
// every outer side within half to one and a half times that side. Its exact angles get the grade's σ as noise
// (in the field book: the readings of two rounds, both faces), and the data set is kept only when the program's
// own computation completes and its checks against the grade pass; where a blunder is planted, only when the checks
// find it. The same seed and roster give the same exercises on every platform.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/GradeTable.h"
#include "entry/Observations.h"
#include "fieldbook/DirectionReduction.h"

namespace morvalen::exercise {

enum class ExerciseCase { knownSide, azimuth, both };  // both: alternately, row by row

struct ExerciseSettings {
    std::uint64_t seed = 1;
    analysis::CheckStandard standard;  // the grade (or an own σ) the noise and the checks follow
    ExerciseCase exerciseCase = ExerciseCase::both;
    bool fieldBook = false;  // direction sets instead of angles
    int blunders = 0;        // data sets with one planted blunder
};

struct Student {
    std::string id;
    std::string name;
};

struct Exercise {
    Student student;
    Observations observations;                // as the batch and the window read them
    std::vector<fieldbook::Pointing> fieldBook;  // the direction sets, empty without --field-book
    std::optional<int> blunderAngle;          // k of b(k) that holds the planted blunder
    double blunderSeconds = 0;                // its size, seconds of arc
    std::array<double, 4> x{}, y{};           // metres: the exact figure A, P1, P2, station 4 (for the sketch)
};

// The exercise that could not be made sound within a fair number of tries (a σ too large for its limits).
class ExerciseNotMade : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The average side of a grade's triangulation, metres; 1000 for an own σ.
double averageSide(const analysis::CheckStandard& standard);

// One exercise a student, in roster order. The students who get a blunder are drawn from the seed. Throws
// ExerciseNotMade.
std::vector<Exercise> generateExercises(const std::vector<Student>& students, const ExerciseSettings& settings);

}  // namespace morvalen::exercise
