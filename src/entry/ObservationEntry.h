// The fixed sequence of confirmed prompts that collects one data set.
#pragma once

#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

// The compute command's own copies of the external azimuth Ta and the orientation angle Qa, typed in this run. The
// azimuth coordinate step converts these to degrees in place, so that the survey state keeps the typed dd.mmss for
// the report. Both stay empty outside the azimuth case.
struct OrientationCopies {
    EntryValue Ta;
    EntryValue Qa;
};

// Asks the coordinates of A and B, decides the case, asks the start data of the azimuth case, the station names and
// the eight angles b(1)..b(8), each echoed in its field and confirmed; converts each angle to decimal degrees right
// after its confirmation. Stops the run at a start side number or an angle that cannot be converted.
void enterObservations(SurveyState& state, OrientationCopies& copies, Prompt& asker, WindowFields& fields);

}  // namespace morvalen
