#include "web/FileCalls.h"

#include "analysis/Analysis.h"
#include "files/ObservationFile.h"
#include "files/ResultExport.h"
#include "web/ObservationsPrompt.h"

namespace morvalen::web {
namespace {

nlohmann::ordered_json problem(const std::exception& reason) { return {{"problem", reason.what()}}; }

}  // namespace

nlohmann::ordered_json openObservations(const std::string& path) {
    try {
        const files::ObservationFileRows file = files::readObservationFile(path);
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < file.rows.size(); ++i) {
            nlohmann::ordered_json row = {{"id", file.columns.id(file.rows[i])}};
            try {
                const files::ObservationRow data = files::observationRow(file, i, path);
                nlohmann::ordered_json values = nlohmann::ordered_json::object();
                for (std::size_t k = 0; k < enteredValueCount; ++k) {
                    const auto value = static_cast<EnteredValue>(k);
                    values[std::string(keyOf(value))] = std::string(data.columns.cell(data.row, files::columnOf(value)));
                }
                row["observations"] = values;
            } catch (const files::ObservationFileError& reason) {
                row["problem"] = reason.what();
            }
            rows.push_back(row);
        }
        return {{"rows", rows}, {"notes", file.notes}};
    } catch (const files::ObservationFileError& reason) {
        return problem(reason);
    }
}

nlohmann::ordered_json saveObservations(const std::string& path, const Observations& observations,
                                        const std::string& id) {
    files::TypedValues values;
    for (std::size_t k = 0; k < enteredValueCount; ++k) {
        const auto value = static_cast<EnteredValue>(k);
        if (observations.asks(value)) values.value(files::columnOf(value)) = observations.text(value);
    }
    try {
        return {{"id", files::saveObservations(path, values, id)}};
    } catch (const files::ObservationFileError& reason) {
        return problem(reason);
    } catch (const files::FileNotWritten& reason) {
        return problem(reason);
    }
}

nlohmann::ordered_json exportResults(const std::string& path, const Observations& observations,
                                     const DocumentOptions& options) {
    ObservationsPrompt cells(observations);
    cli::TerminalPrompt prompt(cells, nullptr);
    const RunResult run = runDocument(prompt, options);
    const analysis::Analysis analysed = analysis::analyse(run.state, options.checks.standard());
    try {
        files::exportResults(run.state, path, analysed.precisionOrNull());
        return nlohmann::ordered_json::object();
    } catch (const files::NothingToExport& reason) {
        return problem(reason);
    } catch (const files::FileNotWritten& reason) {
        return problem(reason);
    }
}

}  // namespace morvalen::web
