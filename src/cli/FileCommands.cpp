#include "cli/FileCommands.h"

#include <iostream>

#include "files/ObservationFile.h"
#include "files/ResultExport.h"
#include "i18n/Language.h"

namespace morvalen::cli {

ExitStatus saveRunObservations(const Observations& values, const std::string& path, const std::string& id) {
    if (values.empty()) {
        std::cerr << i18n::translate("没有保存观测数据：还没有输入过观测值。") << '\n';
        return ExitStatus::notWritten;
    }
    return savingObservations([&] {
        files::saveObservations(path, values, id);
        return ExitStatus::completed;
    });
}

ExitStatus savingObservations(const std::function<ExitStatus()>& save) {
    try {
        return save();
    } catch (const files::ObservationFileError& problem) {
        std::cerr << i18n::withArguments(i18n::translate("没有保存观测数据：%1"), {problem.what()}) << '\n';
        return ExitStatus::fileProblem;
    } catch (const files::FileNotWritten& failure) {
        std::cerr << i18n::withArguments(i18n::translate("没有保存观测数据：%1"), {failure.what()}) << '\n';
        return ExitStatus::notWritten;
    }
}

ExitStatus exportRunResults(const SurveyState& state, const std::string& path,
                            const analysis::NetworkPrecision* precision) {
    try {
        files::exportResults(state, path, precision);
        return ExitStatus::completed;
    } catch (const files::NothingToExport& refused) {
        std::cerr << refused.what() << '\n';
        return ExitStatus::stopped;
    } catch (const files::FileNotWritten& failure) {
        std::cerr << failure.what() << '\n';
        return ExitStatus::notWritten;
    }
}

}  // namespace morvalen::cli
