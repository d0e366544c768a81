// The window of a field book (文件 → 打开观测手簿…): its reduction in the field book's own layout, the checks against
// the direction method's limits (超限 in red), the eight angles, and the button 用于计算.
#pragma once

#include <QWidget>
#include <vector>

#include "fieldbook/FieldBookAngles.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace morvalen::app {

class MainWindow;

class FieldBookWindow : public QWidget {
    Q_OBJECT

public:
    // The pointings of a field book that reduces (FieldBookError otherwise), named by `title`.
    FieldBookWindow(std::vector<fieldbook::Pointing> pointings, const QString& title, MainWindow& mainWindow);

public slots:
    // 用于计算: runs 计 算 with the eight angle prompts answered from the field book, the others asked as usual.
    void useForComputation();
    // The limits of another instrument class: the checks again.
    void chooseInstrument(int index);

private:
    void showReduction();

    std::vector<fieldbook::Pointing> pointings_;
    fieldbook::FieldBookAngles angles_;
    MainWindow& mainWindow_;
    QComboBox* instrument_;
    QTableWidget* table_;
    QTableWidget* checks_;
    QLabel* angleList_;
};

}  // namespace morvalen::app
