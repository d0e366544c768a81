// A student's filled answer sheet checked cell by cell against the run's own values.
//
// A cell is right when the number written differs from the run's value by no more than half a unit in the last
// place the tables print (0.005 for a correction printed to 0.01). A wrong cell computed from another wrong cell
// follows from it and is not counted as a mistake of its own; the first wrong cell is the first in the order the
// tables form them that does not follow from another.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exercise/AnswerCells.h"

namespace morvalen::exercise {

// One row of a filled sheet: the key and the text written beside it.
struct SheetEntry {
    std::string key;
    std::string given;
};

enum class Verdict { right, wrong, notANumber, notFilled, unknownKey, repeatedKey };

// The verdict as the outputs name it: "right", "wrong", "not a number", "not filled", "unknown key", "repeated key".
const char* verdictName(Verdict verdict);
// The same for people, in the language of the interface: 正确, 错误, 不是数值, 未填, 未知的键, 重复的键.
const char* verdictText(Verdict verdict);

struct CellVerdict {
    std::string key;
    std::string given;     // as written, blanks trimmed
    std::string expected;  // the printed value; empty for a key the sheet should not hold
    Verdict verdict = Verdict::right;
    std::string followsFrom;  // the wrong cell it is computed from; empty for a mistake of its own or a right cell

    bool ok() const { return verdict == Verdict::right; }
    bool counted() const { return !expected.empty() && followsFrom.empty(); }
};

struct AnswerVerdict {
    std::vector<CellVerdict> cells;  // every cell of the exercise in table order, then the keys the sheet adds
    std::string firstWrong;          // empty when every cell is right
    int right = 0;                   // cells right
    int counted = 0;                 // cells counted: those that do not follow from a wrong one
    double score = 0;                // 100 × right / counted, to 0.1

    bool allRight() const { return firstWrong.empty(); }
};

// The number a sheet cell holds: a decimal point or a decimal comma (as a spreadsheet saves it in many countries),
// blanks around, full-width digits; none when it is no number.
std::optional<double> sheetNumber(std::string_view text);

AnswerVerdict checkAnswer(const std::vector<AnswerCell>& cells, const std::vector<SheetEntry>& sheet);

}  // namespace morvalen::exercise
