#include "cli/CheckOptions.h"

#include <cmath>

#include "i18n/Language.h"

namespace morvalen::cli {

CLI::Option* addGradeOption(CLI::App& command, std::string& gradeName, const std::string& description) {
    // The Chinese names are taken in either language, as a surveyor's field book writes them; the help and a refusal
    // list the names of the interface language.
    std::string listed;
    for (const analysis::Grade& grade : analysis::grades()) listed += (listed.empty() ? "" : " ") + document::gradeOptionName(grade);
    const CLI::Validator gradeValues(
        [listed](std::string& text) {
            return document::gradeNamed(text) ? std::string()
                                    : i18n::withArguments(i18n::translate("没有等级 %1；可用的等级：%2"), {text, listed});
        },
        "{" + listed + "}");
    return command.add_option("--grade", gradeName, description)->check(gradeValues)->type_name("NAME");
}

void addCheckOptions(CLI::App& command, document::CheckOptions& options) {
    CLI::Option* grade = addGradeOption(command, options.gradeName,
                                        i18n::translate("按等级检核闭合差与精度（GB 50026-2020：二等 三等 四等 一级 二级；"
                                                        "GB/T 17942-2000：国家一等 国家二等 国家三等 国家四等）"));
    const CLI::Validator positiveSeconds(
        [](std::string& text) -> std::string {
            double value = 0;
            if (!CLI::detail::lexical_cast(text, value) || !std::isfinite(value) || !(value > 0)) {
                return i18n::withArguments(i18n::translate("测角中误差 σ 须为正数（秒）：%1"), {text});
            }
            return {};
        },
        "SECONDS");
    CLI::Option* sigma =
        command.add_option("--sigma", options.sigmaSeconds, i18n::translate("按自定的测角中误差 σ（秒）检核闭合差与观测角"))
            ->check(positiveSeconds)
            ->type_name("S");
    grade->excludes(sigma);
}

}  // namespace morvalen::cli
