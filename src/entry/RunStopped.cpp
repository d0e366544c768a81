#include "entry/RunStopped.h"

#include "entry/Utf8.h"

namespace morvalen {

std::string quoted(const std::string& typed) { return "\"" + shortenedUtf8(typed, 40) + "\""; }

std::string describedInput(const std::string& name, const std::string& typed, const std::string& cause,
                           const std::string& between) {
    if (typed.empty()) {
        // A name that ends in a Latin letter or a bracket is set apart by a blank, as in the quoted form.
        const bool latinEnd = !name.empty() && static_cast<unsigned char>(name.back()) < 0x80;
        return name + (latinEnd ? " 没有输入" : "没有输入");
    }
    return name + between + quoted(typed) + cause;
}

}  // namespace morvalen
