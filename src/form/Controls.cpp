#include "form/Controls.h"

#include <array>
#include <stdexcept>

namespace morvalen::form {

Control label(int number) {
    // The window's labels are numbered up to Label68; each name is formed once and kept for the program's life.
    static const std::array<std::string, 69> names = [] {
        std::array<std::string, 69> all;
        for (std::size_t n = 1; n < all.size(); ++n) all[n] = "Label" + std::to_string(n);
        return all;
    }();
    if (number < 1 || static_cast<std::size_t>(number) >= names.size()) {
        throw std::out_of_range("the window has no label " + std::to_string(number));
    }
    return Control(names[static_cast<std::size_t>(number)]);
}

std::string shownName(const Control& control) {
    std::string name(control.name);
    if (control.index >= 0) name += "(" + std::to_string(control.index) + ")";
    return name;
}

std::string initialYCaption(int r) { return "Y(" + std::to_string(r) + ")"; }

}  // namespace morvalen::form
