#include "entry/RunStopped.h"

#include "entry/Utf8.h"

namespace morvalen {

std::string quoted(const std::string& typed) { return "\"" + shortenedUtf8(typed, 40) + "\""; }

}  // namespace morvalen
