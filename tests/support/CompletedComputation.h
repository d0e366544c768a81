// A computation carried out by the real compute command on given angles, for the tests of what follows it.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "command/ComputeCommand.h"
#include "command/RunRecord.h"
#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

namespace morvalen::testing {

// Decimal degrees as typed dd.mmss, seconds to four decimals, carried so that no 60 appears.
inline std::string packedAngle(double degrees) {
    const long long units = std::llround(degrees * 3600 * 10000);  // ten-thousandths of a second
    const long long perDegree = 3600LL * 10000, perMinute = 60LL * 10000;
    char text[40];
    std::snprintf(text, sizeof text, "%lld.%02lld%06lld", units / perDegree, units % perDegree / perMinute,
                  units % perMinute);
    return text;
}

inline std::vector<std::string> packedAngles(const std::array<double, 9>& degrees) {
    std::vector<std::string> texts;
    for (std::size_t k = 1; k <= 8; ++k) texts.push_back(packedAngle(degrees[k]));
    return texts;
}

// The known-side case of the worked example's coordinates with the given typed angles, as the run recorded it;
// `stopped` tells whether the run stopped.
inline RunRecord computeKnownSideRun(const std::vector<std::string>& angleTexts, bool* stopped = nullptr) {
    RunRecord record;
    FieldModel fields;
    ScriptedPrompt prompt(confirmedEach(knownSideCoordinates) + confirmedEach(knownSideNames) +
                          confirmedEach(angleTexts));
    bool stop = false;
    try {
        runComputeCommand(prompt, fields, record);
    } catch (const RunStopped&) {
        stop = true;
    }
    if (stopped) *stopped = stop;
    return record;
}

// The survey state of the same run.
inline SurveyState computeKnownSide(const std::vector<std::string>& angleTexts, bool* stopped = nullptr) {
    return computeKnownSideRun(angleTexts, stopped).state;
}

}  // namespace morvalen::testing
