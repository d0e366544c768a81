#include "entry/ConfirmedPrompt.h"

#include <utility>

#include "entry/EnteredState.h"
#include "entry/RunStopped.h"

namespace morvalen {

bool isWrongReply(std::string_view reply) {
    if (reply.empty()) return false;  // Enter on an empty line accepts
    const auto number = parseDecimal(reply);
    return number && number->isZero();
}

std::string echoText(const std::string& typed, Pattern pattern) {
    if (pattern == Pattern::none) return " " + typed;
    return " " + EntryValue::text(typed).display(pattern);
}

EntryValue askConfirmed(const ConfirmedPrompt& prompt, Prompt& asker, WindowFields& fields) {
    const auto ask = [&](const std::string& text, PromptRole role) { return asker.answer({text, prompt.value, role}); };
    // A number is read once, for its echo and for the caller.
    EntryValue typed;
    const auto echo = [&] {
        if (prompt.echoPattern != Pattern::none) typed.setText(*prompt.target);
        if (!fields.showsTexts()) return;
        fields.setText(prompt.echoField, prompt.echoPattern == Pattern::none ? " " + *prompt.target
                                                                             : " " + typed.display(prompt.echoPattern));
    };
    *prompt.target = ask(prompt.texts.entryPrompt, PromptRole::entry);
    echo();
    std::string reply = ask(prompt.texts.confirmationPrompt, PromptRole::confirmation);
    while (isWrongReply(reply)) {
        fields.setText(prompt.echoField, "");
        *prompt.target = ask(prompt.texts.reentryPrompt, PromptRole::reentry);
        echo();
        reply = ask(prompt.texts.reconfirmationPrompt, PromptRole::confirmation);
    }
    return typed;
}

void askConfirmedRepeat(const std::string& entryPrompt, const std::string& confirmationPrompt, std::string& target,
                        Prompt& asker, EnteredValue value) {
    bool first = true;
    do {
        target =
            asker.answer({entryPrompt, value, std::exchange(first, false) ? PromptRole::entry : PromptRole::reentry});
        if (auto stop = entryStop(value, target)) throw std::move(*stop);
    } while (isWrongReply(asker.answer({confirmationPrompt, value, PromptRole::confirmation})));
}

}  // namespace morvalen
