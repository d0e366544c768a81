#include "app/FieldsJson.h"

#include <QLabel>
#include <QLineEdit>
#include <map>
#include <nlohmann/json.hpp>

#include "app/ObservationTablePanel.h"
#include "entry/ObservationChecks.h"
#include "files/AtomicFile.h"

namespace morvalen::app {

namespace {

// Text by object name for every named child of type T outside the observation table; std::map keeps the names
// sorted.
template <typename T, typename TextOf>
nlohmann::ordered_json textsByName(const QWidget& window, TextOf textOf) {
    const auto* table = window.findChild<const ObservationTablePanel*>();
    std::map<std::string, std::string> texts;
    for (const T* child : window.findChildren<T*>()) {
        if (child->objectName().isEmpty() || (table && table->isAncestorOf(child))) continue;
        texts[child->objectName().toStdString()] = textOf(*child).toStdString();
    }
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const auto& [name, text] : texts) object[name] = text;
    return object;
}

}  // namespace

std::string fieldsJson(const QWidget& window) {
    nlohmann::ordered_json document;
    document["fields"] = textsByName<QLineEdit>(window, [](const QLineEdit& field) { return field.text(); });
    document["captions"] = textsByName<QLabel>(window, [](const QLabel& label) { return label.text(); });
    if (const auto* table = window.findChild<const ObservationTablePanel*>()) {
        const Observations& observations = table->observations();
        nlohmann::ordered_json cells = nlohmann::ordered_json::object();
        for (std::size_t k = 0; k < enteredValueCount; ++k) {
            const auto value = static_cast<EnteredValue>(k);
            const auto problem = valueProblem(observations, value);
            cells[columnName(value).toStdString()] = {
                {"text", observations.text(value)},
                {"problem", problem ? nlohmann::ordered_json(*problem) : nlohmann::ordered_json(nullptr)}};
        }
        document["table"] = std::move(cells);
    }
    // The fields show results that were not computed from the table's values now (MainWindow::resultsStale).
    document["stale"] = window.property("resultsStale").toBool();
    return document.dump(2) + '\n';
}

void writeFieldsJson(const QWidget& window, const QString& path) {
    files::writeBytes(std::filesystem::path(path.toStdU16String()), fieldsJson(window));
}

}  // namespace morvalen::app
