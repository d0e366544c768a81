// The two services a front end gives the computation: the modal prompt and the fields of the window.
#pragma once

#include <string>
#include <string_view>

namespace morvalen {

// Shows one prompt text with an empty input line and returns the typed text; a dismissed prompt returns the empty
// text. The window is blocked while the prompt is open.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual std::string ask(const std::string& promptText) = 0;
};

// n of a control named Textn with n in 1..20, the fields of the window; 0 for any other name.
constexpr int textFieldNumber(std::string_view name) {
    const auto digit = [&](std::size_t i) { return static_cast<unsigned>(name[i]) - unsigned{'0'}; };
    int number = 0;
    if ((name.size() == 5 || name.size() == 6) && name.starts_with("Text") && digit(4) <= 9) {
        number = static_cast<int>(digit(4));
        if (name.size() == 6) number = digit(5) <= 9 ? number * 10 + static_cast<int>(digit(5)) : 0;
    }
    return number <= 20 ? number : 0;
}

// A control of the window by name, with its index for the control arrays (Text7, Text12, Text13, Text14, Label18);
// `index` is -1 for a single control such as Text1. The number of a field is worked out where the control is named,
// for a literal name when the program is compiled, so that finding the field's text costs no reading of its name.
struct Control {
    constexpr Control(std::string_view name, int index = -1)
        : name(name), index(index), fieldNumber(textFieldNumber(name)) {}

    std::string_view name;
    int index = -1;
    int fieldNumber = 0;  // n of a field Textn, 0 for a control that is no text field

    bool operator==(const Control& other) const { return name == other.name && index == other.index; }
};

// The fields of the main window as the computation sees them: it only ever sets texts, never reads them.
class WindowFields {
public:
    virtual ~WindowFields() = default;
    virtual void setText(const Control& field, const std::string& text) = 0;
    virtual void setCaption(const Control& label, const std::string& caption) = 0;
};

}  // namespace morvalen
