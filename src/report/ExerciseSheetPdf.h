// An exercise on paper: the student's sheet (the data, a sketch of the quadrilateral with its numbering, the blank
// tables) and the answer key (the same with every table filled).
#pragma once

#include <QString>
#include <array>
#include <string>

#include "report/StepsTables.h"

namespace morvalen::report {

// The figure as the sketch draws it: stations 1..4 (A, P1, P2, station 4) clockwise, plane coordinates in metres
// (X north, Y east) and their names.
struct QuadrilateralSketch {
    std::array<double, 4> x{}, y{};
    std::array<std::string, 4> names;
};

// Writes `data` with the sketch below it, then `steps` from a new page, as a PDF file (A4) through the program's
// one file writer. Needs a QGuiApplication. Throws PrintingFailed naming the file when it cannot be written.
void writeExerciseSheetPdf(const StepsDocument& data, const QuadrilateralSketch& sketch, const StepsDocument& steps,
                           const QString& path);

}  // namespace morvalen::report
