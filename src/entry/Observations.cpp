#include "entry/Observations.h"

#include <utility>

namespace morvalen {

std::string& Observations::text(EnteredValue value) {
    return const_cast<std::string&>(std::as_const(*this).text(value));
}

const std::string& Observations::text(EnteredValue value) const {
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

RunCase Observations::runCase() const { return morvalen::runCase(EntryValue::text(xb), EntryValue::text(yb)); }

bool Observations::asks(EnteredValue value, RunCase kind) {
    switch (value) {
    case EnteredValue::startSideLength:
    case EnteredValue::startSideNumber:
    case EnteredValue::Ta:
    case EnteredValue::Qa:
    case EnteredValue::nameP3: return kind == RunCase::azimuth;
    default: return true;
    }
}

bool Observations::empty() const {
    for (std::size_t v = 0; v < enteredValueCount; ++v) {
        if (!text(static_cast<EnteredValue>(v)).empty()) return false;
    }
    return true;
}

}  // namespace morvalen
