// The two services a front end gives the computation: the modal prompt and the fields of the window.
#pragma once

#include <string>

#include "form/Controls.h"

namespace morvalen {

// Shows one prompt text with an empty input line and returns the typed text; a dismissed prompt returns the empty
// text. The window is blocked while the prompt is open.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual std::string ask(const std::string& promptText) = 0;
};

// The fields of the main window as the computation sees them: it only ever sets texts, never reads them.
class WindowFields {
public:
    virtual ~WindowFields() = default;
    virtual void setText(const Control& field, const std::string& text) = 0;
    virtual void setCaption(const Control& label, const std::string& caption) = 0;
};

}  // namespace morvalen
