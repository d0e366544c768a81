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
    const auto* layoutArea = window.findChild<QWidget*>("LayoutArea");
    EXPECT_EQ(document["fields"].size(), static_cast<std::size_t>(layoutArea->findChildren<QLineEdit*>().size()));
    // The observation table by the columns of an observation file, apart from the fields.
    EXPECT_EQ(document["table"].size(), 21u);
    EXPECT_EQ(document["table"]["b8"]["problem"], "没有输入");
    EXPECT_TRUE(document["table"]["Ta"]["problem"].is_null());  // not asked: B is not 0, 0
    EXPECT_EQ(document["table"]["name_closing"]["text"], "");
}

TEST(FieldsJson, anUnwritableFileIsReported) {
    morvalen::app::MainWindow window;
    EXPECT_THROW(morvalen::app::writeFieldsJson(window, "/nonexistent-folder/fields.json"),
                 morvalen::files::FileNotWritten);
}

}  // namespace
