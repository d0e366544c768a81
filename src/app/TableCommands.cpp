#include "app/TableCommands.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>

#include "analysis/GradeTable.h"
#include "app/MainWindow.h"
#include "app/MenuBar.h"
#include "app/MessageBoxes.h"
#include "app/ObservationTablePanel.h"
#include "app/RowChooser.h"
#include "app/Translated.h"
#include "app/WindowLayout.h"
#include "entry/ObservationChecks.h"
#include "fieldbook/DirectionReduction.h"
#include "fieldbook/FieldBookFile.h"
#include "files/AtomicFile.h"
#include "files/ObservationFile.h"

namespace morvalen::app {
namespace {

constexpr int recentCount = 8;
const QString recentKey = QStringLiteral("recentObservationFiles");

QSettings settings() { return QSettings(QStringLiteral("Morvalen"), QStringLiteral("Morvalen")); }

QString shown(const std::filesystem::path& path) { return QString::fromStdString(files::shownPath(path)); }

std::filesystem::path pathOf(const QString& chosen) { return files::pathOf(chosen.toStdString()); }

QString observationFilter() { return translated("观测数据 (*.csv);;所有文件 (*)"); }

// The local CSV file a drag carries, if it carries exactly one.
std::optional<QString> droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).suffix().compare("csv", Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return url.toLocalFile();
}

}  // namespace

