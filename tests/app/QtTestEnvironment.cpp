// One QApplication for the window tests, offscreen unless a platform is asked for, with the Chinese button texts
// the program itself loads.
#include <QApplication>
#include <gtest/gtest.h>

#include "QtTestEnvironment.h"
#include "app/WindowFonts.h"

namespace {

bool translated = false;

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = new QApplication(argc_, argv_);
        translated = morvalen::app::prepareApplication(*application_);
    }
    void TearDown() override { delete application_; }

private:
    int argc_ = 1;
    char name_[16] = "window_tests";
    char* argv_[2] = {name_, nullptr};
    QApplication* application_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

bool morvalen::testing::chineseButtonTexts() { return translated; }
