#include "entry/Observations.h"

namespace morvalen {

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
