// The compute command answered from a row of a campaign file, and the values of a run kept as such a row.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"
#include "files/ObservationTable.h"

namespace morvalen::files {

// The column of a campaign file that holds a value of the entry sequence.
constexpr Column columnOf(EnteredValue value) {
    return static_cast<Column>(static_cast<std::size_t>(value) + static_cast<std::size_t>(Column::xa));
}

// Answers every entry of the compute command with its cell of the row and every confirmation with Enter.
class RowPrompt : public Prompt {
public:
    RowPrompt(const ColumnMap& columns, const TableRow& row) : columns_(columns), row_(row) {}

    std::string answer(const PromptRequest& request) override;
    std::string ask(const std::string&) override { return {}; }  // a prompt of no value of the row: dismissed

private:
    const ColumnMap& columns_;
    const TableRow& row_;
};

// Answers the entry prompts of the eight angles b(1)..b(8) with `angle` (0 for b(1)) and their confirmations with
// Enter; passes every other prompt on to `others`, whose wrong confirmations ask their value again as usual.
// Whatever `angle` throws (a RunStopped) stops the run.
class AngleAnswers : public Prompt {
public:
    AngleAnswers(Prompt& others, std::function<std::string(std::size_t angle)> angle)
        : others_(others), angle_(std::move(angle)) {}

    std::string answer(const PromptRequest& request) override;
    std::string ask(const std::string& promptText) override { return others_.ask(promptText); }

private:
    Prompt& others_;
    std::function<std::string(std::size_t)> angle_;
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

    std::string answer(const PromptRequest& request) override;
    std::string ask(const std::string& promptText) override { return asker_.ask(promptText); }

private:
    Prompt& asker_;
    TypedValues& values_;
};

}  // namespace morvalen::files
