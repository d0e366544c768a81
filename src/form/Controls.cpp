#include "form/Controls.h"

#include <vector>
#include <stdexcept>

namespace morvalen::form {

namespace {

// The names of a numbered kind of control, kind1..kindN; index 0 is not used. They are formed once and kept for the
// program's life, so that a Control may view them.
std::vector<std::string> numberedNames(std::string_view kind, int count) {
    std::vector<std::string> names(static_cast<std::size_t>(count) + 1);
    for (int n = 1; n <= count; ++n) names[static_cast<std::size_t>(n)] = std::string(kind) + std::to_string(n);
    return names;
}

Control numbered(const std::vector<std::string>& names, int number) {
    if (number < 1 || static_cast<std::size_t>(number) >= names.size()) {
        throw std::out_of_range("the window has no control " + std::to_string(number) + " of this kind");
    }
    return Control(names[static_cast<std::size_t>(number)]);
}

}  // namespace

Control label(int number) {
    static const std::vector<std::string> names = numberedNames("Label", 68);
    return numbered(names, number);
}

Control line(int number) {
    static const std::vector<std::string> names = numberedNames("Line", 27);
    return numbered(names, number);
}

std::string shownName(const Control& control) {
    std::string name(control.name);
    if (control.index >= 0) name += "(" + std::to_string(control.index) + ")";
    return name;
}

std::string objectName(const Control& control) {
    std::string name(control.name);
    if (control.index >= 0) name += "_" + std::to_string(control.index);
    return name;
}

std::string initialYCaption(int r) { return "Y(" + std::to_string(r) + ")"; }

}  // namespace morvalen::form
