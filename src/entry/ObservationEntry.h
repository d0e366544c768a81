// The fixed sequence of confirmed prompts that collects one data set.
#pragma once

#include "entry/FrontEnd.h"
#include "entry/EnteredState.h"
#include "entry/Observations.h"

namespace morvalen {

// Asks the coordinates of A and B, decides the case, asks the start data of the azimuth case, the station names and
// the eight angles b(1)..b(8), each echoed in its field and confirmed, into `typed` (emptied first) value by value:
// a correction replaces the value it corrects, and after a stop `typed` holds everything typed so far. Stops the
// run (RunStopped) at a start side number or an angle that cannot be read, right after it is typed.
// Each number is read once, as it is echoed; with `read`, the readings are kept there for the computation.
void enterObservations(Prompt& asker, WindowFields& fields, Observations& typed, ReadValues* read = nullptr);

// The start note and the fields the case fills in place of values it does not ask, written once B is known.
void showCaseFields(RunCase kind, WindowFields& fields);

}  // namespace morvalen
