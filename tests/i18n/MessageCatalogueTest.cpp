// The catalogue read without libintl gives the browser build the same English as gettext gives the native one.
#include <gtest/gtest.h>

#include <cstring>

#include "entry/FieldModel.h"
#include "entry/ObservationEntry.h"
#include "entry/RunStopped.h"
#include "i18n/Language.h"
#include "i18n/MessageCatalogue.h"
#include "support/ScriptedPrompt.h"

namespace morvalen::i18n {
namespace {

// translate goes through gettext on Linux and through this reader elsewhere; either finds the catalogue from the
// test program's own file, as a program finds its own.
TEST(MessageCatalogue, GivesTheEnglishTranslateGives) {
    const std::optional<MessageCatalogue> catalogue = MessageCatalogue::read(MORVALEN_CATALOGUE_PATH);
    ASSERT_TRUE(catalogue.has_value());
    useLanguage(Language::english, "");
    ASSERT_STRNE(translate("报表"), "报表") << "English chosen, but no catalogue found from the test program's file";
    const char* keys[] = {"计算中止 — %1", "合格", "超限", "已知点 A 纵座标 Xa", "报表", " 秒", "没有这样的文字", ""};
    for (const char* key : keys) {
        SCOPED_TRACE(key);
        const char* english = catalogue->find(key);
        EXPECT_STREQ(english ? english : key, translate(key));
    }
    // A text in the context of captions, and a key that is only a prefix of one.
    EXPECT_STREQ(catalogue->find("caption\004起算点 A 外方位角 Ta") ? "found" : "none",
                 std::strcmp(translateCaption("起算点 A 外方位角 Ta"), translate("起算点 A 外方位角 Ta")) ? "found" : "none");
    EXPECT_EQ(catalogue->find("计算"), nullptr);
    useLanguage(Language::chinese, "");
}

TEST(MessageCatalogue, RefusesFilesThatAreNoCatalogue) {
    const std::string header("\xde\x12\x04\x95\0\0\0\0\x02\0\0\0\x1c\0\0\0\x2c\0\0\0", 20);
    const std::string cases[] = {"", "not a catalogue at all", header, header + std::string(16, '\0')};
    for (const std::string& bytes : cases) EXPECT_FALSE(MessageCatalogue::fromBytes(bytes).has_value());
    // Well-formed tables whose strings lie beyond the end of the file: found nothing, read nothing outside it.
    std::string beyond(68, '\0');
    beyond.replace(0, header.size(), header);
    beyond[0x1c + 4] = '\x7f';
    const std::optional<MessageCatalogue> catalogue = MessageCatalogue::fromBytes(beyond);
    ASSERT_TRUE(catalogue.has_value());
    EXPECT_EQ(catalogue->find("x"), nullptr);
}

}  // namespace
}  // namespace morvalen::i18n

namespace morvalen {
namespace {

// A front end that changes its language between two runs (the page) gets the prompts of the language in force.
TEST(Language, PromptsFollowALanguageChangedBetweenRuns) {
    std::vector<std::string> firstPrompts;
    for (const i18n::Language language : {i18n::Language::chinese, i18n::Language::english, i18n::Language::chinese}) {
        i18n::useLanguage(language, "");
        testing::ScriptedPrompt prompt;
        FieldModel fields;
        Observations typed;
        try {
            enterObservations(prompt, fields, typed);
        } catch (const RunStopped&) {
        }
        firstPrompts.push_back(prompt.prompts.at(0));
    }
    EXPECT_EQ(firstPrompts[0], "输入起始点 A 的纵座标 : ");
    EXPECT_NE(firstPrompts[1], firstPrompts[0]) << "no English catalogue found from the test program's file";
    EXPECT_EQ(firstPrompts[2], firstPrompts[0]);
}

}  // namespace
}  // namespace morvalen
