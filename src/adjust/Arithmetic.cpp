#include "adjust/Arithmetic.h"

#include "entry/RunStopped.h"

namespace morvalen {

void CheckedStep::stop(const std::string& cause) const { throw RunStopped(i18n::translate(step_), cause); }

void CheckedStep::notFinite(bool invalidOperation, const std::string& what) const {
    stop(i18n::withArguments(invalidOperation ? i18n::translate("%1 是无效运算的结果") : i18n::translate("%1 数值溢出"),
                             {what}));
}

}  // namespace morvalen
