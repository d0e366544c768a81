#include "app/WindowFonts.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "i18n/Language.h"

namespace morvalen::app {

namespace {

// Latin letters and digits come first from Go, whose O and 0, l, 1 and I differ at a glance, so that a typed
// 33.1O401 never looks like 33.10401; Chinese then from a Song face that has a bold of its own (Noto Serif CJK SC),
// or from SimSun, 宋体 and AR PL UMing CN, which Qt can only embolden thinly.
const QStringList songFamilies = {"Go", "Noto Serif CJK SC", "SimSun", "宋体", "AR PL UMing CN"};
const QStringList sansSerifFamilies = {"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Sans Serif"};
const QStringList arialFamilies = {"Arial", "Liberation Sans", "Sans Serif"};

// The prompts and message boxes: the same faces as the window font, in the regular weight of a dialog.
constexpr double dialogPoints = 9;

// Qt's Chinese texts for its own dialogs. The file dialog names the kinds of file through the icon provider, whose
// texts ("Folder", "File Folder") the catalogue keeps under the file dialog's and file model's names: they are looked
// up there too, so that no English word is left in a Chinese dialog.
class QtOwnTexts : public QTranslator {
public:
    explicit QtOwnTexts(QObject* parent) : QTranslator(parent) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override {
        const QString found = QTranslator::translate(context, sourceText, disambiguation, n);
        if (!found.isEmpty() || qstrcmp(context, "QAbstractFileIconProvider") != 0) return found;
        for (const char* other : {"QFileIconProvider", "QFileSystemModel", "QFileDialog"}) {
            const QString shared = QTranslator::translate(other, sourceText, disambiguation, n);
            if (!shared.isEmpty()) return shared;
        }
        return {};
    }
};

QFont boldFont(const QStringList& families, double points, QFont::StyleHint hint) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setWeight(QFont::Bold);
    return font;
}

}  // namespace

QFont windowFont(FontRole role) {
    switch (role) {
    case FontRole::window:
        return boldFont(songFamilies, 9, QFont::Serif);
    case FontRole::title:
        return boldFont(songFamilies, 15, QFont::Serif);
    case FontRole::sansLarge:
        return boldFont(sansSerifFamilies, 12, QFont::SansSerif);
    case FontRole::sansMedium:
        return boldFont(sansSerifFamilies, 9.75, QFont::SansSerif);
    case FontRole::sansSmall:
        return boldFont(sansSerifFamilies, 8.25, QFont::SansSerif);
    case FontRole::arialMedium:
        return boldFont(arialFamilies, 10.5, QFont::SansSerif);
    }
    return boldFont(songFamilies, 9, QFont::Serif);
}

QFont dialogFont() {
    QFont font;
    font.setFamilies(songFamilies);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(dialogPoints);
    return font;
}

bool prepareApplication(QApplication& application) {
    // Faces installed with the program in its folder "fonts" (the Windows installer brings Go there), for a system
    // that has none of them.
    const QDir bundledFonts(QApplication::applicationDirPath() + "/fonts");
    for (const QString& name : bundledFonts.entryList({"*.ttf"}, QDir::Files)) {
        QFontDatabase::addApplicationFont(bundledFonts.filePath(name));
    }
    // A name asked for anywhere else (the report) finds a Song face whose text reads back from a PDF.
    QFont::insertSubstitutions("宋体", {"SimSun", "AR PL UMing CN"});
    QFont::insertSubstitutions("SimSun", {"宋体", "AR PL UMing CN"});
    QApplication::setFont(dialogFont());

    // In English Qt's own texts are already English.
    if (i18n::currentLanguage() == i18n::Language::english) return true;
    // Dates and sizes in the file dialog as a Chinese reader writes them.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QtOwnTexts(&application);
    if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

}  // namespace morvalen::app
