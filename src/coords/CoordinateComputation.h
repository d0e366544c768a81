// The plane coordinates of the stations from the adjusted angles.
#pragma once

#include "coords/CoordinateSteps.h"
#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

// Known-side case: the azimuth and length of A–B from the entered coordinates, the azimuth carried round the
// quadrilateral, the outer sides from A–B by the sine rule, and the closed traverse A → P1 → P2 → B into rows 0..3.
// Row 3 is B as computed through the network; its difference from the entered B is the misclosure. Replaces
// startSideLength by the length of A–B and sets the caption of Label18(0) to " Ya".
void cm2(SurveyState& state, WindowFields& fields, CoordinateSteps* steps = nullptr);

// Azimuth case: the first side oriented by Ta + Qa, scaled by the start side S(startSideNumber) (an outer side 1..4
// or a diagonal 5, 6), the traverse A → P1 → P2 → P3 → A into rows 0..4; row 4 is A as computed through the network.
// Ta and Qa are the run's own copies and are converted to decimal degrees in place.
void Cm1(SurveyState& state, EntryValue& Ta, EntryValue& Qa, WindowFields& fields, CoordinateSteps* steps = nullptr);

// The computations of cm2 and Cm1 without the table: the coordinates land in pointX and pointY. Each checks every
// value before the first row could be written, so that a stop leaves the table as it was. With `steps`, every value
// is recorded there as it is formed (the record is renewed first).
void computeKnownSideCoordinates(SurveyState& state, CoordinateSteps* steps = nullptr);
void computeAzimuthCoordinates(SurveyState& state, EntryValue& Ta, EntryValue& Qa, CoordinateSteps* steps = nullptr);

}  // namespace morvalen
