#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QStatusTipEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>
#include <stdexcept>

#include "command/ComputeCommand.h"
#include "command/RunRecord.h"
#include "app/AskFirst.h"
#include "app/CaptionLabel.h"
#include "app/ChecksMenu.h"
#include "app/DiagramLine.h"
#include "app/FieldLook.h"
#include "app/FileMenu.h"
#include "app/LanguageMenu.h"
#include "app/ObservationTablePanel.h"
#include "app/MessageBoxes.h"
#include "app/Mnemonics.h"
#include "app/PrintCommand.h"
#include "app/ScreenFit.h"
#include "app/StepsWindow.h"
#include "app/TableCommands.h"
#include "app/Translated.h"
#include "app/WindowFonts.h"
#include "app/WindowLayout.h"
#include "entry/RunStopped.h"
#include "analysis/Analysis.h"
#include "report/ReportModel.h"

namespace morvalen::app {

namespace {

// A flat button in its own colour with a raised edge that sinks while pressed.
QString buttonStyle(const QColor& colour) {
    const QString rgb = QString("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
    return QString("QPushButton { background-color: %1; border-width: 2px; border-style: solid;"
                   " border-color: white rgb(64, 64, 64) rgb(64, 64, 64) white; }"
                   "QPushButton:focus { border-color: black; }"
                   "QPushButton:pressed { border-color: rgb(64, 64, 64) white white rgb(64, 64, 64); }")
        .arg(rgb);
}

// The prompts open over the closures and precision strips: the results are written only after the last prompt,
// so no value being confirmed is hidden.
constexpr QRect promptAreaTwips(QPoint(1560, 6960), QPoint(10080, 9480));

// Room to the right of and below the layout, so that the station letter B and the buttons keep off the edges.
constexpr int marginPixels = 10;

// The layout's controls begin 1560 twips down, with the station letter P1: the band above it stays empty and is not
// shown, so that the window fits a screen 720 pixels high.
constexpr int emptyBandTwips = 1500;

// Said after a stop when some fields still show an earlier computation.
QString staleFieldsNote() {
    return translated("灰色的栏目是以前一次计算的结果，与刚才输入的数据无关；单击“计 算”将重新询问每一个数值。");
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), prompt_(this), menus_(*this) {
    setWindowTitle(windowCaption);
    setFont(windowFont(FontRole::window));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, windowColour);
    setPalette(colours);
    setAutoFillBackground(true);

    buildControls();
    auto* checks = new ChecksMenu(run_, this, &fieldBookUsed_);
    checks_ = checks;
    auto* fileMenu = new FileMenu(*this, checks);
    menus_.addMenu(fileMenu);
    table_ = new TableCommands(*this, menus_, *fileMenu);
    steps_ = new StepsMenu(run_, this);
    menus_.addMenu(steps_);
    menus_.addMenu(new LanguageMenu(this));
    menus_.addMenu(checks);
    addMnemonics(menus_.menuBar());
    prompt_.onReply([this](EnteredValue value, const std::string& text) { table_->dialogueReply(value, text); });

    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const int menuBarHeight = menus_.menuBarHeight();
    // The observation table stands to the right of the layout, the status line below both.
    const QSize layoutSize(twipsToPixels(layoutExtentTwips.width(), dpiX) + marginPixels,
                           twipsToPixels(layoutExtentTwips.height(), dpiY) + marginPixels);
    ObservationTablePanel& panel = table_->panel();
    const int hiddenTop = twipsToPixels(emptyBandTwips, dpiY);
    menus_.placeBeside(layoutSize, &panel, hiddenTop);
    // The whole table where the screen has room for it; on a narrower screen in one column, which scrolls.
    const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (layoutSize.width() + panel.sizeHint().width() + scrollBarWidth > roomOnScreen(*this).width()) {
        panel.foldIntoOneColumn();
    }
    fitToScreen(*this, QSize(layoutSize.width() + panel.sizeHint().width() + scrollBarWidth,
                             std::max(layoutSize.height() - hiddenTop, panel.sizeHint().height()) + menuBarHeight +
                                 menus_.statusBarHeight()));
    prompt_.setPlacement(twipsToPixels(promptAreaTwips, dpiX, dpiY).translated(0, menuBarHeight - hiddenTop));
    closeRequests_ = std::make_unique<WindowCloseRequests>(*this);

    staleMark_ = new QLabel(staleResultsText(), this);
    staleMark_->setObjectName(QStringLiteral("StaleResults"));
    QPalette dark = staleMark_->palette();
    dark.setColor(QPalette::WindowText, QColor(160, 0, 0));
    staleMark_->setPalette(dark);
    QFont bold = staleMark_->font();
    bold.setBold(true);
    staleMark_->setFont(bold);
    menus_.statusBar().addPermanentWidget(staleMark_);
    connect(&table_->document(), &ObservationDocument::changed, this, &MainWindow::showStaleness);
    showStaleness();
    // The cursor waits in the table's first cell, so that typing can begin at once.
    table_->panel().cell(EnteredValue::xa).setFocus();
}

void MainWindow::buildControls() {
    QWidget* const area = &menus_.layoutArea();
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();

    // Lines first, so that a label sitting on its line covers it, as the side and angle numbers do.
    for (const auto& placed : lineControls()) {
        const QLine ends(twipsToPixels(placed.twips.p1(), dpiX, dpiY), twipsToPixels(placed.twips.p2(), dpiX, dpiY));
        auto* line = new DiagramLine(ends, placed.colour, placed.widthPixels, area);
        line->setObjectName(placed.name);
    }

    for (const auto& placed : fieldControls()) {
        auto* field = new QLineEdit(area);
        field->setObjectName(controlObjectName(placed.control));
        field->setGeometry(twipsToPixels(placed.twips, dpiX, dpiY));
        makeDisplayOnly(*field);
        fields_[field->objectName()] = field;
    }

    // Captions two lines high wrap, as the captions of the start data do; the others stay on one line.
    const int twoLineHeight = twipsToPixels(375, dpiY);
    for (const auto& placed : labelControls()) {
        auto* label = new CaptionLabel(placed.caption, area);
        label->setObjectName(controlObjectName(placed.control));
        label->setGeometry(twipsToPixels(placed.twips, dpiX, dpiY));
        label->setFont(windowFont(placed.font));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(label->height() >= twoLineHeight && placed.font == FontRole::window);
        labels_[label->objectName()] = label;
    }

    for (const auto& placed : buttonControls()) {
        auto* button = new QPushButton(placed.caption, area);
        button->setObjectName(placed.name);
        button->setGeometry(twipsToPixels(placed.twips, dpiX, dpiY));
        button->setStyleSheet(buttonStyle(placed.colour));
    }

    // Two ways to compute: the table's F5 is the usual one; 计 算 asks the values one by one, as it always did.
    auto* classical = findChild<QPushButton*>(controlObjectName(form::computeButton));
    classical->setToolTip(translated("逐项询问每一个数值（对话方式），再计算。用观测数据表中的数值计算：F5。"));
    classical->setStatusTip(classical->toolTip());
    connect(classical, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(findChild<QPushButton*>(controlObjectName(form::exitButton)), &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(findChild<QPushButton*>(controlObjectName(form::printButton)), &QPushButton::clicked, this, &MainWindow::Command3_Click);
}

void MainWindow::setText(const Control& field, const std::string& text) {
    const auto found = fields_.find(controlObjectName(field));
    if (found == fields_.end()) {
        throw std::out_of_range("the window has no field " + controlObjectName(field).toStdString());
    }
    found->second->setText(QString::fromStdString(text));
    // Show the cursor at the start, so that the leading digits of a long value are the ones in view.
    found->second->setCursorPosition(0);
    earlierRun_.erase(found->first);
    showStale(*found->second, false);
}

void MainWindow::setCaption(const Control& label, const std::string& caption) {
    const auto found = labels_.find(controlObjectName(label));
    if (found == labels_.end()) {
        throw std::out_of_range("the window has no label " + controlObjectName(label).toStdString());
    }
    found->second->setText(QString::fromStdString(caption));
}

void MainWindow::Command1_Click() {
    if (table_->hasUnsavedInput() && !mayReplaceTableByDialogue(this)) return;
    computeFrom(prompt_);
}

void MainWindow::showStatus(const QString& message) { menus_.statusBar().showMessage(message); }

bool MainWindow::event(QEvent* event) {
    // The status text of a button or menu item under the mouse, in the status line (as a main window shows it).
    if (event->type() == QEvent::StatusTip) {
        menus_.statusBar().showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

void MainWindow::startComputation(const std::string& rowId) {
    openedRowId_ = rowId;
    fieldBookUsed_.reset();
    markEveryFieldStale();
    menus_.statusBar().clearMessage();
}

void MainWindow::computeFrom(Prompt& answers) {
    startComputation({});
    computing_ = true;
    table_->beginDialogue();
    try {
        runComputeCommand(answers, *this, run_);
    } catch (const RunStopped& stop) {
        // A run stopped by closing the window ends with the program; nobody is left to read a message.
        computing_ = false;
        if (!prompt_.windowClosing()) reportStop(stop.what());
    }
    computing_ = false;
    table_->endDialogue(run_.observations, run_.stop);
    showStaleness();
}

void MainWindow::computeFrom(const Observations& observations, const std::string& rowId, bool quietly) {
    startComputation(rowId);
    computeRun(observations, run_);
    showRun(run_, *this);
    showStaleness();
    if (run_.stop && !quietly) reportStop(run_.stop->what());
}

namespace {

// The window's prompt, with the eight angle prompts answered from a field book (their confirmations with Enter).
class FieldBookAnswers : public Prompt {
public:
    FieldBookAnswers(Prompt& others, fieldbook::FieldBookAngles& angles, const Observations& typed)
        : others_(others), angles_(angles), typed_(typed) {}

    std::string answer(const PromptRequest& request) override {
        if (request.value < EnteredValue::b1) return others_.answer(request);
        if (request.role == PromptRole::confirmation) return {};
        return angles_.angle(typed_, static_cast<std::size_t>(request.value) - static_cast<std::size_t>(EnteredValue::b1));
    }
    std::string ask(const std::string& promptText) override { return others_.ask(promptText); }

private:
    Prompt& others_;
    fieldbook::FieldBookAngles& angles_;
    const Observations& typed_;
};

}  // namespace

void MainWindow::computeFromFieldBook(fieldbook::FieldBookAngles& angles) {
    FieldBookAnswers answers(prompt_, angles, run_.observations);
    computeFrom(answers);
    // A completed run has asked b(1) from the book in this run: the reduction used is this run's.
    if (report::printingAllowed(run_.state) && angles.used()) fieldBookUsed_ = angles.used();
}

void MainWindow::Command2_Click() {
    if (!table_->mayDiscardInput()) return;
    endingAtOnce_ = true;
    close();
}

void MainWindow::Command3_Click() {
    if (report::printingAllowed(run_.state) && resultsStale() && !mayUseStaleResults(this, translated("打印"))) return;
    const analysis::Analysis analysed = analysis::analyse(run_, checks_->standard());
    // After a run from a field book, its rigorous adjustment as the checks window shows it, with the σ typed there.
    const std::optional<rigorous::RigorousRun> rigorous = checks_->rigorousRun(analysed);
    printReport(run_.state, this, analysed, fieldBookUsed_ ? &*fieldBookUsed_ : nullptr, rigorous ? &*rigorous : nullptr);
}

void MainWindow::markEveryFieldStale() {
    earlierRun_.clear();
    for (const auto& [name, field] : fields_) {
        if (!field->text().isEmpty()) earlierRun_.insert(name);
    }
    showStaleness();
}

bool MainWindow::anyFieldStale() const { return !earlierRun_.empty(); }

bool MainWindow::resultsStale() const {
    if (computing_) return false;
    const bool shown = std::any_of(fields_.begin(), fields_.end(),
                                   [](const auto& field) { return !field.second->text().isEmpty(); });
    return shown && table_->document().observations() != run_.observations;
}

void MainWindow::showStaleness() {
    const bool stale = resultsStale();
    for (const auto& [name, field] : fields_) {
        showStale(*field, earlierRun_.count(name) != 0 || (stale && !field->text().isEmpty()));
    }
    staleMark_->setVisible(stale);
    setProperty("resultsStale", stale);
}

void MainWindow::reportStop(const std::string& message) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), translated("计算中止"), QMessageBox::Ok, this);
    QString detail = QString::fromStdString(message);
    if (anyFieldStale()) detail += "\n\n" + staleFieldsNote();
    box.setInformativeText(detail);
    widenForSentences(box);
    stopMessage_ = &box;
    box.exec();
    stopMessage_ = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!endingAtOnce_ && !prompt_.isOpen() && !stopMessage_ && !table_->mayDiscardInput()) {
        event->ignore();
        return;
    }
    prompt_.endForClosingWindow();
    if (stopMessage_) stopMessage_->reject();
    event->accept();
}

}  // namespace morvalen::app
