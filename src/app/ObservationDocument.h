// The data set of the window's observation table: the values as typed, the file they belong to, and the edits that
// can be undone.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <filesystem>
#include <string>

#include "entry/Observations.h"
#include "files/TextCodec.h"

namespace morvalen::app {

class ObservationDocument : public QObject {
    Q_OBJECT

public:
    explicit ObservationDocument(QObject* parent = nullptr);

    const Observations& observations() const { return observations_; }

    // A cell typed: one step of undo per cell, the keystrokes of one cell typed in a row merged into it.
    void editCell(EnteredValue value, const std::string& text);
    // The whole data set replaced as one step of undo (the table emptied before a dialogue, the angles of a field
    // book), named by `what` for the menu 编辑.
    void replaceAll(const Observations& observations, const QString& what);
    // A data set that starts afresh (a new one, a file opened): nothing to undo, nothing unsaved.
    void reset(const Observations& observations, const std::filesystem::path& file = {}, const std::string& rowId = {});

    QUndoStack& undoStack() { return undo_; }
    // True when the table holds input that is not saved in its file.
    bool modified() const { return !undo_.isClean(); }
    // The table is saved in `file`, as the row `rowId` (empty for a file without ids).
    void markSaved(const std::filesystem::path& file, const std::string& rowId);

    const std::filesystem::path& file() const { return file_; }
    const std::string& rowId() const { return rowId_; }

    // Sets the values without a step of undo; only the undo commands use it.
    void setObservations(const Observations& observations);

signals:
    // Any change of the values: the cells, the checks and the case follow.
    void changed();
    // The file, the row or the modified mark changed: the window's title follows.
    void fileChanged();

private:
    Observations observations_;
    QUndoStack undo_;
    std::filesystem::path file_;
    std::string rowId_;
};

}  // namespace morvalen::app
