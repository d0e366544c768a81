#include <gtest/gtest.h>

#include <cstdlib>

#include "i18n/Language.h"

namespace morvalen::i18n {
namespace {

void setVariable(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

TEST(Language, WithArgumentsPlacesEachValueByItsNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"第 %1 行：%2", "第 12 行：缺少目标"},
        {"%2 for %1", "缺少目标 for 12"},  // a translation may turn the order round
        {"B%1 的数值 B%1", "B12 的数值 B12"},
        {"100%% of %1", "100% of 12"},
        {"%3 has no value", "%3 has no value"},  // a number beyond the values stays as written
        {"ends in %", "ends in %"},
        {"", ""},
    };
    for (const auto& [pattern, expected] : cases) EXPECT_EQ(withArguments(pattern, {"12", "缺少目标"}), expected) << pattern;
}

TEST(Language, EnvironmentChoosesEnglishOnlyForAnEnglishLocale) {
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        Language expected;
    };
    const Case cases[] = {
        {"", "", "en_GB.UTF-8", Language::english},
        {"", "", "en", Language::english},
        {"", "", "en@quot", Language::english},
        {"", "", "zh_CN.UTF-8", Language::chinese},
        {"", "", "C", Language::chinese},
        {"", "", "eng", Language::chinese},
        {"", "", "", Language::chinese},
        {"zh_CN.UTF-8", "", "en_US.UTF-8", Language::chinese},  // LC_ALL first
        {"", "en_US.UTF-8", "zh_CN.UTF-8", Language::english},  // then LC_MESSAGES
    };
    for (const Case& c : cases) {
        setVariable("LC_ALL", c.all);
        setVariable("LC_MESSAGES", c.messages);
        setVariable("LANG", c.lang);
        EXPECT_EQ(languageOfEnvironment(), c.expected) << c.all << "|" << c.messages << "|" << c.lang;
    }
}

TEST(Language, ArgumentIsFoundAfterASubcommandAndNotAfterTheEndOfOptions) {
    const char* afterSubcommand[] = {"morvalen-cli", "batch", "--lang", "en", "x.csv"};
    EXPECT_EQ(languageArgument(5, afterSubcommand), "en");
    const char* joined[] = {"morvalen-cli", "reduce", "--lang=zh"};
    EXPECT_EQ(languageArgument(3, joined), "zh");
    const char* lastWithoutValue[] = {"morvalen-cli", "--lang"};
    EXPECT_EQ(languageArgument(2, lastWithoutValue), "");
    const char* afterEnd[] = {"morvalen-cli", "--", "--lang", "en"};
    EXPECT_EQ(languageArgument(4, afterEnd), std::nullopt);
}

}  // namespace
}  // namespace morvalen::i18n
