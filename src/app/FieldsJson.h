// The window's texts as one JSON document, for comparing one build of the window with another (morvalen
// --fields-json FILE writes it when the window closes).
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace morvalen::app {

// {"fields": {"Text1": "1000", "Text7_3": …}, "captions": {"Label18_0": …}, "table": {"xa": {"text": "1000",
// "problem": null}, …}}: the text of every field (QLineEdit) and the caption of every label under `window`, by object
// name, names in sorted order, greyed fields included as they show; then the observation table's cells by the
// column names of an observation file (xa … b8), each with its text and its problem (null when it has none), the
// table's own cells and captions left out of "fields" and "captions".
std::string fieldsJson(const QWidget& window);

// Writes fieldsJson(window) to `path` through the project's file writer. Throws files::FileNotWritten.
void writeFieldsJson(const QWidget& window, const QString& path);

}  // namespace morvalen::app
