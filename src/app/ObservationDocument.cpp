#include "app/ObservationDocument.h"

#include <QUndoCommand>

#include "app/Translated.h"
#include "entry/ObservationChecks.h"

namespace morvalen::app {
namespace {

// One change of the table, kept as the data set before and after it.
class TableEdit : public QUndoCommand {
public:
    TableEdit(ObservationDocument& document, Observations after, const QString& what, int cell)
        : QUndoCommand(what), document_(document), before_(document.observations()), after_(std::move(after)),
          cell_(cell) {}

    void undo() override { document_.setObservations(before_); }
    void redo() override { document_.setObservations(after_); }
    // Typing in one cell: every keystroke one edit, merged into the first while the cell stays the same.
    int id() const override { return cell_ < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const TableEdit*>(other);
        if (next->cell_ != cell_) return false;
        after_ = next->after_;
        return true;
    }

private:
    ObservationDocument& document_;
    Observations before_;
    Observations after_;
    int cell_;  // the value typed, -1 for a change of the whole table
};

}  // namespace

ObservationDocument::ObservationDocument(QObject* parent) : QObject(parent) {
    connect(&undo_, &QUndoStack::cleanChanged, this, &ObservationDocument::fileChanged);
}

void ObservationDocument::editCell(EnteredValue value, const std::string& text) {
    if (observations_.text(value) == text) return;
    Observations after = observations_;
    after.text(value) = text;
    undo_.push(new TableEdit(*this, std::move(after),
                             translated("输入 %1", {QString::fromStdString(valueName(value))}),
                             static_cast<int>(value)));
}

void ObservationDocument::replaceAll(const Observations& observations, const QString& what) {
    if (observations == observations_) return;
    undo_.push(new TableEdit(*this, observations, what, -1));
}

void ObservationDocument::reset(const Observations& observations, const std::filesystem::path& file,
                                const std::string& rowId) {
    undo_.clear();
    file_ = file;
    rowId_ = rowId;
    setObservations(observations);
    emit fileChanged();
}

void ObservationDocument::markSaved(const std::filesystem::path& file, const std::string& rowId) {
    file_ = file;
    rowId_ = rowId;
    undo_.setClean();
    emit fileChanged();
}

void ObservationDocument::setObservations(const Observations& observations) {
    observations_ = observations;
    emit changed();
}

}  // namespace morvalen::app
