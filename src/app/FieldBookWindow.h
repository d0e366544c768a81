// The window of a field book (文件 → 打开观测手簿…): its reduction in the field book's own layout, the checks against
// the direction method's limits (超限 in red), the eight angles, and the button 用于计算.
#pragma once

#include <QWidget>
#include <vector>

#include "fieldbook/FieldBookAngles.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace morvalen::app {

class ChecksMenu;
class MainWindow;

class FieldBookWindow : public QWidget {
    Q_OBJECT

public:
    // The pointings of a field book that reduces (FieldBookError otherwise), named by `title`. With the menu 检核,
    // the button σ 用于检核 makes the σ of an angle from the book the session's own σ of the checks.
    FieldBookWindow(std::vector<fieldbook::Pointing> pointings, const QString& title, MainWindow& mainWindow,
                    ChecksMenu* checks = nullptr);

public slots:
    // 用于计算: runs 计 算 with the eight angle prompts answered from the field book, the others asked as usual.
    void useForComputation();
    // σ 用于检核: the σ of an angle from the book, as shown, for the checks of the menu 检核.
    void useSigmaForChecks();
    // The limits of another instrument class: the checks again.
    void chooseInstrument(int index);

private:
    void showReduction();

    std::vector<fieldbook::Pointing> pointings_;
    fieldbook::FieldBookAngles angles_;
    MainWindow& mainWindow_;
    ChecksMenu* checksMenu_;
    QPushButton* useSigma_;
    QComboBox* instrument_;
    QTableWidget* table_;
    QTableWidget* checks_;
    QLabel* angleList_;
};

}  // namespace morvalen::app
