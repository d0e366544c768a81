#include "entry/RunStopped.h"

#include <cstdio>

#include "entry/Utf8.h"

namespace morvalen {

namespace {

// Characters that look like a blank, a minus or nothing at all, and make a typed number unreadable: a message
// that quotes them names them, since the quotes alone show nothing amiss.
struct LookAlike {
    char32_t codePoint;
    const char* name;
};
constexpr LookAlike lookAlikes[] = {
    {0x00A0, i18n::catalogued("不换行空格")}, {0x2013, i18n::catalogued("短破折号")}, {0x2014, i18n::catalogued("破折号")},
    {0x200B, i18n::catalogued("零宽空格")},   {0xFEFF, i18n::catalogued("字节顺序标记")}, {0x3002, i18n::catalogued("句号")},
};

// "（其中有 U+00A0 不换行空格）" for every such character of the text, in the order of the list; empty for none.
std::string lookAlikeNote(std::string_view typed) {
    std::string named;
    for (const LookAlike& lookAlike : lookAlikes) {
        bool found = false;
        for (std::size_t at = 0; at < typed.size() && !found;) {
            const Utf8Character character = utf8CharacterAt(typed, at);
            found = character.wellFormed && character.codePoint == lookAlike.codePoint;
            at += character.length;
        }
        if (!found) continue;
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X ", static_cast<unsigned>(lookAlike.codePoint));
        named += (named.empty() ? "" : i18n::translate("、")) + std::string(code) + i18n::translate(lookAlike.name);
    }
    return named.empty() ? std::string() : i18n::withArguments(i18n::translate("（其中有 %1）"), {named});
}

}  // namespace

std::string quoted(const std::string& typed) {
    return "\"" + escapedControls(shortenedUtf8(typed, 40)) + "\"" + lookAlikeNote(typed);
}

std::string describedInput(const std::string& name, const std::string& typed, const char* pattern) {
    if (typed.empty()) {
        // A name that ends in a Latin letter or a bracket is set apart by a blank, as in the quoted form.
        const bool latinEnd = !name.empty() && static_cast<unsigned char>(name.back()) < 0x80;
        return i18n::withArguments(latinEnd ? i18n::translate("%1 没有输入") : i18n::translate("%1没有输入"), {name});
    }
    return i18n::withArguments(pattern, {name, quoted(typed)});
}

std::string describedNumber(const std::string& name, const std::string& typed, bool outOfRange) {
    return describedInput(name, typed,
                          outOfRange ? i18n::translate("%1 的输入 %2 超出数值范围") : i18n::translate("%1 的输入 %2 不是数值"));
}

}  // namespace morvalen
