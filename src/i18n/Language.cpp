#include "i18n/Language.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#ifdef MORVALEN_WITH_NLS
#include <libintl.h>
#elif defined(MORVALEN_WITH_CATALOGUE_FILE)
#include "i18n/MessageCatalogue.h"
#endif

namespace morvalen::i18n {
namespace {

constexpr const char* textDomain = "morvalen";
Language chosen = Language::chinese;
#ifdef MORVALEN_WITH_CATALOGUE_FILE
// The English catalogue, read once English is chosen; none where it could not be read.
std::optional<MessageCatalogue> englishCatalogue;
#endif

// The program's own file, whatever folder it was started from and by whatever name: /proc/self/exe on Linux; on
// Windows the file the system loaded, since argv[0] there may be a bare name found through PATH, lack ".exe" or be
// in the local code page; the path it was started by where neither answers (the browser).
[[maybe_unused]] std::filesystem::path programFile(const std::filesystem::path& programPath) {
#ifdef _WIN32
    std::wstring file(MAX_PATH, L'\0');
    while (const DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()))) {
        if (length < file.size()) return std::filesystem::path(file.substr(0, length));
        file.resize(file.size() * 2);  // cut short: the path is longer than the buffer
    }
#endif
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) program = std::filesystem::weakly_canonical(programPath, error);
    return program;
}

// The folder of the catalogues of the installed program, <prefix>/share/locale beside bin/.
[[maybe_unused]] std::filesystem::path cataloguesFolder(const std::filesystem::path& programPath) {
    return programFile(programPath).parent_path().parent_path() / "share" / "locale";
}

// The English of a catalogue key; null where the catalogue has none.
[[maybe_unused]] const char* englishOf(const char* key) {
#ifdef MORVALEN_WITH_NLS
    // Not found, dgettext gives its key back.
    const char* english = dgettext(textDomain, key);
    return english == key || std::strcmp(english, key) == 0 ? nullptr : english;
#elif defined(MORVALEN_WITH_CATALOGUE_FILE)
    return englishCatalogue ? englishCatalogue->find(key) : nullptr;
#else
    (void)key;
    return nullptr;
#endif
}

}  // namespace

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "zh") return Language::chinese;
    if (name == "en") return Language::english;
    return std::nullopt;
}

std::string_view languageName(Language language) { return language == Language::english ? "en" : "zh"; }

Language languageOfEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') continue;
        const std::string_view locale(value);
        const bool english = locale == "en" || locale.starts_with("en_") || locale.starts_with("en.") ||
                             locale.starts_with("en@");
        return english ? Language::english : Language::chinese;
    }
    return Language::chinese;
}

std::optional<std::string> languageArgument(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--") break;
        if (argument == "--lang") return i + 1 < argc ? std::string(argv[i + 1]) : std::string();
        if (argument.starts_with("--lang=")) return std::string(argument.substr(7));
    }
    return std::nullopt;
}

bool englishAvailable() {
#if defined(MORVALEN_WITH_NLS) || defined(MORVALEN_WITH_CATALOGUE_FILE)
    return true;
#else
    return false;
#endif
}

void useLanguage(Language language, const std::filesystem::path& programPath) {
    chosen = language;
#ifdef MORVALEN_WITH_NLS
    if (language != Language::english) return;
    // gettext follows LANGUAGE only where the messages' locale is not plain C; C.UTF-8 is always there in glibc.
    // Only the messages' category is set: numbers keep the C locale's decimal point.
    const char* messages = std::setlocale(LC_MESSAGES, "");
    if (messages == nullptr || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0)
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    setenv("LANGUAGE", "en", 1);
    bindtextdomain(textDomain, cataloguesFolder(programPath).string().c_str());
    bind_textdomain_codeset(textDomain, "UTF-8");
#elif defined(MORVALEN_WITH_CATALOGUE_FILE)
    if (language == Language::english && !englishCatalogue) {
        // Under <prefix>/share/locale, or under share/locale beside the program where it is installed in a folder
        // of its own (as the Windows installer installs it).
        const std::filesystem::path catalogue =
            std::filesystem::path("en") / "LC_MESSAGES" / (std::string(textDomain) + ".mo");
        englishCatalogue = MessageCatalogue::read(cataloguesFolder(programPath) / catalogue);
        if (!englishCatalogue) {
            englishCatalogue =
                MessageCatalogue::read(programFile(programPath).parent_path() / "share" / "locale" / catalogue);
        }
    }
#else
    (void)programPath;
#endif
}

Language currentLanguage() { return chosen; }

const char* translate(const char* chinese) {
    if (chosen != Language::english) return chinese;
    const char* english = englishOf(chinese);
    return english ? english : chinese;
}

const char* translateCaption(const char* chinese) {
    if (chosen != Language::english) return chinese;
    // gettext's key of a text in a context: the context, EOT, the text.
    const std::string key = std::string("caption\004") + chinese;
    const char* english = englishOf(key.c_str());
    return english ? english : translate(chinese);
}

std::string withArguments(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    return withArguments(pattern, std::vector<std::string_view>(arguments));
}

std::string withArguments(std::string_view pattern, const std::vector<std::string_view>& values) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == '%') {
            text += '%';
            ++i;
        } else if (pattern[i] == '%' && next >= '1' && next <= '9' &&
                   static_cast<std::size_t>(next - '1') < values.size()) {
            text += values[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace morvalen::i18n
