// The prompts of 计 算 answered on the page: the replies typed so far in the guided mode, one a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "entry/FrontEnd.h"

namespace morvalen::web {

// Each prompt takes the next line (a trailing CR dropped, bytes that are not UTF-8 become U+FFFD); once the lines
// are used up every further prompt is dismissed, the empty text. Every prompt shown is recorded, so that the page
// can show the one that comes next.
class RepliesPrompt : public Prompt {
public:
    explicit RepliesPrompt(std::string_view replies) : replies_(replies) {}

    std::string ask(const std::string& promptText) override;
    const std::vector<std::string>& promptsShown() const { return promptsShown_; }

private:
    std::string_view replies_;  // the lines not yet used
    bool ended_ = false;
    std::vector<std::string> promptsShown_;
};

}  // namespace morvalen::web
