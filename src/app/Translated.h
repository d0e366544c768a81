// The window's texts in the language of the interface (i18n/Language.h): the Chinese text as the code writes it, or
// its English from the message catalogue, as a QString.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/Language.h"

namespace morvalen::app {

inline QString translated(const char* chinese) { return QString::fromUtf8(i18n::translate(chinese)); }
inline QString translatedCaption(const char* chinese) { return QString::fromUtf8(i18n::translateCaption(chinese)); }

// A text with values: the whole pattern is translated, then %1 … %9 are replaced by the values, so that a
// translation may put them where its own language wants them.
inline QString translated(const char* pattern, const QStringList& values) {
    std::vector<std::string> texts;
    for (const QString& value : values) texts.push_back(value.toStdString());
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    return QString::fromStdString(i18n::withArguments(i18n::translate(pattern), views));
}

}  // namespace morvalen::app
