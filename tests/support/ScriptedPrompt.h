// A prompt that answers from a list of replies and records every prompt text, the way a surveyor at the window
// would answer them. Once the replies run out every prompt is dismissed (the empty text).
#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "entry/FrontEnd.h"

namespace morvalen::testing {

class ScriptedPrompt : public Prompt {
public:
    ScriptedPrompt() = default;
    ScriptedPrompt(std::initializer_list<std::string> replies) : replies_(replies) {}
    explicit ScriptedPrompt(const std::vector<std::string>& replies) : replies_(replies.begin(), replies.end()) {}

    std::string ask(const std::string& promptText) override {
        prompts.push_back(promptText);
        if (replies_.empty()) return {};
        std::string reply = replies_.front();
        replies_.pop_front();
        return reply;
    }

    std::size_t repliesLeft() const { return replies_.size(); }

    std::vector<std::string> prompts;

private:
    std::deque<std::string> replies_;
};

// Each value typed and confirmed with Enter: "v1", "", "v2", "", ...
inline std::vector<std::string> confirmedEach(const std::vector<std::string>& values) {
    std::vector<std::string> replies;
    for (const auto& value : values) {
        replies.push_back(value);
        replies.push_back("");
    }
    return replies;
}

inline std::vector<std::string> operator+(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace morvalen::testing
