#include "app/LanguageMenu.h"

#include <QActionGroup>
#include <QMessageBox>
#include <QSettings>

#include "app/Translated.h"

namespace morvalen::app {
namespace {

constexpr const char* languageKey = "language";

// The program's settings, one file in the user's configuration folder: ~/.config/Morvalen/Morvalen.conf on Linux,
// %APPDATA%\Morvalen\Morvalen.ini on Windows. A file rather than the registry, because Qt opens a registry key for
// writing, and so creates it, as soon as a setting is read: every start of the window would leave keys that only an
// uninstaller that runs after the window's last start can take away. A file is made only when a language is chosen,
// and the uninstaller removes it.
QSettings settings() {
#ifdef Q_OS_WIN
    constexpr QSettings::Format format = QSettings::IniFormat;
#else
    constexpr QSettings::Format format = QSettings::NativeFormat;  // the same file format, named .conf
#endif
    return QSettings(format, QSettings::UserScope, QStringLiteral("Morvalen"), QStringLiteral("Morvalen"));
}

}  // namespace

std::optional<i18n::Language> windowLanguage(const std::optional<std::string>& argument,
                                             const std::optional<std::string>& saved, i18n::Language environment) {
    if (argument) return i18n::languageNamed(*argument);
    if (saved) {
        if (const auto language = i18n::languageNamed(*saved)) return language;
    }
    return environment;
}

std::optional<std::string> savedLanguage() {
    const QVariant value = settings().value(languageKey);
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

LanguageMenu::LanguageMenu(QWidget* window) : QMenu(translated("语言"), window), window_(window) {
    setObjectName(QStringLiteral("LanguageMenu"));
    auto* choices = new QActionGroup(this);
    // Each language is named in itself, so that a reader of either finds his own.
    for (const auto& [language, name] : {std::pair{i18n::Language::chinese, "中文"},
                                         std::pair{i18n::Language::english, "English"}}) {
        QAction* action = addAction(QString::fromUtf8(name));
        action->setCheckable(true);
        action->setChecked(language == i18n::currentLanguage());
        action->setEnabled(language == i18n::Language::chinese || i18n::englishAvailable());
        action->setObjectName(QString::fromUtf8(i18n::languageName(language).data()));
        choices->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { choose(language); });
    }
}

void LanguageMenu::choose(i18n::Language language) {
    const std::string_view name = i18n::languageName(language);
    settings().setValue(languageKey, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    const QString shown = language == i18n::Language::english ? QStringLiteral("English") : QStringLiteral("中文");
    QMessageBox::information(window_, translated("语言"), translated("下次启动时界面使用%1。", {shown}));
}

}  // namespace morvalen::app
