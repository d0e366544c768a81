// The one way a computation ends early.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "entry/FrontEnd.h"
#include "i18n/Language.h"

namespace morvalen {

// Thrown by the step that cannot be carried out: a text that does not read as a number where a number is needed, a
// division by zero, an overflow, a logarithm or square root outside its domain. Everything written before it stays
// written. `step` names the step of the run, `cause` says what went wrong, both in the language of the interface.
class RunStopped : public std::runtime_error {
public:
    RunStopped(std::string step, std::string cause)
        : std::runtime_error(i18n::withArguments(i18n::translate("%1：%2"), {step, cause})),
          step_(std::move(step)),
          cause_(std::move(cause)) {}

    const std::string& step() const { return step_; }
    const std::string& cause() const { return cause_; }
    // The typed value at fault, where the stop is about one (a start side number or an angle that does not read as
    // a number), so that a front end can point at it.
    const std::optional<EnteredValue>& value() const { return value_; }
    RunStopped& about(EnteredValue value) {
        value_ = value;
        return *this;
    }

private:
    std::string step_;
    std::string cause_;
    std::optional<EnteredValue> value_;
};

// Quotes a typed text for a message, shortened when very long so that a message box stays readable.
std::string quoted(const std::string& typed);

// What was typed for the value `name`, for a stop message: the pattern, already in the language of the interface,
// with %1 the name and %2 the quoted text (`b(5) 的输入 "33.1O401" 不是数值`), or `name 没有输入` when nothing was
// typed (an empty reply or a dismissed prompt), since an empty pair of quotes is easily misread.
std::string describedInput(const std::string& name, const std::string& typed, const char* pattern);

// The same for a value that should be a number: `%1 的输入 %2 超出数值范围` for one out of range, `不是数值` else.
std::string describedNumber(const std::string& name, const std::string& typed, bool outOfRange);

}  // namespace morvalen