TableCommands::TableCommands(MainWindow& window, MenuBarFrame& frame, QMenu& fileMenu)
    : QObject(&window), window_(window), document_(this),
      panel_(new ObservationTablePanel(document_, frame.layoutArea(), &window)) {
    addFileCommands(fileMenu);
    frame.addMenu(editMenu());
    connect(panel_, &ObservationTablePanel::computeRequested, this, &TableCommands::compute);
    connect(panel_, &ObservationTablePanel::edited, this, &TableCommands::recomputeWhileTyping);
    connect(panel_, &ObservationTablePanel::statusText, this, [&frame](const QString& text) {
        if (text.isEmpty()) frame.statusBar().clearMessage();
        else frame.statusBar().showMessage(text);
    });
    connect(&document_, &ObservationDocument::fileChanged, this, &TableCommands::showTitle);
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

void TableCommands::addFileCommands(QMenu& fileMenu) {
    QAction* first = fileMenu.actions().isEmpty() ? nullptr : fileMenu.actions().front();
    const auto add = [&](const char* text, const QKeySequence& keys, auto slot, const char* name) {
        auto* action = new QAction(translated(text), &fileMenu);
        action->setShortcut(keys);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        fileMenu.insertAction(first, action);
        return action;
    };
    add(i18n::catalogued("新建观测数据表(&N)"), QKeySequence::New, &TableCommands::newDataSet, "NewTable");
    add(i18n::catalogued("打开(&O)…"), QKeySequence::Open, &TableCommands::chooseFileToOpen, "OpenTable");
    recent_ = new QMenu(translated("最近打开的文件(&R)"), &fileMenu);
    recent_->setObjectName(QStringLiteral("RecentFiles"));
    connect(recent_, &QMenu::aboutToShow, this, &TableCommands::showRecent);
    fileMenu.insertMenu(first, recent_);
    add(i18n::catalogued("观测手簿的角度填入表中(&B)…"), QKeySequence(), &TableCommands::chooseFieldBook, "FieldBookIntoTable");
    add(i18n::catalogued("保存(&S)"), QKeySequence::Save, &TableCommands::save, "SaveTable");
    add(i18n::catalogued("另存为(&A)…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        &TableCommands::chooseFileToSave, "SaveTableAs");
    fileMenu.insertSeparator(first);
}

QMenu* TableCommands::editMenu() {
    auto* menu = new QMenu(translated("编辑"), &window_);
    menu->setObjectName(QStringLiteral("EditMenu"));
    QAction* undo = document_.undoStack().createUndoAction(menu, translated("撤销(&U)"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setObjectName(QStringLiteral("Undo"));
    QAction* redo = document_.undoStack().createRedoAction(menu, translated("重做(&R)"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setObjectName(QStringLiteral("Redo"));
    menu->addAction(undo);
    menu->addAction(redo);
    menu->addSeparator();
    QAction* compute = menu->addAction(translated("用观测数据表计算(&C)"), this, &TableCommands::compute);
    compute->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
    compute->setObjectName(QStringLiteral("ComputeFromTable"));
    QAction* print = menu->addAction(translated("打印(&P)"), &window_, &MainWindow::Command3_Click);
    print->setShortcut(QKeySequence::Print);
    print->setObjectName(QStringLiteral("PrintReport"));
    return menu;
}

void TableCommands::warn(const QString& message) {
    showMessage(&window_, QMessageBox::Warning, window_.windowTitle(), message);
}

void TableCommands::say(const QString& message) { window_.showStatus(message); }

void TableCommands::showTitle() {
    const bool modified = document_.modified();
    if (document_.file().empty()) {
        window_.setWindowTitle(modified ? translated("未命名*") + QStringLiteral(" — ") + windowCaption
                                        : QString(windowCaption));
        return;
    }
    const QString name = QFileInfo(shown(document_.file())).fileName();
    window_.setWindowTitle(name + (modified ? "*" : "") + QStringLiteral(" — ") + windowCaption);
}

bool TableCommands::hasUnsavedInput() const {
    return document_.modified() && !document_.observations().empty();
}

bool TableCommands::mayDiscardInput() {
    if (!hasUnsavedInput()) return true;
    QMessageBox box(QMessageBox::Question, window_.windowTitle(), translated("观测数据表中有未保存的输入。"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
    box.setObjectName(QStringLiteral("UnsavedInput"));
    box.setInformativeText(translated("保存：存入观测数据文件后继续；放弃：不保存，输入丢失；取消：回到表中。"));
    box.setDefaultButton(QMessageBox::Save);
    widenForSentences(box);
    switch (box.exec()) {
    case QMessageBox::Save: return save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void TableCommands::newDataSet() {
    if (!mayDiscardInput()) return;
    document_.reset({});
    panel_->clearStops();
    say(translated("新的观测数据表。"));
}

void TableCommands::chooseFileToOpen() {
    if (!mayDiscardInput()) return;
    const QString chosen =
        QFileDialog::getOpenFileName(&window_, translated("打开观测数据"), QString(), observationFilter());
    if (!chosen.isEmpty()) openFile(pathOf(chosen));
}

bool TableCommands::openFile(const std::filesystem::path& path, const std::optional<std::string>& rowId) {
    try {
        std::vector<std::string> notes;
        std::optional<files::ObservationRow> opened;
        if (rowId) {
            opened = files::openObservationRow(path, rowId, &notes);
        } else {
            const files::ObservationFileRows file = files::readObservationFile(path);
            const auto index = chooseRow(window_, file);
            if (!index) return false;
            opened = files::observationRow(file, *index, path);
            notes = file.notes;
        }
        showOpened(path, *opened, notes);
        return true;
    } catch (const files::ObservationFileError& problem) {
        warn(QString::fromUtf8(problem.what()));
        return false;
    }
}

void TableCommands::showOpened(const std::filesystem::path& path, const files::ObservationRow& opened,
                               const std::vector<std::string>& notes) {
    document_.reset(opened.columns.observations(opened.row), path, opened.id);
    panel_->clearStops();
    rememberRecent(path);
    QString message = translated("已打开 %1", {shown(path)});
    if (!opened.id.empty()) message += translated("（id %1）", {QString::fromStdString(opened.id)});
    for (const std::string& note : notes) message += "  " + QString::fromStdString(note);
    say(message);
}

void TableCommands::chooseFieldBook() {
    const QString chosen = QFileDialog::getOpenFileName(&window_, translated("打开观测手簿"), QString(),
                                                        translated("观测手簿 (*.csv);;所有文件 (*)"));
    if (!chosen.isEmpty()) fillFromFieldBook(pathOf(chosen));
}

bool TableCommands::fillFromFieldBook(const std::filesystem::path& path) {
    Observations filled = document_.observations();
    const bool azimuth = filled.runCase() == RunCase::azimuth;
    std::array<std::string, 4> stations = {filled.names[0], filled.names[1], filled.names[2],
                                           azimuth ? filled.names[3] : filled.names[4]};
    const bool named = std::none_of(stations.begin(), stations.end(), [](const auto& n) { return n.empty(); });
    try {
        const auto reduction = fieldbook::reduceFieldBook(fieldbook::readFieldBook(path),
                                                          *analysis::findDirectionMethodLimits("2"),
                                                          named ? std::optional(stations) : std::nullopt);
        filled.angles = reduction.angles;
        for (std::size_t k = 0; k < 3; ++k) {
            if (filled.names[k].empty()) filled.names[k] = reduction.quadrilateral[k];
        }
        std::string& fourth = azimuth ? filled.names[3] : filled.names[4];
        if (fourth.empty()) fourth = reduction.quadrilateral[3];
    } catch (const fieldbook::FieldBookError& problem) {
        warn(translated("观测手簿 %1 无法归算：%2", {shown(path), QString::fromUtf8(problem.what())}));
        return false;
    }
    document_.replaceAll(filled, translated("填入观测手簿的角度"));
    say(translated("b(1)…b(8) 取自观测手簿 %1", {shown(path)}));
    return true;
}

void TableCommands::chooseFileToSave() {
    const QString chosen =
        QFileDialog::getSaveFileName(&window_, translated("观测数据表另存为"), QString(), observationFilter(), nullptr,
                                     QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return;
    const std::filesystem::path path = pathOf(QFileInfo(chosen).suffix().isEmpty() ? chosen + ".csv" : chosen);
    if (const auto how = askHowToSaveInto(&window_, path)) saveAs(path, *how);
}

bool TableCommands::save() {
    if (document_.file().empty()) {
        chooseFileToSave();
        return !document_.modified();
    }
    try {
        if (files::fillObservationRow(document_.file(), document_.observations(), document_.rowId())) {
            document_.markSaved(document_.file(), document_.rowId());
            say(translated("观测数据已保存到 %1（id %2 的行）",
                           {shown(document_.file()), QString::fromStdString(document_.rowId())}));
            return true;
        }
    } catch (const std::runtime_error& failure) {  // ObservationFileError, FileNotWritten
        warn(translated("没有保存观测数据：") + QString::fromUtf8(failure.what()));
        return false;
    }
    // A file without ids, or one whose row has gone: the data set is added as a row of its own.
    return saveAs(document_.file());
}

bool TableCommands::saveAs(const std::filesystem::path& path, SaveInto how) {
    try {
        const bool replace = how == SaveInto::replaceFile;
        const std::string id = files::saveObservations(path, document_.observations(), document_.rowId(), replace);
        document_.markSaved(path, id);
        rememberRecent(path);
        if (replace) say(translated("观测数据已保存为 %1", {shown(path)}));
        else if (id.empty()) say(translated("观测数据已加在 %1 的末尾", {shown(path)}));
        else say(translated("观测数据已加在 %1 的末尾（id %2）", {shown(path), QString::fromStdString(id)}));
        return true;
    } catch (const std::runtime_error& failure) {  // ObservationFileError, FileNotWritten
        warn(translated("没有保存观测数据：") + QString::fromUtf8(failure.what()));
        return false;
    }
}

void TableCommands::rememberRecent(const std::filesystem::path& path) {
    const QString file = QFileInfo(shown(path)).absoluteFilePath();
    QStringList files = settings().value(recentKey).toStringList();
    files.removeAll(file);
    files.prepend(file);
    while (files.size() > recentCount) files.removeLast();
    settings().setValue(recentKey, files);
}

void TableCommands::showRecent() {
    recent_->clear();
    const QStringList files = settings().value(recentKey).toStringList();
    for (qsizetype k = 0; k < files.size(); ++k) {
        const QString file = files[k];
        // The Alt digit before the path: 1 is the file opened last.
        recent_->addAction(QStringLiteral("&%1 ").arg(k + 1) + QDir::toNativeSeparators(file).replace('&', "&&"), this,
                           [this, file] {
            if (mayDiscardInput()) openFile(pathOf(file));
        });
    }
    if (files.isEmpty()) recent_->addAction(translated("（没有）"))->setEnabled(false);
}

void TableCommands::compute() {
    panel_->showEveryProblem();
    const auto problems = observationProblems(document_.observations());
    if (!problems.empty()) {
        QStringList lines;
        for (const ValueProblem& problem : problems) {
            lines << translated("%1：%2", {QString::fromStdString(valueName(problem.value)),
                                          QString::fromStdString(problem.problem)});
        }
        showMessage(&window_, QMessageBox::Warning, window_.windowTitle(),
                    translated("观测数据表中有 %1 处问题，没有计算：", {QString::number(problems.size())}),
                    lines.join('\n'));
        panel_->cell(problems.front().value).setFocus();
        return;
    }
    panel_->clearStops();
    window_.computeFrom(document_.observations(), document_.rowId());
    if (const auto& stop = window_.lastRun().stop) {
        if (stop->value()) panel_->markStop(*stop->value(), QString::fromUtf8(stop->what()));
    } else {
        say(translated("计算完成。"));
    }
}

void TableCommands::recomputeWhileTyping() {
    if (!panel_->recomputeWhileTyping() || !observationProblems(document_.observations()).empty()) return;
    window_.computeFrom(document_.observations(), document_.rowId(), true);
    if (const auto& stop = window_.lastRun().stop) {
        say(QString::fromUtf8(stop->what()));
    } else {
        say(translated("已重新计算。"));
    }
}

void TableCommands::beginDialogue() {
    inDialogue_ = true;
    panel_->clearStops();
    document_.undoStack().beginMacro(translated("计 算 对话"));
    document_.replaceAll({}, translated("清空观测数据表"));
}

void TableCommands::dialogueReply(EnteredValue value, const std::string& text) {
    if (inDialogue_) document_.editCell(value, text);
}

void TableCommands::endDialogue(const Observations& typed, const std::optional<RunStopped>& stop) {
    if (!inDialogue_) return;
    inDialogue_ = false;
    document_.replaceAll(typed, translated("计 算 对话"));
    document_.undoStack().endMacro();
    if (stop && stop->value()) panel_->markStop(*stop->value(), QString::fromUtf8(stop->what()));
}

bool TableCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (droppedFile(drag->mimeData())) drag->acceptProposedAction();
        return true;
    }
    if (watched == &window_ && event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (const auto file = droppedFile(drop->mimeData())) {
            drop->acceptProposedAction();
            if (mayDiscardInput()) openFile(pathOf(*file));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace morvalen::app
