// morvalen: the window of the braced-quadrilateral adjustment.
//
//   morvalen                        the window
//   morvalen --lang zh|en           in Chinese or English; without it in the language the menu 语言 saved, or else
//                                   in the language of the locale (LANG=en_* gives English)
//   morvalen --fields-json FILE     and, when the window closes, its fields and captions as JSON in FILE (for
//                                   comparing the window of one build with another's; see app/FieldsJson.h)
#include <QApplication>
#include <QStringList>
#include <clocale>
#include <cstdio>

#include "app/FieldsJson.h"
#include "app/LanguageMenu.h"
#include "app/MainWindow.h"
#include "app/WindowFonts.h"
#include "files/AtomicFile.h"
#include "report/PaintedReport.h"

int main(int argc, char** argv) {
    morvalen::report::keepQtMessages();
    QApplication application(argc, argv);
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

    morvalen::app::MainWindow window;
    window.show();
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
