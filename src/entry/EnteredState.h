// The typed values of one data set stored in the survey state, as the entry sequence stores them.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "entry/Observations.h"
#include "entry/RunStopped.h"
#include "entry/SurveyState.h"

namespace morvalen {

// The compute command's own copies of the external azimuth Ta and the orientation angle Qa, typed in this run. The
// azimuth coordinate step converts these to degrees in place, so that the survey state keeps the typed dd.mmss for
// the report. Both stay empty outside the azimuth case.
struct OrientationCopies {
    EntryValue Ta;
    EntryValue Qa;
};

// The stop that entry makes right after a value is typed: a start side number that does not read as a number or
// lies outside -32768..32767, an angle that cannot be converted from dd.mmss. None for every other value and text.
std::optional<RunStopped> entryStop(EnteredValue value, const std::string& typed);
// The same for a value already read.
std::optional<RunStopped> entryStop(EnteredValue value, const EntryValue& typed);

// The numbers the dialogue has read already as it echoed them, handed to the computation so that no typed text is
// read twice (the compute command's time is guarded). Each is the reading of the text the data set holds.
struct ReadValues {
    std::array<std::optional<EntryValue>, enteredValueCount> values;

    std::optional<EntryValue>& operator[](EnteredValue value) { return values[static_cast<std::size_t>(value)]; }
};

// Stores the values of a data set in the survey state in the order the entry sequence asks them: the coordinates
// of A and B, the start data of the azimuth case (the start side number rounded to a whole number with halves to
// the even neighbour), the station names, and b(1)..b(8), each angle converted to decimal degrees right after it
// is stored. Throws the entry stop of the first value that has one; everything stored before it stays stored.
void storeObservations(const Observations& observations, SurveyState& state, OrientationCopies& copies,
                       ReadValues* read = nullptr);

}  // namespace morvalen
