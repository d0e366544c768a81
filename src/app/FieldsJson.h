// The window's texts as one JSON document, for comparing one build of the window with another (morvalen
// --fields-json FILE writes it when the window closes).
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace morvalen::app {

// {"fields": {"Text1": "1000", "Text7_3": …}, "captions": {"Label18_0": …}}: the text of every field (QLineEdit)
// and the caption of every label under `window`, by object name, names in sorted order. Greyed fields are included
// as they show.
std::string fieldsJson(const QWidget& window);

// Writes fieldsJson(window) to `path` through the project's file writer. Throws files::FileNotWritten.
void writeFieldsJson(const QWidget& window, const QString& path);

}  // namespace morvalen::app
