#include "cli/GivenAnswers.h"

namespace morvalen::cli {

std::string GivenAnswers::answer(const PromptRequest& request) {
    const bool givenAngle = angle_ && request.value >= EnteredValue::b1;
    if (!givenAngle && !row_) return others_.answer(request);
    if (request.role == PromptRole::confirmation) return {};
    if (givenAngle) return angle_(static_cast<std::size_t>(request.value) - static_cast<std::size_t>(EnteredValue::b1));
    return row_->text(request.value);
}

}  // namespace morvalen::cli
