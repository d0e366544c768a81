// The two services a front end gives the computation: the modal prompt and the fields of the window.
#pragma once

#include <string>

#include "form/Controls.h"

namespace morvalen {

// The values of one data set that the entry sequence asks, in the order of a campaign file's columns.
enum class EnteredValue {
    xa, ya, xb, yb, startSideLength, startSideNumber, Ta, Qa,
    nameA, nameP1, nameP2, nameP3, nameClosing, b1, b2, b3, b4, b5, b6, b7, b8
};

// What a prompt of the entry sequence asks for: the value, or the confirmation of the value just typed.
enum class PromptRole { entry, reentry, confirmation };

// One prompt of the entry sequence: its text, the value it is about and its role.
struct PromptRequest {
    const std::string& text;
    EnteredValue value;
    PromptRole role;
};

// Shows one prompt text with an empty input line and returns the typed text; a dismissed prompt returns the empty
// text. The window is blocked while the prompt is open.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual std::string ask(const std::string& promptText) = 0;
    // A prompt of the entry sequence. A front end shows its text (the default); a prompt that answers from stored
    // values, or keeps what is typed, answers by the value and the role, never by reading the text.
    virtual std::string answer(const PromptRequest& request) { return ask(request.text); }
};

// The fields of the main window as the computation sees them: it only ever sets texts, never reads them.
class WindowFields {
public:
    virtual ~WindowFields() = default;
    virtual void setText(const Control& field, const std::string& text) = 0;
    virtual void setCaption(const Control& label, const std::string& caption) = 0;
    // False for a front end that shows no fields (the batch, which writes its results from the stored values): the
    // computation then spends nothing on the texts of the values it echoes and of the results it forms.
    virtual bool showsTexts() const { return true; }
};

// The fields of a front end that shows none.
class NoFields : public WindowFields {
public:
    void setText(const Control&, const std::string&) override {}
    void setCaption(const Control&, const std::string&) override {}
    bool showsTexts() const override { return false; }
};

}  // namespace morvalen
