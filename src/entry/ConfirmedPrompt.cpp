#include "entry/ConfirmedPrompt.h"

#include <utility>

#include "entry/DecimalRounding.h"
#include "entry/RunStopped.h"

namespace morvalen {
namespace {

std::string echoText(const ConfirmedPrompt& prompt) {
    if (const auto* name = std::get_if<std::string*>(&prompt.target)) return " " + **name;
    return " " + std::get<EntryValue*>(prompt.target)->display(prompt.echoPattern);
}

void store(const ConfirmedPrompt& prompt, const std::string& reply) {
    if (auto* const* name = std::get_if<std::string*>(&prompt.target)) {
        **name = reply;
    } else {
        std::get<EntryValue*>(prompt.target)->setText(reply);
    }
}

}  // namespace

bool isWrongReply(std::string_view reply) {
    if (reply.empty()) return false;  // Enter on an empty line accepts
    const auto number = parseDecimal(reply);
    return number && number->isZero();
}

void askConfirmed(const ConfirmedPrompt& prompt, Prompt& asker, WindowFields& fields) {
    const auto ask = [&](const std::string& text, PromptRole role) { return asker.answer({text, prompt.value, role}); };
    const auto echo = [&] {
        if (fields.showsTexts()) fields.setText(prompt.echoField, echoText(prompt));
    };
    store(prompt, ask(prompt.texts.entryPrompt, PromptRole::entry));
    echo();
    std::string reply = ask(prompt.texts.confirmationPrompt, PromptRole::confirmation);
    while (isWrongReply(reply)) {
        fields.setText(prompt.echoField, "");
        store(prompt, ask(prompt.texts.reentryPrompt, PromptRole::reentry));
        echo();
        reply = ask(prompt.texts.reconfirmationPrompt, PromptRole::confirmation);
    }
}

void askConfirmedRepeat(const std::string& entryPrompt, const std::string& confirmationPrompt,
                        std::int16_t& target, Prompt& asker, EnteredValue value) {
    bool first = true;
    do {
        const std::string reply =
            asker.answer({entryPrompt, value, std::exchange(first, false) ? PromptRole::entry : PromptRole::reentry});
        const auto number = parseDecimal(reply);
        if (!number) {
            throw RunStopped("起算边编号输入", describedInput("起算边编号", reply, " 不是数值", " "));
        }
        const auto whole = roundToInt16(*number);
        if (!whole) {
            throw RunStopped("起算边编号输入", "起算边编号 " + quoted(reply) + " 超出 -32768 至 32767 的范围");
        }
        target = *whole;
    } while (isWrongReply(asker.answer({confirmationPrompt, value, PromptRole::confirmation})));
}

}  // namespace morvalen
