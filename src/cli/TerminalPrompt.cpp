#include "cli/TerminalPrompt.h"

#include <iostream>

#include "entry/PackedAngle.h"
#include "entry/Utf8.h"
#include "i18n/Language.h"

namespace morvalen::cli {

std::string TerminalPrompt::ask(const std::string& promptText) { return reply(promptText, nullptr); }

std::string TerminalPrompt::answer(const PromptRequest& request) { return reply(request.text, &request); }

std::string TerminalPrompt::reply(const std::string& promptText, const PromptRequest* request) {
    promptsShown_.push_back(promptText);
    if (display_) *display_ << promptText << std::flush;
    std::string line;
    if (source_) {
        line = request ? source_->answer(*request) : source_->ask(promptText);
    } else if (!inputEnded_ && std::getline(*replies_, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = validUtf8(line);
    } else {
        inputEnded_ = true;
        line.clear();
    }
    if (display_ && inputEnded_) *display_ << i18n::translate("（输入已结束，按取消处理）") << '\n';
    else if (display_ && echoReplies_) *display_ << line << '\n';
    // A dd.mmss reply with 60 minutes or seconds or more is taken as typed; the warning goes beside it, on stderr.
    if (request && request->role != PromptRole::confirmation) {
        if (const std::string warning = packedAngleWarning(request->value, line); !warning.empty()) {
            if (display_) *display_ << std::flush;
            std::cerr << warning << '\n';
        }
    }
    return line;
}

void TerminalFields::setText(const Control& field, const std::string& text) {
    FieldModel::setText(field, text);
    if (display_) *display_ << "    [" << form::shownName(field) << "] \"" << text << "\"\n";
}

void TerminalFields::setCaption(const Control& label, const std::string& caption) {
    FieldModel::setCaption(label, caption);
    if (display_) {
        *display_ << "    [" << i18n::withArguments(i18n::translate("%1 标题"), {form::shownName(label)}) << "] \"" << caption
                  << "\"\n";
    }
}

}  // namespace morvalen::cli
