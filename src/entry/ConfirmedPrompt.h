// The confirmed prompt: every value is typed, shown in its field, and confirmed before it is accepted.
//
// A confirmation reply that reads as the number zero (0, 00, 0.0, -0) means "wrong": the field is emptied and the
// correct value is asked, shown and confirmed again, as often as needed. Every other reply accepts, including Enter
// on an empty line and a dismissed prompt.
#pragma once

#include <string>
#include <string_view>

#include "entry/EntryValue.h"
#include "entry/FrontEnd.h"

namespace morvalen {

// The four prompt texts of one entry. The re-entry prompt is the entry prompt itself for the unknown stations; the
// re-confirmation prompt equals the confirmation prompt for every entry but the orientation angle Qa.
struct PromptTexts {
    std::string entryPrompt;
    std::string confirmationPrompt;
    std::string reentryPrompt;
    std::string reconfirmationPrompt;
};

struct ConfirmedPrompt {
    const PromptTexts& texts;
    std::string* target;  // the value as typed
    Control echoField;
    Pattern echoPattern = Pattern::none;
    EnteredValue value = EnteredValue::xa;  // the value asked, as the front ends know it
};

bool isWrongReply(std::string_view reply);

// The echo of a typed value in its field: a blank, then the value in the echo pattern (as typed for the pattern
// none; a number rounded at the pattern's last decimal with halves away from zero).
std::string echoText(const std::string& typed, Pattern pattern);

// Runs the protocol for one value. On return the target holds the last reply to the entry or re-entry prompt and
// the echo field shows it; a value echoed as a number is returned as read (an empty value for a name).
EntryValue askConfirmed(const ConfirmedPrompt& prompt, Prompt& asker, WindowFields& fields);

// The protocol for the start side number: nothing is shown in any field and a wrong reply asks the entry prompt
// again. Each reply is read at once: the run stops when it does not read as a number or lies outside
// -32768..32767 (the computation rounds it to a whole number with halves to the even neighbour).
void askConfirmedRepeat(const std::string& entryPrompt, const std::string& confirmationPrompt, std::string& target,
                        Prompt& asker, EnteredValue value = EnteredValue::startSideNumber);

}  // namespace morvalen
