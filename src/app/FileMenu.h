// The menu 文件: observation files opened and saved, results exported.
#pragma once

#include <QMenu>
#include <filesystem>

#include "app/AskFirst.h"

namespace morvalen::app {

class ChecksMenu;
class MainWindow;

// 打开并立即计算… opens a chosen row of an observation file (the campaign CSV) into the observation table and computes
// from it at once, with the same fields as typing it; 上次计算的观测数据加入文件… keeps the values typed in the last
// run as a row of such a file (asking, for an existing file, whether to add the row or replace the file);
// 导出成果… writes the result table of the last completed computation (.dat for CASS, .csv, .xlsx, .dxf), asking
// first when the results are stale; 退出 (Ctrl+Q) closes the window. Each asks for its file, then does its work
// through the path-taking function of the same name; a file that cannot be used is named in a message box with the
// reason. 观测手簿归算与检核… opens a field book of direction sets in a window of its own (FieldBookWindow). With a
// standard chosen in the menu 检核 the CSV and XLSX exports carry mx, my and mp of the stations.
class FileMenu : public QMenu {
    Q_OBJECT

public:
    explicit FileMenu(MainWindow& window, ChecksMenu* checks = nullptr);

    // Asks which row when the file holds more than one.
    void openObservations(const std::filesystem::path& path);
    void saveObservations(const std::filesystem::path& path, SaveInto how = SaveInto::addRow);
    // Opens the window of a field book (its reduction, checks and 用于计算).
    void openFieldBook(const std::filesystem::path& path);
    void exportResults(const std::filesystem::path& path);

public slots:
    void chooseObservationsToOpen();
    void chooseFieldBookToOpen();
    void chooseObservationsToSave();
    void chooseExport();

private:
    void warn(const QString& message);

    MainWindow& window_;
    ChecksMenu* checks_;
};

}  // namespace morvalen::app
