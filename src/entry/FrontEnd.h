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

// A control of the window by name, with its index for the control arrays (Text7, Text12, Text13, Text14, Label18);
// `index` is -1 for a single control such as Text1.
struct Control {
    std::string_view name;
    int index = -1;

    bool operator==(const Control&) const = default;
};

// The fields of the main window as the computation sees them: it only ever sets texts, never reads them.
class WindowFields {
public:
    virtual ~WindowFields() = default;
    virtual void setText(Control field, const std::string& text) = 0;
    virtual void setCaption(Control label, const std::string& caption) = 0;

    // Whether a field is shown at all. The window and the terminal show every field; a front end that keeps only
    // some (the batch keeps those of its result rows) is spared the forming of the echoes it would not show.
    virtual bool shows(Control field) const {
        (void)field;
        return true;
    }
};

}  // namespace morvalen
