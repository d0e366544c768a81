#include "files/RowAnswers.h"

#include <algorithm>

namespace morvalen::files {

static_assert(columnOf(EnteredValue::xa) == Column::xa && columnOf(EnteredValue::b8) == Column::b8);

std::string RowPrompt::answer(const PromptRequest& request) {
    if (request.role == PromptRole::confirmation) return {};
    return std::string(columns_.cell(row_, columnOf(request.value)));
}

std::string ObservationRecorder::answer(const PromptRequest& request) {
    std::string reply = asker_.answer(request);
    if (request.role != PromptRole::confirmation) values_.value(columnOf(request.value)) = reply;
    return reply;
}

std::string AngleAnswers::answer(const PromptRequest& request) {
    if (request.value < EnteredValue::b1) return others_.answer(request);
    if (request.role == PromptRole::confirmation) return {};
    return angle_(static_cast<std::size_t>(request.value) - static_cast<std::size_t>(EnteredValue::b1));
}

bool TypedValues::empty() const {
    return std::all_of(values.begin(), values.end(), [](const std::string& value) { return value.empty(); });
}

}  // namespace morvalen::files
