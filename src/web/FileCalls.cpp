#include "web/FileCalls.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "analysis/GradeTable.h"
#include "fieldbook/FieldBookAngles.h"
#include "fieldbook/FieldBookFile.h"
#include "files/AtomicFile.h"
#include "files/ObservationFile.h"
#include "i18n/Language.h"
#include "files/ResultExport.h"
#include "web/ObservationsPrompt.h"

namespace morvalen::web {
namespace {

nlohmann::ordered_json problem(const std::exception& reason) { return {{"problem", reason.what()}}; }

}  // namespace

nlohmann::ordered_json openObservations(const std::string& path, std::size_t first, std::size_t count,
                                        const std::function<void(int percent)>& progress) {
    // The file read for the parts still to come: a part after the first takes its rows from here. It is known by its
    // whole path: the page names a file relative to the folder it is in.
    static std::optional<std::pair<std::filesystem::path, files::ObservationFileRows>> kept;
    const std::filesystem::path whole = std::filesystem::absolute(files::pathOf(path));
    try {
        if (first == 0 || !kept || kept->first != whole) {
            kept.reset();
            int told = -1;
            const auto tell = [&](double share) {
                const int percent = static_cast<int>(100 * share);
                if (progress && percent > told) progress(told = percent);
            };
            kept.emplace(whole, files::readObservationFile(path, tell));
        }
        const files::ObservationFileRows& file = kept->second;
        const std::size_t end = std::min(file.rows.size(), first + std::min(count, file.rows.size()));
        nlohmann::ordered_json keys = nlohmann::ordered_json::array();
        for (std::size_t k = 0; k < enteredValueCount; ++k) keys.push_back(std::string(keyOf(static_cast<EnteredValue>(k))));
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (std::size_t i = first; i < end; ++i) {
            nlohmann::ordered_json row = {{"id", file.columns.id(file.rows[i])}};
            try {
                const files::ObservationRow data = files::observationRow(file, i, path);
                const Observations observations = data.columns.observations(data.row);
                nlohmann::ordered_json values = nlohmann::ordered_json::array();
                values.get_ref<nlohmann::ordered_json::array_t&>().reserve(enteredValueCount);
                for (std::size_t k = 0; k < enteredValueCount; ++k) {
                    values.push_back(observations.text(static_cast<EnteredValue>(k)));
                }
                row["values"] = std::move(values);
            } catch (const files::ObservationFileError& reason) {
                row["problem"] = reason.what();
            }
            rows.push_back(std::move(row));
        }
        nlohmann::ordered_json answer = nlohmann::ordered_json::object();
        answer["keys"] = std::move(keys);
        answer["rows"] = std::move(rows);  // moved, not copied: a part can be large
        answer["total"] = file.rows.size();
        answer["notes"] = file.notes;
        if (end == file.rows.size() || count == 0) kept.reset();  // no part follows
        return answer;
    } catch (const files::ObservationFileError& reason) {
        kept.reset();
        return problem(reason);
    }
}

nlohmann::ordered_json openFieldBook(const std::string& path, const Observations& observations) {
    try {
        fieldbook::FieldBookAngles book(fieldbook::readFieldBook(path), *analysis::findDirectionMethodLimits("2"));
        Observations filled = observations;
        const bool named = !observations.names[0].empty();
        if (!named) {
            // The stations in the order the book names them: A, P1, P2 and the fourth station, B or P3.
            const auto& quadrilateral = book.reduction().quadrilateral;
            filled.names[0] = quadrilateral[0];
            filled.names[1] = quadrilateral[1];
            filled.names[2] = quadrilateral[2];
            const bool azimuthCase = observations.runCase() == RunCase::azimuth;
            filled.names[3] = azimuthCase ? quadrilateral[3] : std::string();
            filled.names[4] = azimuthCase ? quadrilateral[0] : quadrilateral[3];
        }
        for (std::size_t k = 0; k < filled.angles.size(); ++k) filled.angles[k] = book.angle(filled, k);
        nlohmann::ordered_json values = nlohmann::ordered_json::object();
        for (std::size_t k = 0; k < enteredValueCount; ++k) {
            const auto value = static_cast<EnteredValue>(k);
            values[std::string(keyOf(value))] = filled.text(value);
        }
        return {{"observations", values}};
    } catch (const fieldbook::FieldBookError& reason) {
        return {{"problem", i18n::withArguments(i18n::translate("观测手簿 %1 无法归算：%2"),
                                                {files::shownPath(path), reason.what()})}};
    } catch (const RunStopped& reason) {
        return problem(reason);
    }
}

nlohmann::ordered_json saveObservations(const std::string& path, const Observations& observations,
                                        const std::string& id) {
    // The values the case asks, as the dialogue would have kept them.
    Observations values;
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        if (observations.asks(value)) values.text(value) = observations.text(value);
    }
    try {
        return {{"id", files::saveObservations(path, values, id)}};
    } catch (const files::ObservationFileError& reason) {
        return problem(reason);
    } catch (const files::FileNotWritten& reason) {
        return problem(reason);
    }
}

nlohmann::ordered_json exportResults(const std::string& path, const PageRun& run) {
    try {
        files::exportResults(run.record.state, path, run.analysed.precisionOrNull());
        return nlohmann::ordered_json::object();
    } catch (const files::NothingToExport& reason) {
        return problem(reason);
    } catch (const files::FileNotWritten& reason) {
        return problem(reason);
    }
}

}  // namespace morvalen::web
