#include "i18n/Language.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// The folder of the catalogues of the installed program, <prefix>/share/locale beside bin/, found from the program's
// own file, whatever folder it was started from; the path it was started by where there is no /proc.
[[maybe_unused]] std::filesystem::path cataloguesFolder(const std::filesystem::path& programPath) {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) program = std::filesystem::weakly_canonical(programPath, error);
    return program.parent_path().parent_path() / "share" / "locale";
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
        englishCatalogue = MessageCatalogue::read(cataloguesFolder(programPath) / "en" / "LC_MESSAGES" /
                                                  (std::string(textDomain) + ".mo"));
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
