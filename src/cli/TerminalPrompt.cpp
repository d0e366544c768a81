#include "cli/TerminalPrompt.h"

#include <iostream>

#include "entry/PackedAngle.h"
#include "entry/RunStopped.h"
#include "entry/Utf8.h"
#include "i18n/Language.h"
#include "report/TextReport.h"

namespace morvalen::cli {
namespace {

constexpr int terminalColumns = 80;

// A prompt wider than a terminal of 80 columns, broken at the blanks between its words instead of where the
// terminal would cut it.
std::string wrappedAtWords(const std::string& text) {
    if (report::terminalWidth(text) <= terminalColumns) return text;
    std::string wrapped;
    std::size_t lineStart = 0, lastBlank = std::string::npos;
    for (std::size_t at = text.find(' ');; at = text.find(' ', at + 1)) {
        const std::size_t end = at == std::string::npos ? text.size() : at;
        const int width = report::terminalWidth(std::string_view(text).substr(lineStart, end - lineStart));
        if (width > terminalColumns && lastBlank != std::string::npos && lastBlank > lineStart) {
            wrapped += text.substr(lineStart, lastBlank - lineStart) + '\n';
            lineStart = std::min(text.find_first_not_of(' ', lastBlank), end);
        }
        lastBlank = end;
        if (at == std::string::npos) break;
    }
    return wrapped + text.substr(lineStart);
}

}  // namespace

std::string TerminalPrompt::ask(const std::string& promptText) { return reply(promptText, nullptr); }

std::string TerminalPrompt::answer(const PromptRequest& request) { return reply(request.text, &request); }

std::string TerminalPrompt::reply(const std::string& promptText, const PromptRequest* request) {
    promptsShown_.push_back(promptText);
    if (display_) *display_ << wrappedAtWords(promptText) << std::flush;
    std::string line;
    if (source_) {
        line = request ? source_->answer(*request) : source_->ask(promptText);
    } else if (!inputEnded_ && std::getline(*replies_, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!isValidUtf8(line)) {
            // Typed at a terminal that is not UTF-8: said, never replaced silently.
            line = validUtf8(line);
            const std::string shown = morvalen::quoted(line);
            std::cerr << i18n::withArguments(i18n::translate("回答 %1 中有不是 UTF-8 的字节，已换成 �"), {shown}) << '\n';
        }
    } else {
        inputEnded_ = true;
        line.clear();
    }
    if (display_ && inputEnded_) *display_ << i18n::translate("（输入已结束，按取消处理）") << '\n';
    else if (display_ && echoReplies_) *display_ << escapedControls(line) << '\n';
    // A reply taken as typed though likely mistyped (61 minutes, a start side number of 2.5): a warning on stderr.
    if (request && request->role != PromptRole::confirmation) {
        if (const std::string warning = replyWarning(request->value, line); !warning.empty()) {
            if (display_) *display_ << std::flush;
            std::cerr << warning << '\n';
        }
    }
    return line;
}

void TerminalFields::setText(const Control& field, const std::string& text) {
    FieldModel::setText(field, text);
    if (display_) *display_ << "    [" << form::shownName(field) << "] \"" << escapedControls(text) << "\"\n";
}

void TerminalFields::setCaption(const Control& label, const std::string& caption) {
    FieldModel::setCaption(label, caption);
    if (display_) {
        *display_ << "    [" << i18n::withArguments(i18n::translate("%1 标题"), {form::shownName(label)}) << "] \"" << escapedControls(caption)
                  << "\"\n";
    }
}

}  // namespace morvalen::cli
