// The question which data set of an observation file to take, when it holds more than one.
#pragma once

#include <optional>
#include <cstddef>

#include "files/ObservationFile.h"

class QWidget;

namespace morvalen::app {

// The index of the row chosen: the only row without a question, otherwise the row the surveyor picks from the rows
// as the spreadsheet numbers them ("文件第 2 行，id：Q1"), from a list, or for a file of more than 200 rows by a
// search over them (an id, a line number); nothing when the question is dismissed.
std::optional<std::size_t> chooseRow(QWidget& parent, const files::ObservationFileRows& file);

}  // namespace morvalen::app
