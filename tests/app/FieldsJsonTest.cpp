// morvalen --fields-json: every field and caption of the window by object name, as the window shows them.
#include <QLineEdit>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "QtTestEnvironment.h"
#include "app/FieldsJson.h"
#include "app/MainWindow.h"
#include "files/AtomicFile.h"

namespace {

TEST(FieldsJson, namesEveryFieldAndCaptionWithItsText) {
    morvalen::app::MainWindow window;
    window.setText({"Text1"}, "1000");
    window.setText({"Text7", 3}, "33.1O401");
    window.setCaption({"Label18", 0}, "P1");
    const auto document = nlohmann::json::parse(morvalen::app::fieldsJson(window));
    EXPECT_EQ(document["fields"]["Text1"], "1000");
    EXPECT_EQ(document["fields"]["Text7_3"], "33.1O401");
    EXPECT_EQ(document["fields"]["Text2"], "");
    EXPECT_EQ(document["captions"]["Label18_0"], "P1");
    EXPECT_EQ(document["captions"]["Label1"], "M o r v a l e n");
    EXPECT_EQ(document["fields"].size(), static_cast<std::size_t>(window.findChildren<QLineEdit*>().size()));
}

TEST(FieldsJson, anUnwritableFileIsReported) {
    morvalen::app::MainWindow window;
    EXPECT_THROW(morvalen::app::writeFieldsJson(window, "/nonexistent-folder/fields.json"),
                 morvalen::files::FileNotWritten);
}

}  // namespace
