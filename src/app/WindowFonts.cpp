#include "app/WindowFonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace morvalen::app {

namespace {

const QStringList songFamilies = {"SimSun", "宋体", "AR PL UMing CN"};
const QStringList sansSerifFamilies = {"MS Sans Serif", "Microsoft Sans Serif", "Sans Serif"};
const QStringList arialFamilies = {"Arial", "Liberation Sans", "Sans Serif"};

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

bool prepareApplication(QApplication& application) {
    // A name asked for anywhere else (the report, a dialog) finds the same faces as the window.
    QFont::insertSubstitutions("宋体", {"SimSun", "AR PL UMing CN"});
    QFont::insertSubstitutions("SimSun", {"宋体", "AR PL UMing CN"});

    auto* translator = new QTranslator(&application);
    if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

}  // namespace morvalen::app
