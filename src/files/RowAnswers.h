// The compute command answered from a row of a campaign file, and the values of a run kept as such a row.
#pragma once

#include <array>
#include <functional>
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

// Answers the entry prompts of the eight angles b(1)..b(8) with `angle` (0 for b(1)) and their confirmations with
// Enter; passes every other prompt on to `others`, whose wrong confirmations ask their value again as usual. The
// case is decided as RowPrompt decides it. Whatever `angle` throws (a RunStopped) stops the run.
class AngleAnswers : public Prompt {
public:
    AngleAnswers(Prompt& others, std::function<std::string(std::size_t angle)> angle, const SurveyState& state)
        : others_(others), angle_(std::move(angle)), state_(state) {}

    std::string ask(const std::string& promptText) override;

private:
    Prompt& others_;
    std::function<std::string(std::size_t)> angle_;
    const SurveyState& state_;
    std::size_t entries_ = 0;  // entries asked, re-entries not counted
    bool reentryNext_ = false;
    bool answeringAngle_ = false;
};

// The values of one run as typed, by column; columns never asked are empty.
struct TypedValues {
    std::array<std::string, columnCount> values;

    const std::string& value(Column column) const { return values[static_cast<std::size_t>(column)]; }
    std::string& value(Column column) { return values[static_cast<std::size_t>(column)]; }
    // True when nothing at all has been typed.
    bool empty() const;
};

// Passes every prompt on to the front end's own prompt and keeps the last reply to each entry in `into` (emptied
// first), so that a correction replaces the value it corrects. After a stop it holds everything typed so far.
class ObservationRecorder : public Prompt {
public:
    ObservationRecorder(Prompt& asker, TypedValues& into) : asker_(asker), values_(into) { values_ = {}; }

    std::string ask(const std::string& promptText) override;

private:
    Prompt& asker_;
    TypedValues& values_;
    std::size_t entries_ = 0;  // entries asked, re-entries not counted
    bool reentryNext_ = false;
};

}  // namespace morvalen::files
