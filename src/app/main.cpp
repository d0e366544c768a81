// morvalen: the window of the braced-quadrilateral adjustment.
//
//   morvalen                        the window
//   morvalen --lang zh|en           in Chinese or English; without it in the language the menu 语言 saved, or else
//                                   in the language of the locale (LANG=en_* gives English)
//   morvalen --fields-json FILE     and, when the window closes, its fields and captions as JSON in FILE (for
//                                   comparing the window of one build with another's; see app/FieldsJson.h)
//   morvalen FILE.csv [--row ID]    with the data set of an observation file in the observation table: the row
//                                   whose id is ID, or the row chosen when the file holds more than one (the desktop
//                                   entry's %f, Windows' "Open with")
//   morvalen --help, -h, --version  print and end, without a window; without a display a message and status 1
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/FieldsJson.h"
#include "app/LanguageMenu.h"
#include "app/MainWindow.h"
#include "app/TableCommands.h"
#include "app/WindowFonts.h"
#include "files/AtomicFile.h"
#include "i18n/Language.h"
#include "report/PaintedReport.h"

namespace {

using morvalen::i18n::translate;

bool asked(int argc, char** argv, std::initializer_list<std::string_view> names) {
    for (int k = 1; k < argc; ++k) {
        for (const std::string_view name : names) {
            if (argv[k] == name) return true;
        }
    }
    return false;
}

// The help and the version, in the language asked or the locale's, printed before any window is made.
bool printedHelpOrVersion(int argc, char** argv) {
    if (!asked(argc, argv, {"--help", "-h", "--version"})) return false;
    const auto named = morvalen::i18n::languageArgument(argc, argv);
    const auto language = named ? morvalen::i18n::languageNamed(*named) : morvalen::i18n::languageOfEnvironment();
    morvalen::i18n::useLanguage(language.value_or(morvalen::i18n::Language::chinese), argv[0]);
    if (asked(argc, argv, {"--version"})) {
        std::printf("morvalen %s\n", MORVALEN_VERSION);
        return true;
    }
    std::fputs(translate("用法：morvalen [选项] [观测文件.csv [--row ID]]\n"
                         "大地四边形条件平差（窗口界面）；终端里请用 morvalen-cli。\n\n"
                         "选项：\n"
                         "  -h, --help          显示本帮助并退出\n"
                         "  --version           显示版本并退出\n"
                         "  --lang zh|en        界面语言：zh 中文，en 英文\n"
                         "  --row ID            打开观测文件中 id 为 ID 的数据行\n"
                         "  --fields-json FILE  窗口关闭时把窗口的字段和标题写成 JSON 文件\n"),
               stdout);
    return true;
}

// A window needs a display: without one (no DISPLAY or WAYLAND_DISPLAY, and no platform chosen) the program says
// so and ends with status 1, as it does when the display named cannot be reached.
void refuseWithoutDisplay(const char* detail) {
    std::fprintf(stderr, "%s\n", translate("morvalen：没有可用的图形显示，窗口无法打开。终端里请用 morvalen-cli。"));
    if (*detail) std::fprintf(stderr, "(%s)\n", detail);
    std::exit(1);
}

bool displayGiven(int argc, char** argv) {
#if defined(_WIN32) || defined(__APPLE__)
    return true;
#else
    const auto set = [](const char* name) { return std::getenv(name) && *std::getenv(name); };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM") || asked(argc, argv, {"-platform"});
#endif
}

// Until the window's application is made, a fatal message of Qt (a display that cannot be reached) ends the program
// with the message above instead of an abort.
QtMessageHandler laterMessages = nullptr;
bool applicationMade = false;
void onStartingMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && !applicationMade) refuseWithoutDisplay(message.toLocal8Bit().constData());
    if (laterMessages) laterMessages(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    if (printedHelpOrVersion(argc, argv)) return 0;
    if (!displayGiven(argc, argv)) refuseWithoutDisplay("");
    morvalen::report::keepQtMessages();
    laterMessages = qInstallMessageHandler(onStartingMessage);
    QApplication application(argc, argv);
    applicationMade = true;
    QApplication::setApplicationName("Morvalen");
    // Ties the window to the installed desktop entry (morvalen.desktop), whose icon the desktop then shows.
    QApplication::setDesktopFileName("morvalen");
    // QApplication has set every category of the C locale from the environment; the numbers the program writes
    // keep the decimal point whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    const auto language = morvalen::app::windowLanguage(morvalen::i18n::languageArgument(argc, argv),
                                                        morvalen::app::savedLanguage(),
                                                        morvalen::i18n::languageOfEnvironment());
    if (!language) {
        std::fputs("morvalen: --lang needs zh or en\n", stderr);
        return 2;
    }
    morvalen::i18n::useLanguage(*language, argv[0]);
    morvalen::app::prepareApplication(application);

    const QStringList arguments = QApplication::arguments();
    const qsizetype option = arguments.indexOf("--fields-json");
    if (option >= 0 && option + 1 >= arguments.size()) {
        std::fputs("morvalen: --fields-json needs a FILE\n", stderr);
        return 2;
    }
    const QString fieldsPath = option >= 0 ? arguments[option + 1] : QString();

    // The observation file: the one argument that is no option and no option's value.
    QString observationFile;
    std::optional<std::string> rowId;
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString& argument = arguments[k];
        if (argument == "--lang" || argument == "--fields-json" || argument == "--row") {
            if (argument == "--row" && k + 1 < arguments.size()) rowId = arguments[k + 1].toStdString();
            ++k;
        } else if (!argument.startsWith("--")) {
            observationFile = argument;
        }
    }
    if (arguments.contains("--row") && (!rowId || observationFile.isEmpty())) {
        std::fputs("morvalen: --row needs an ID and an observation FILE\n", stderr);
        return 2;
    }

    morvalen::app::MainWindow window;
    window.show();
    if (!observationFile.isEmpty()) {
        QTimer::singleShot(0, &window, [&] {
            window.table().openFile(morvalen::files::pathOf(observationFile.toStdString()), rowId);
        });
    }
    const int status = QApplication::exec();
    if (!fieldsPath.isEmpty()) {
        try {
            morvalen::app::writeFieldsJson(window, fieldsPath);
        } catch (const morvalen::files::FileNotWritten& failure) {
            std::fprintf(stderr, "morvalen: %s\n", failure.what());
            return 4;
        }
    }
    return status;
}
