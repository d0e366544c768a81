// The language of every text a person reads: Chinese, the program's own, or English.
//
// The texts are written in Chinese in the code, and the Chinese text is the key of its translation in the message
// catalogue (GNU gettext, compiled from po/en/*.po at build time). In Chinese, `translate` gives back its argument
// itself without looking anything up, so the Chinese output is the code's own literal, byte for byte.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvalen::i18n {

enum class Language { chinese, english };

// "zh" or "en", the values of --lang; nothing for any other value.
std::optional<Language> languageNamed(std::string_view name);
std::string_view languageName(Language language);

// The language of the locale environment, as gettext reads it: the first of LC_ALL, LC_MESSAGES and LANG that is
// set and not empty. English for a locale of the English language (en, en_GB.UTF-8, ...), Chinese for any other.
Language languageOfEnvironment();

// The value of --lang among a program's arguments ("--lang en" or "--lang=en"), read before the command line is
// parsed, because the help texts are already in the chosen language. Nothing when --lang is absent; the text
// itself when it is there, so that a wrong value is reported by the parser.
std::optional<std::string> languageArgument(int argc, const char* const argv[]);

// Whether this build has the English catalogue machinery (GNU gettext); a build without it is Chinese only.
bool englishAvailable();

// Chooses the language of the texts from now on; English needs the catalogue of the installed program
// (<prefix>/share/locale/en/LC_MESSAGES/morvalen.mo, beside bin/ in the build tree too), found from the program's
// own path. Call it once, before the first text is made. Without the catalogue the texts stay Chinese.
void useLanguage(Language language, const std::filesystem::path& programPath);
Language currentLanguage();

// The text in the current language; `chinese` is the text as the code writes it.
const char* translate(const char* chinese);

// The text as a caption: where a box leaves no room for the words the rest of the program uses, the catalogue has a
// shorter English under the context "caption" (msgctxt); the Chinese is the same either way.
const char* translateCaption(const char* chinese);

// Marks a text of a table for the catalogue where it is written; it is translated where it is shown.
constexpr const char* catalogued(const char* chinese) { return chinese; }

// The pattern with %1 … %9 replaced by the arguments, in the order their numbers give; a translation may put them in
// another order than the Chinese. "%%" is a percent sign.
std::string withArguments(std::string_view pattern, std::initializer_list<std::string_view> arguments);
std::string withArguments(std::string_view pattern, const std::vector<std::string_view>& arguments);

}  // namespace morvalen::i18n
