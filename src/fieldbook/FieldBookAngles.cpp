#include "fieldbook/FieldBookAngles.h"

#include "entry/RunStopped.h"

namespace morvalen::fieldbook {

FieldBookAngles::FieldBookAngles(std::vector<Pointing> pointings, const analysis::DirectionMethodLimits& limits)
    : pointings_(std::move(pointings)), limits_(&limits), reduction_(reduceFieldBook(pointings_, limits)) {}

std::string FieldBookAngles::angle(const SurveyState& state, std::size_t k) {
    if (!used_ || k == 0) {
        std::array<std::string, 4> names;
        for (std::size_t i = 0; i < names.size() && i < state.pointNames.size(); ++i) names[i] = state.pointNames[i];
        try {
            used_.reset();
            used_ = reduceFieldBook(pointings_, *limits_, names);
        } catch (const FieldBookError& problem) {
            throw RunStopped(i18n::withArguments(i18n::translate("由观测手簿输入 b( %1 )"), {std::to_string(k + 1)}),
                             problem.what());
        }
    }
    return used_->angles[k];
}

}  // namespace morvalen::fieldbook
