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
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <clocale>
#include <cstdio>

#include "app/FieldsJson.h"
#include "app/LanguageMenu.h"
#include "app/MainWindow.h"
#include "app/TableCommands.h"
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
