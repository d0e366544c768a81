// The plane coordinates of the stations from the adjusted angles.
#pragma once

#include "coords/CoordinateSteps.h"
#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

// Known-side case: the azimuth and length of A–B from the entered coordinates, the azimuth carried round the
// quadrilateral, the outer sides from A–B by the sine rule, and the closed traverse A → P1 → P2 → B into pointX and
// pointY 0..3. Station 3 is B as computed through the network; its difference from the entered B is the misclosure.
// Replaces startSideLength by the length of A–B. Checks every value before the first coordinate is stored; with
// `steps`, every value is recorded there as it is formed (the record is renewed first).
void cm2(SurveyState& state, CoordinateSteps* steps = nullptr);

// Azimuth case: the first side oriented by Ta + Qa, scaled by the start side S(startSideNumber) (an outer side 1..4
// or a diagonal 5, 6), the traverse A → P1 → P2 → P3 → A into pointX and pointY 0..4; station 4 is A as computed
// through the network. Ta and Qa are the run's own copies and are converted to decimal degrees in place.
void Cm1(SurveyState& state, EntryValue& Ta, EntryValue& Qa, CoordinateSteps* steps = nullptr);

// The coordinate table of the window after cm2 or Cm1: row 0 is A as entered (its easting captioned " Ya" in the
// known-side case), rows 1..n the computed stations.
void showCoordinateTable(const SurveyState& state, WindowFields& fields);

}  // namespace morvalen
