// The compute command answered from a row of a campaign file, and the values of a run kept as such a row.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"
#include "files/ObservationTable.h"

namespace morvalen::files {

// The column whose value the `position`-th entry of the compute command asks (from 0), not counting re-entries
// after a wrong confirmation; nullopt past the last one. From the fifth entry on the order follows the case.
std::optional<Column> columnAsked(std::size_t position, RunCase kind);

// Answers the entry prompts from the row in order and every confirmation with Enter. From the fifth entry on the
// order follows the case, which the coordinates of B, as the window has accepted them, decide. Prompts past the
// last value are dismissed.
class RowPrompt : public Prompt {
public:
    RowPrompt(const ColumnMap& columns, const TableRow& row, const SurveyState& state)
        : columns_(columns), row_(row), state_(state) {}

    std::string ask(const std::string& promptText) override;

private:
    const ColumnMap& columns_;
    const TableRow& row_;
    const SurveyState& state_;
    std::size_t next_ = 0;
};

// The values of one run as typed, by column: passes every prompt on to the front end's own prompt and keeps the
// last reply to each entry, so that a correction replaces the value it corrects. After a stop it holds everything
// typed so far; columns never asked stay empty.
class ObservationRecorder : public Prompt {
public:
    explicit ObservationRecorder(Prompt& asker) : asker_(asker) {}

    std::string ask(const std::string& promptText) override;

    // Forgets the values of an earlier run.
    void clear();
    // Whether any value has been typed.
    bool empty() const { return entries_ == 0; }
    const std::string& value(Column column) const { return values_[static_cast<std::size_t>(column)]; }

private:
    Prompt& asker_;
    std::array<std::string, columnCount> values_;
    std::size_t entries_ = 0;  // entries asked, re-entries not counted
    bool reentryNext_ = false;
};

}  // namespace morvalen::files
