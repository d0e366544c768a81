// The functions the page calls: one request in, one JSON document out.
#include <emscripten/emscripten.h>

#include <nlohmann/json.hpp>
#include <string>

#include "command/RunRecord.h"
#include "entry/FieldModel.h"
#include "i18n/Language.h"

namespace {

using namespace morvalen;
using nlohmann::ordered_json;

// The catalogue lies where the page puts it, beside /bin in the browser's file system.
constexpr const char* programPath = "/bin/morvalen";

void useLanguageNamed(const std::string& name) {
    const i18n::Language language = i18n::languageNamed(name).value_or(i18n::Language::chinese);
    i18n::useLanguage(language, programPath);
}

ordered_json handle(const ordered_json& request) {
    useLanguageNamed(request.value("lang", "zh"));
    const std::string call = request.value("call", "");
    return {{"error", "unknown call: " + call}};
}

}  // namespace

extern "C" {

// The answer to one request, as JSON text; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* morvalen_call(const char* requestText) {
    static std::string answer;
    try {
        answer = handle(ordered_json::parse(requestText)).dump();
    } catch (const std::exception& failure) {
        answer = ordered_json{{"error", failure.what()}}.dump();
    }
    return answer.c_str();
}
}
