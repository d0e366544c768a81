#include "cli/RigorousOptions.h"

#include <iostream>

#include "i18n/Language.h"

namespace morvalen::cli {

void addRigorousOptions(CLI::App& app, document::RigorousOptions& options, CLI::Option* fieldBook) {
    CLI::Option* rigorous = app.add_flag("--rigorous", options.asked,
                                         i18n::translate("由观测手簿的方向与距离作严密平差（间接平差），与经典平差并列给出"));
    if (fieldBook) rigorous->needs(fieldBook);
    app.add_option("--sigma-direction", options.directionSigmaSeconds,
                   i18n::translate("严密平差中一测回方向的先验中误差（秒；缺省：限差表所用仪器等级）"))
        ->type_name("SEC")
        ->check(CLI::PositiveNumber)
        ->needs(rigorous);
    app.add_option("--distance-sigma", options.distanceSigma, i18n::translate("严密平差中测距的先验中误差 a 毫米 + b ppm（缺省 2,2）"))
        ->type_name("A,B")
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                return document::distanceSigmaOf(text) ? std::string()
                                             : i18n::withArguments(i18n::translate("测距中误差应为 A,B 两个非负数：%1"), {text});
            },
            "A,B"))
        ->needs(rigorous);
}

std::optional<rigorous::RigorousRun> rigorousOf(const document::RigorousOptions& options, const SurveyState& state,
                                                const fieldbook::FieldBookReduction* reduction) {
    if (!options.asked) return std::nullopt;
    if (!reduction) {
        std::cerr << i18n::translate("严密平差没有进行：观测手簿没有给出这次计算的角") << '\n';
        return std::nullopt;
    }
    const rigorous::ObservationSigmas sigmas = document::observationSigmasOf(options, *reduction);
    try {
        return rigorous::rigorousRun(state, *reduction, sigmas);
    } catch (const rigorous::RigorousError& problem) {
        std::cerr << i18n::withArguments(i18n::translate("严密平差没有进行：%1"), {problem.what()}) << '\n';
        return std::nullopt;
    }
}

}  // namespace morvalen::cli
