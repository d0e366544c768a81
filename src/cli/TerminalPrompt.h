// The modal prompt on a terminal: the prompt text on one line, the reply read from standard input.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "entry/FieldModel.h"
#include "entry/FrontEnd.h"

namespace morvalen::cli {

// Replies come one per line (a trailing CR is dropped, bytes that are not UTF-8 become U+FFFD, with a warning); once the input has
// ended every further prompt is answered as a dismissed prompt, the empty text. Every prompt shown is recorded.
class TerminalPrompt : public Prompt {
public:
    // `echoReplies`: write each reply behind its prompt, for replies that do not come from a person at a terminal.
    TerminalPrompt(std::istream& replies, std::ostream* display, bool echoReplies)
        : replies_(&replies), display_(display), echoReplies_(echoReplies) {}
    // The replies given by `source` (a row of an observation file) instead of read, shown behind their prompts.
    TerminalPrompt(Prompt& source, std::ostream* display) : source_(&source), display_(display), echoReplies_(true) {}

    std::string ask(const std::string& promptText) override;
    std::string answer(const PromptRequest& request) override;
    const std::vector<std::string>& promptsShown() const { return promptsShown_; }

private:
    // Shows the prompt and takes its reply; a source is asked the request itself where there is one.
    std::string reply(const std::string& promptText, const PromptRequest* request);

    std::istream* replies_ = nullptr;  // the replies are read from here, or
    Prompt* source_ = nullptr;         // given by this
    std::ostream* display_;  // null: nothing shown (JSON output)
    bool echoReplies_;
    bool inputEnded_ = false;
    std::vector<std::string> promptsShown_;
};

// The window's fields as a model, showing every change on the terminal as it happens, as the window would.
class TerminalFields : public FieldModel {
public:
    explicit TerminalFields(std::ostream* display) : display_(display) {}

    void setText(const Control& field, const std::string& text) override;
    void setCaption(const Control& label, const std::string& caption) override;

private:
    std::ostream* display_;
};

}  // namespace morvalen::cli
