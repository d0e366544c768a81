// The questions the window asks before a click would lose typed values or hand on results that no longer belong to
// the table: each returns what the surveyor chose, and 取消 (or closing the box) always leaves everything as it was.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

class QDialog;
class QWidget;

namespace morvalen::app {

// Results not computed from the values the table holds now: printing or exporting them asks first. True for
// "use them anyway"; `what` names the action ("打印", "导出").
bool mayUseStaleResults(QWidget* parent, const QString& what);

// Before 计 算 replaces a table holding unsaved values with the dialogue's replies (one step of 撤销).
bool mayReplaceTableByDialogue(QWidget* parent);

// How a data set is saved into an observation file that exists already.
enum class SaveInto { replaceFile, addRow };
// Asks when `path` is an existing, non-empty file: replace it by this one data set, or add the data set as a row.
// A new or empty file is simply written (addRow); nullopt for 取消.
std::optional<SaveInto> askHowToSaveInto(QWidget* parent, const std::filesystem::path& path);

// A window of results opened while they are stale: a line at its top says so, its title carries the mark, and its
// print buttons (object names beginning with "Print") are disabled with the reason in their tooltip.
void markStaleWindow(QDialog& window);

// The texts of the mark, shared by the main window's status line and the windows of results.
QString staleResultsText();

}  // namespace morvalen::app
