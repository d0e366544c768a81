#include "cli/RigorousOutput.h"

#include <cmath>
#include <iostream>

#include "i18n/Language.h"

namespace morvalen::cli {
namespace {

using Json = nlohmann::ordered_json;

// To `decimals` places, never -0.
double rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale + 0.0;
}

// "a,b" as two non-negative numbers, not both zero; none otherwise.
std::optional<std::pair<double, double>> distanceSigmaOf(const std::string& text) {
    const std::size_t comma = text.find(',');
    double a = 0, b = 0;
    if (comma == std::string::npos || !CLI::detail::lexical_cast(text.substr(0, comma), a) ||
        !CLI::detail::lexical_cast(text.substr(comma + 1), b) || !std::isfinite(a) || !std::isfinite(b) || a < 0 ||
        b < 0 || a + b <= 0) {
        return std::nullopt;
    }
    return std::pair{a, b};
}

}  // namespace

void addRigorousOptions(CLI::App& app, RigorousOptions& options, CLI::Option* fieldBook) {
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
                return distanceSigmaOf(text) ? std::string()
                                             : i18n::withArguments(i18n::translate("测距中误差应为 A,B 两个非负数：%1"), {text});
            },
            "A,B"))
        ->needs(rigorous);
}

rigorous::ObservationSigmas observationSigmasOf(const RigorousOptions& options, const fieldbook::FieldBookReduction& reduction) {
    rigorous::ObservationSigmas sigmas = rigorous::defaultSigmas(reduction);
    if (options.directionSigmaSeconds) sigmas.directionSeconds = *options.directionSigmaSeconds;
    if (const auto distance = distanceSigmaOf(options.distanceSigma)) {
        sigmas.distanceMillimetres = distance->first;
        sigmas.distancePpm = distance->second;
    }
    return sigmas;
}

std::optional<rigorous::RigorousRun> rigorousOf(const RigorousOptions& options, const SurveyState& state,
                                                const fieldbook::FieldBookReduction* reduction) {
    if (!options.asked) return std::nullopt;
    if (!reduction) {
        std::cerr << i18n::translate("严密平差没有进行：观测手簿没有给出这次计算的角") << '\n';
        return std::nullopt;
    }
    const rigorous::ObservationSigmas sigmas = observationSigmasOf(options, *reduction);
    try {
        return rigorous::rigorousRun(state, *reduction, sigmas);
    } catch (const rigorous::RigorousError& problem) {
        std::cerr << i18n::withArguments(i18n::translate("严密平差没有进行：%1"), {problem.what()}) << '\n';
        return std::nullopt;
    }
}

Json rigorousJson(const std::optional<rigorous::RigorousRun>& run) {
    if (!run) return nullptr;
    const rigorous::RigorousAdjustment& adjustment = run->adjustment;
    Json stations = Json::array();
    for (const rigorous::AdjustedStation& station : adjustment.stations) {
        stations.push_back({{"name", station.name}, {"x", rounded(station.x, 5)}, {"y", rounded(station.y, 5)},
                            {"sx_mm", rounded(station.sxMillimetres, 2)}, {"sy_mm", rounded(station.syMillimetres, 2)},
                            {"fixed", station.fixed}});
    }
    Json observations = Json::array();
    for (const rigorous::AdjustedObservation& observation : adjustment.observations) {
        const rigorous::Observation& observed = observation.observed;
        observations.push_back(
            {{"kind", observed.kind == rigorous::ObservationKind::direction ? "direction" : "distance"},
             {"station", run->network.names[static_cast<std::size_t>(observed.station)]},
             {"target", run->network.names[static_cast<std::size_t>(observed.target)]},
             {"round", observed.round},
             {"residual", rounded(observation.residual, 2)},
             {"redundancy", rounded(observation.redundancy, 3)},
             {"w", observation.w ? Json(rounded(*observation.w, 2)) : Json(nullptr)}});
    }
    Json differences = Json::array();
    for (const rigorous::StationDifference& difference : run->differences) {
        differences.push_back({{"name", difference.name}, {"dx", rounded(difference.dx, 1)}, {"dy", rounded(difference.dy, 1)}});
    }
    return {{"stations", stations},
            {"sigma0", adjustment.sigma0 ? Json(rounded(*adjustment.sigma0, 3)) : Json(nullptr)},
            {"dof", adjustment.dof},
            {"global_test", adjustment.globalTest ? Json(adjustment.globalTest->passes) : Json(nullptr)},
            {"observations", observations},
            {"differences_mm", differences}};
}

}  // namespace morvalen::cli
