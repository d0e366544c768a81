#include "fieldbook/FieldBookAngles.h"

#include "entry/RunStopped.h"

namespace morvalen::fieldbook {

FieldBookAngles::FieldBookAngles(std::vector<Pointing> pointings, const analysis::DirectionMethodLimits& limits)
    : pointings_(std::move(pointings)), limits_(&limits), reduction_(reduceFieldBook(pointings_, limits)) {}

std::string FieldBookAngles::angle(const Observations& typed, std::size_t k) {
    if (!used_ || k == 0) {
        const std::string& fourth = typed.runCase() == RunCase::azimuth ? typed.names[3] : typed.names[4];
        const std::array<std::string, 4> names = {typed.names[0], typed.names[1], typed.names[2], fourth};
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
