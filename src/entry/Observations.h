// One data set as typed: every value the entry sequence asks, kept as the text that was typed.
//
// The dialogue of 计 算, a row of an observation file, the field book's angles and the window's table all produce
// one of these; the computation takes it whole. Nothing is read as a number here: a value is read where the
// computation needs it, as the dialogue reads it.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "entry/FrontEnd.h"
#include "entry/SurveyState.h"

namespace morvalen {

inline constexpr std::size_t enteredValueCount = static_cast<std::size_t>(EnteredValue::b8) + 1;

struct Observations {
    std::string xa, ya, xb, yb;         // metres: X (northing) and Y (easting) of A and of B; B 0, 0 when not given
    std::string startSideLength;        // metres (azimuth case)
    std::string startSideNumber;        // the side of the diagram whose length is given, 1..6 (azimuth case)
    std::string Ta, Qa;                 // dd.mmss: external azimuth and orientation angle at A (azimuth case)
    std::array<std::string, 5> names;   // A, P1, P2, P3 (azimuth case only), the closing station
    std::array<std::string, 8> angles;  // b(1)..b(8), dd.mmss

    // The text of one value of the entry sequence.
    std::string& text(EnteredValue value);
    const std::string& text(EnteredValue value) const;

    // The case of the data set, decided from xb and yb as typed, as the computation decides it.
    RunCase runCase() const;
    // True when the case asks this value: the start data only in the azimuth case, P3 only there.
    bool asks(EnteredValue value) const { return asks(value, runCase()); }
    // The same for a case already decided.
    static bool asks(EnteredValue value, RunCase kind);
    // True when nothing at all has been typed.
    bool empty() const;

    bool operator==(const Observations&) const = default;
};

inline std::string& Observations::text(EnteredValue value) {
    return const_cast<std::string&>(std::as_const(*this).text(value));
}

inline const std::string& Observations::text(EnteredValue value) const {
    switch (value) {
    case EnteredValue::xa: return xa;
    case EnteredValue::ya: return ya;
    case EnteredValue::xb: return xb;
    case EnteredValue::yb: return yb;
    case EnteredValue::startSideLength: return startSideLength;
    case EnteredValue::startSideNumber: return startSideNumber;
    case EnteredValue::Ta: return Ta;
    case EnteredValue::Qa: return Qa;
    default: break;
    }
    if (value < EnteredValue::b1) {
        return names[static_cast<std::size_t>(value) - static_cast<std::size_t>(EnteredValue::nameA)];
    }
    return angles[static_cast<std::size_t>(value) - static_cast<std::size_t>(EnteredValue::b1)];
}

// The value `steps` places after `first` in the order of EnteredValue: the stations P1..P3, the angles b(1)..b(8).
constexpr EnteredValue enteredAfter(EnteredValue first, int steps) {
    return static_cast<EnteredValue>(static_cast<int>(first) + steps);
}

}  // namespace morvalen
