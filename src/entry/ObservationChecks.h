// The checks of a data set as it is typed into a table (the window's observation table, the browser page): for each
// value, what is wrong with it, or nothing.
//
// The dialogue of 计 算 checks nothing and reads every value where the computation needs it; a table checks each
// value as it is typed, so that a slip shows on its cell before anything is computed. The checks:
//   - every value the case asks is filled (the start data and P3 only in the azimuth case);
//   - coordinates, the start side length and the angles read as numbers (full-width digits read like ASCII, as the
//     dialogue reads them), within the range of a double;
//   - Ta, Qa and b(1)..b(8) are dd.mmss with minutes and seconds below 60: 44.6112 (61 minutes) and 49.1860
//     (60 seconds) are refused, although the dialogue would convert them;
//   - b(1)..b(8) lie strictly between 0° and 180°;
//   - the start side number is a whole number from 1 to 6 (3.5 is refused, although the dialogue rounds it to 4);
//   - the start side length is greater than zero (metres).
// Station names are texts and only need to be filled.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "entry/Observations.h"
#include "form/Controls.h"

namespace morvalen {

// The problem of one value as typed, in the language of the interface ("不是数值", "分或秒不小于 60", …), or nothing.
// A value the case does not ask has no problem, whatever it holds.
std::optional<std::string> valueProblem(const Observations& observations, EnteredValue value);

// The name of a value for a list of problems: "Xa", "起算边编号", "P1 点名", "b(3)".
std::string valueName(EnteredValue value);

struct ValueProblem {
    EnteredValue value;
    std::string problem;
};

// Every problem of the data set, in the order the dialogue asks the values.
std::vector<ValueProblem> observationProblems(const Observations& observations);

// The labels of the window's diagrams that show where a value of the table belongs (its station, side or angle),
// for the case and the start side number the data set gives (form/ObservationColumns.h).
std::vector<Control> diagramLabels(const Observations& observations, EnteredValue value);

// The case as a surveyor names it: 已知边, 外方位角, 混合 (adjusted, no coordinates).
std::string caseInWords(RunCase kind);

}  // namespace morvalen
