#include "document/RigorousOutput.h"

#include <cmath>
#include <cstdlib>


namespace morvalen::document {
namespace {

using Json = nlohmann::ordered_json;

// To `decimals` places, never -0.
double rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale + 0.0;
}

// A whole text as a number, as the options read their numbers; none for an empty text or one with more after it.
std::optional<double> numberOf(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const long double value = std::strtold(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return static_cast<double>(value);
}

}  // namespace

std::optional<double> directionSigmaOf(const std::string& text) {
    const std::optional<double> seconds = numberOf(text);
    if (!seconds || !std::isfinite(*seconds) || *seconds <= 0) return std::nullopt;
    return seconds;
}

std::optional<std::pair<double, double>> distanceSigmaOf(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    const std::optional<double> a = numberOf(text.substr(0, comma));
    const std::optional<double> b = numberOf(text.substr(comma + 1));
    if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b) || *a < 0 || *b < 0 || *a + *b <= 0) return std::nullopt;
    return std::pair{*a, *b};
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

}  // namespace morvalen::document
