#include "cli/Console.h"

#include <gtest/gtest.h>

#include <sstream>

namespace morvalen::cli {
namespace {

TEST(Console, ControlsEscapedAlikeInOneTextAndByteByByte) {
    const std::string text = "P\x1b]0;t\x07 \xC2\x9b \xC2\xA0 东山\tend\n\xC2";
    for (const bool whole : {true, false}) {
        std::ostringstream shown;
        std::ostream& stream = shown;
        std::streambuf* const original = stream.rdbuf();
        escapeControlsOn(stream);
        if (whole) stream << text;
        for (const char c : whole ? std::string() : text) stream.put(c);
        stream.flush();
        delete stream.rdbuf(original);
        EXPECT_EQ(shown.str(), "P\\x1b]0;t\\x07 \\u009b \xC2\xA0 东山\tend\n\xC2") << (whole ? "one text" : "byte by byte");
    }
}

}  // namespace
}  // namespace morvalen::cli
