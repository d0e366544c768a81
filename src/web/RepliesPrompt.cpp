#include "web/RepliesPrompt.h"

#include "entry/Utf8.h"

namespace morvalen::web {

std::string RepliesPrompt::ask(const std::string& promptText) {
    promptsShown_.push_back(promptText);
    if (ended_ || replies_.empty()) {
        ended_ = true;
        return {};
    }
    const std::size_t end = replies_.find('\n');
    std::string_view line = replies_.substr(0, end);
    replies_ = end == std::string_view::npos ? std::string_view() : replies_.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return validUtf8(line);
}

}  // namespace morvalen::web
