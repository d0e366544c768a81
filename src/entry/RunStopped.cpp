#include "entry/RunStopped.h"

#include "entry/Utf8.h"

namespace morvalen {

std::string quoted(const std::string& typed) { return "\"" + shortenedUtf8(typed, 40) + "\""; }

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
