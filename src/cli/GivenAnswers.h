// The prompts of a terminal run answered from files: a row of an observation file, the angles of a field book.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "entry/FrontEnd.h"
#include "entry/Observations.h"

namespace morvalen::cli {

// Answers every entry prompt from the row when there is one (every confirmation with Enter), the entry prompts of
// b(1)..b(8) from `angle` when it is given (b(1) is 0), and passes every other prompt on to `others`, whose wrong
// confirmations ask their value again as usual. Whatever `angle` throws (a RunStopped) stops the run.
class GivenAnswers : public Prompt {
public:
    GivenAnswers(Prompt& others, std::optional<Observations> row, std::function<std::string(std::size_t)> angle)
        : others_(others), row_(std::move(row)), angle_(std::move(angle)) {}

    std::string answer(const PromptRequest& request) override;
    // A prompt of no value: dismissed when the row answers, otherwise asked.
    std::string ask(const std::string& promptText) override { return row_ ? std::string() : others_.ask(promptText); }

private:
    Prompt& others_;
    std::optional<Observations> row_;
    std::function<std::string(std::size_t)> angle_;
};

}  // namespace morvalen::cli
