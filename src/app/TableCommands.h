// The commands of the observation table: its files (new, open, recent, save, save as, a field book's angles, a file
// dropped on the window), its edits (undo, redo), computing from it, and the question before unsaved input is lost.
#pragma once

#include <QObject>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

#include "app/AskFirst.h"
#include "app/ObservationDocument.h"
#include "entry/RunStopped.h"
#include "files/ObservationFile.h"

class QMenu;

namespace morvalen::app {

class MainWindow;
class MenuBarFrame;
class ObservationTablePanel;

class TableCommands : public QObject {
    Q_OBJECT

public:
    // Builds the table beside the window's layout, puts its commands at the top of `fileMenu` and into a menu 编辑.
    TableCommands(MainWindow& window, MenuBarFrame& frame, QMenu& fileMenu);

    ObservationDocument& document() { return document_; }
    ObservationTablePanel& panel() { return *panel_; }

    // Opens the data set of an observation file into the table: the row with the id `rowId`, or the row chosen
    // (asked when the file holds more than one). A file that cannot be read leaves the table as it was and says why.
    // Returns true when the table holds the file's data set.
    bool openFile(const std::filesystem::path& path, const std::optional<std::string>& rowId = std::nullopt);
    // Shows a row already read from the observation file at `path` as the table's data set, with the file's notes.
    void showOpened(const std::filesystem::path& path, const files::ObservationRow& opened,
                    const std::vector<std::string>& notes = {});
    // Fills b(1)..b(8) (and the names not typed yet) from the reduction of a field book.
    bool fillFromFieldBook(const std::filesystem::path& path);
    bool save();
    // Adds the data set as a row of the file at `path`, or with SaveInto::replaceFile writes the file afresh with it.
    bool saveAs(const std::filesystem::path& path, SaveInto how = SaveInto::addRow);

    // True when the table holds values that are not saved in its file.
    bool hasUnsavedInput() const;
    // Before the table's input is replaced or the window closes: true when nothing unsaved is lost, or the surveyor
    // saved it or chose to discard it; false for 取消 (or a save that failed).
    bool mayDiscardInput();

    // Computes from the table: refused, listing the problems, while any cell has one.
    void compute();

    // The dialogue of 计 算 fills the table: it is emptied when the dialogue starts (one step of undo with every
    // reply), and every reply lands in its cell as it is typed. At its end the table holds the values of the run
    // (`typed`, with the angles a field book gave), and the cell of the value a stop is about is marked with the
    // stop's reason.
    void beginDialogue();
    void dialogueReply(EnteredValue value, const std::string& text);
    void endDialogue(const Observations& typed, const std::optional<RunStopped>& stop);

    // Opens a file chosen in a dialog, after the question about unsaved input.
    void chooseFileToOpen();
    void chooseFileToSave();
    void chooseFieldBook();
    void newDataSet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addFileCommands(QMenu& fileMenu);
    QMenu* editMenu();
    void showTitle();
    void rememberRecent(const std::filesystem::path& path);
    void showRecent();
    void recomputeWhileTyping();
    void warn(const QString& message);
    void say(const QString& message);

    MainWindow& window_;
    ObservationDocument document_;
    ObservationTablePanel* panel_;
    QMenu* recent_ = nullptr;
    bool inDialogue_ = false;
};


}  // namespace morvalen::app
