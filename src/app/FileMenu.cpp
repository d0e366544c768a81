#include "app/FileMenu.h"

#include "app/MessageBoxes.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "analysis/Analysis.h"
#include "app/AskFirst.h"
#include "app/ChecksMenu.h"
#include "app/FieldBookWindow.h"
#include "app/MainWindow.h"
#include "app/RowChooser.h"
#include "app/TableCommands.h"
#include "app/Translated.h"
#include "fieldbook/FieldBookFile.h"
#include "files/AtomicFile.h"
#include "files/ObservationFile.h"
#include "files/ResultExport.h"

namespace morvalen::app {
namespace {

std::filesystem::path pathOf(const QString& chosen) {
    const QByteArray utf8 = chosen.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()),
                                               static_cast<std::size_t>(utf8.size())));
}

// A chosen name without an extension gets the one of the chosen kind of file.
QString withSuffix(const QString& chosen, const QString& suffix) {
    return QFileInfo(chosen).suffix().isEmpty() ? chosen + "." + suffix : chosen;
}

QString observationFilter() { return translated("观测数据 (*.csv);;所有文件 (*)"); }

struct ExportKind {
    const char* filter;
    const char* suffix;
};
constexpr ExportKind exportKinds[] = {{"CASS 坐标数据 (*.dat)", "dat"},
                                      {"CSV 表格 (*.csv)", "csv"},
                                      {"Excel 工作簿 (*.xlsx)", "xlsx"},
                                      {"AutoCAD 图形 (*.dxf)", "dxf"}};

}  // namespace

FileMenu::FileMenu(MainWindow& window, ChecksMenu* checks)
    : QMenu(translated("文件"), &window), window_(window), checks_(checks) {
    setObjectName(QStringLiteral("FileMenu"));
    addAction(translated("打开并立即计算(&I)…"), this, &FileMenu::chooseObservationsToOpen)
        ->setObjectName(QStringLiteral("OpenAndCompute"));
    addAction(translated("观测手簿归算与检核(&K)…"), this, &FileMenu::chooseFieldBookToOpen)
        ->setObjectName(QStringLiteral("FieldBookWindow"));
    addAction(translated("上次计算的观测数据加入文件(&L)…"), this, &FileMenu::chooseObservationsToSave)
        ->setObjectName(QStringLiteral("SaveLastRun"));
    addSeparator();
    addAction(translated("导出成果(&E)…"), this, &FileMenu::chooseExport)->setObjectName(QStringLiteral("Export"));
    addSeparator();
    QAction* quit = addAction(translated("退出(&Q)"), &window, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    quit->setObjectName(QStringLiteral("Quit"));
    // Ctrl+Q also where the platform has no standard key for quitting.
    if (quit->shortcut().isEmpty()) quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void FileMenu::warn(const QString& message) {
    showMessage(&window_, QMessageBox::Warning, window_.windowTitle(), message);
}

void FileMenu::chooseObservationsToOpen() {
    if (!window_.table().mayDiscardInput()) return;
    const QString chosen = QFileDialog::getOpenFileName(&window_, translated("打开观测数据"), QString(),
                                                        observationFilter());
    if (!chosen.isEmpty()) openObservations(pathOf(chosen));
}

void FileMenu::chooseFieldBookToOpen() {
    const QString chosen = QFileDialog::getOpenFileName(&window_, translated("打开观测手簿"), QString(),
                                                        translated("观测手簿 (*.csv *.gsi *.sdr *.raw);;所有文件 (*)"));
    if (!chosen.isEmpty()) openFieldBook(pathOf(chosen));
}

void FileMenu::openFieldBook(const std::filesystem::path& path) {
    try {
        auto* window = new FieldBookWindow(fieldbook::readFieldBook(path),
                                           QString::fromStdString(files::shownPath(path)), window_, checks_);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    } catch (const fieldbook::FieldBookError& problem) {
        warn(translated("观测手簿 %1 无法归算：%2",
                        {QString::fromStdString(files::shownPath(path)), QString::fromUtf8(problem.what())}));
    }
}

void FileMenu::chooseObservationsToSave() {
    if (window_.typedValues().empty()) {
        warn(translated("没有可保存的观测数据：还没有输入过观测值。"));
        return;
    }
    const QString chosen =
        QFileDialog::getSaveFileName(&window_, translated("上次计算的观测数据加入文件"), QString(),
                                     observationFilter(), nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return;
    const std::filesystem::path path = pathOf(withSuffix(chosen, "csv"));
    const auto how = askHowToSaveInto(&window_, path);
    if (how) saveObservations(path, *how);
}

void FileMenu::chooseExport() {
    if (window_.resultsStale() && !mayUseStaleResults(&window_, translated("导出"))) return;
    QStringList filters;
    for (const ExportKind& kind : exportKinds) filters << translated(kind.filter);
    QString filter = filters.front();
    const QString chosen = QFileDialog::getSaveFileName(&window_, translated("导出成果"), QString(),
                                                        filters.join(";;"), &filter);
    if (chosen.isEmpty()) return;
    const auto kind = filters.indexOf(filter);
    exportResults(pathOf(withSuffix(chosen, exportKinds[kind < 0 ? 0 : kind].suffix)));
}

void FileMenu::openObservations(const std::filesystem::path& path) {
    try {
        const files::ObservationFileRows file = files::readObservationFile(path);
        const auto index = chooseRow(window_, file);
        if (!index) return;
        const files::ObservationRow opened = files::observationRow(file, *index, path);
        // The table shows the values computed from, so that the results are the table's.
        window_.table().showOpened(path, opened, file.notes);
        window_.computeFrom(opened.columns.observations(opened.row), opened.id);
    } catch (const files::ObservationFileError& problem) {
        warn(QString::fromUtf8(problem.what()));
    }
}

void FileMenu::saveObservations(const std::filesystem::path& path, SaveInto how) {
    if (window_.typedValues().empty()) {
        warn(translated("没有可保存的观测数据：还没有输入过观测值。"));
        return;
    }
    try {
        files::saveObservations(path, window_.typedValues(), window_.openedRowId(), how == SaveInto::replaceFile);
        const QString shown = QString::fromStdString(files::shownPath(path));
        window_.showStatus(how == SaveInto::replaceFile ? translated("观测数据已保存为 %1", {shown})
                                                        : translated("观测数据已加在 %1 的末尾", {shown}));
    } catch (const std::runtime_error& failure) {  // ObservationFileError, FileNotWritten
        warn(translated("没有保存观测数据：") + QString::fromUtf8(failure.what()));
    }
}

void FileMenu::exportResults(const std::filesystem::path& path) {
    try {
        const SurveyState& state = window_.surveyState();
        const analysis::Analysis analysed =
            checks_ ? analysis::analyse(window_.lastRun(), checks_->standard()) : analysis::Analysis{};
        files::exportResults(state, path, analysed.precisionOrNull());
        window_.showStatus(translated("成果已导出到 %1", {QString::fromStdString(files::shownPath(path))}));
    } catch (const std::runtime_error& failure) {  // NothingToExport, FileNotWritten
        warn(QString::fromUtf8(failure.what()));
    }
}

}  // namespace morvalen::app
