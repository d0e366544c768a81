// The language of the window: chosen at start from --lang, the choice saved by the menu 语言, or the locale; the
// menu 语言 saves a choice for the next start.
#pragma once

#include <QMenu>
#include <optional>
#include <string>

#include "i18n/Language.h"

namespace morvalen::app {

// The value of --lang when it is given, else the saved choice when it names a language, else the locale's language.
// Nothing when --lang names no language.
std::optional<i18n::Language> windowLanguage(const std::optional<std::string>& argument,
                                             const std::optional<std::string>& saved, i18n::Language environment);

// The language saved by the menu 语言 ("zh" or "en"), nothing when none was saved.
std::optional<std::string> savedLanguage();

// 中文 and English; choosing one saves it for the next start and says so, since the open windows keep their texts.
class LanguageMenu : public QMenu {
    Q_OBJECT

public:
    explicit LanguageMenu(QWidget* window);

private:
    void choose(i18n::Language language);

    QWidget* window_;
};

}  // namespace morvalen::app
