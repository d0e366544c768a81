#include "adjust/Arithmetic.h"

#include "entry/RunStopped.h"

namespace morvalen {

void CheckedStep::stop(const std::string& cause) const { throw RunStopped(step_, cause); }

void CheckedStep::notFinite(bool invalidOperation, const std::string& what) const {
    stop(what + (invalidOperation ? " 是无效运算的结果" : " 数值溢出"));
}

}  // namespace morvalen
