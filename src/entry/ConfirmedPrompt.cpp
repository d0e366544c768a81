#include "entry/ConfirmedPrompt.h"

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
    store(prompt, asker.ask(prompt.texts.entryPrompt));
    fields.setText(prompt.echoField, echoText(prompt));
    std::string reply = asker.ask(prompt.texts.confirmationPrompt);
    while (isWrongReply(reply)) {
        fields.setText(prompt.echoField, "");
        store(prompt, asker.ask(prompt.texts.reentryPrompt));
        fields.setText(prompt.echoField, echoText(prompt));
        reply = asker.ask(prompt.texts.reconfirmationPrompt);
    }
}

void askConfirmedRepeat(const std::string& entryPrompt, const std::string& confirmationPrompt,
                        std::int16_t& target, Prompt& asker) {
    do {
        const std::string reply = asker.ask(entryPrompt);
        const auto number = parseDecimal(reply);
        if (!number) {
            throw RunStopped("起算边编号输入", describedInput("起算边编号", reply, " 不是数值", " "));
        }
        const auto whole = roundToInt16(*number);
        if (!whole) {
            throw RunStopped("起算边编号输入", "起算边编号 " + quoted(reply) + " 超出 -32768 至 32767 的范围");
        }
        target = *whole;
    } while (isWrongReply(asker.ask(confirmationPrompt)));
}

}  // namespace morvalen
