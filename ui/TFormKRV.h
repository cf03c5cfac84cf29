// The main window: toolbar and menu of every command, the general data grid,
// the print options panel and the progress panel of a computation.
#pragma once

#include <QFrame>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "core/UnsavedChanges.h"
#include "print/PrintOptions.h"
#include "ui/AppContext.h"
#include "ui/WindowComputationObserver.h"

class QAction;
class QCheckBox;
class QLabel;
class QPrinter;
class QToolButton;

namespace korvanu {

class FramePlacement;
class StringGrid;
class ToolWindow;

class TFormKRV : public QMainWindow {
  Q_OBJECT

 public:
  // Creating the main window resets the problem to its defaults.
  explicit TFormKRV(AppContext& context, QWidget* parent = nullptr);
  ~TFormKRV() override;

  // Brings the window in step with the problem: the grid's values, the
  // output commands, the cursor on the first row.
  void Refresh();
  // What the window does when the user comes back to it: Length follows the
  // layers again, then Refresh.
  void FormActivate();

  // The commands of the toolbar and the menu.
  void SpeedButtonOpenClick();
  void New1Click();
  void SpeedButtonSaveClick();
  void SpeedButtonPrintClick();
  void SpeedButtonOptionsClick();
  void SpeedButtonSoilsClick();
  void SpeedButtonAnchorsClick();
  void SpeedButtonAxialClick();
  void SpeedButtonProfileClick();
  void SpeedButtonSectionsClick();
  void SpeedButtonRunClick();
  void SpeedButtonScreenOutputClick();
  void SpeedButtonScreenGraphsClick();
  void SpeedButtonManualClick();
  void SpeedButtonDesignClick();
  void SpeedButtonHelpClick();
  void ButtonGeneralHelpClick();
  void SpeedButtonQuitClick();
  // Edit › Undo and Redo, from any window: the problem as it was before the
  // last stored edit (or after the edit undone last), shown in the window of
  // the edit with the cursor on its cell.
  void Undo1Click();
  void Redo1Click();

  // The problem as it now stands counts as saved: start-up calls this once
  // every window has set its start values.
  void RecordProblemAsSaved() { unsaved_.Record(problem_); }

  // The computation as the Compute command runs it, also for the print job:
  // hides the tool windows, shows the progress, runs every step and, unless a
  // floating-point fault ends the run, validates the results. Returns whether
  // the results are valid afterwards.
  bool RunComputationFromWindow();

  // The states of the options panel's check boxes, as the print job reads them.
  PrintOptions CurrentPrintOptions() const;

  // Replaces the whole-second clock that paces the steps (tests).
  void SetClock(SecondsClock clock) { clock_ = std::move(clock); }
  // Replaces how Quit and closing the window end the program (tests).
  void SetQuit(std::function<void()> quit) { quit_ = std::move(quit); }
  // The printer of the print job; it keeps its settings from job to job.
  QPrinter& Printer() { return *printer_; }

  StringGrid& MainGrid() { return *mainGrid_; }
  QWidget& PanelOptions() { return *panelOptions_; }
  QWidget& PanelProgress() { return *panelProgress_; }
  QLabel& ProgressLabel(int number) { return *progressLabels_.at(number - 1); }
  QCheckBox& OptionBox(int index) { return *optionBoxes_.at(index); }
  QCheckBox& DesignOptionBox() { return *designBox_; }
  // On the toolbar's panel: why a typed Length gave way to the layers.
  QLabel& LabelLengthNote() { return *lengthNote_; }
  QToolButton& Button(const char* objectName);
  QAction& MenuAction(const char* objectName);
  const QString& DialogFolder() const { return openFolder_; }
  const QString& SaveDialogFolder() const { return saveFolder_; }
  const QString& DialogFileName() const { return dialogFileName_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void BuildToolbar();
  void BuildPanels();
  // Main-window creation, also run by New.
  void FormCreate();
  void PlaceWindow();
  void LayOut();
  void WriteGridColumn();
  void UpdateOutputCommands();
  void ShowLengthNote(const std::string& note);
  void UpdateEditCommands();
  // Undo or redo: `move` is EditHistory::Undo or EditHistory::Redo.
  void MoveThroughHistory(std::optional<EditLocation> (EditHistory::*move)(ProblemData&));
  // Brings every window in step with a problem put back by undo or redo and
  // shows the edit at `where`.
  void ShowEdit(const EditLocation& where);

  // The grid's select-cell rule: stores the cell being left.
  bool MainGridSelectCell(int col, int row);
  bool MainGridKeyPress(QKeyEvent& event);
  // Stores a value typed into the cursor's cell before a command acts on the
  // problem; false when the value was refused.
  bool CommitPendingEdit();
  // Before the problem is replaced or the program ends: asks whether unsaved
  // changes are to be saved first. False when the command is to stop: the
  // user cancelled, or the Save did not write the file.
  bool SaveChangesFirst();
  // The Save command; whether the datafile was written.
  bool SaveFromWindow();

  void Toggle(ToolWindow* window);
  // Shows, raises and activates a tool window, and marks it shown.
  void ShowToolWindow(ToolWindow* window);
  void HideToolWindowsExceptManual();
  void ShowMessages(const std::vector<std::string>& messages);

  AppContext& context_;
  ProblemData& problem_;
  ViewState& view_;

  FramePlacement* frame_ = nullptr;
  QWidget* client_ = nullptr;
  QFrame* panelKRV_ = nullptr;
  QLabel* lengthNote_ = nullptr;
  QFrame* panelGeneral_ = nullptr;
  QLabel* labelGeneral_ = nullptr;
  QToolButton* buttonGeneralHelp_ = nullptr;
  StringGrid* mainGrid_ = nullptr;
  QFrame* panelOptions_ = nullptr;
  std::array<QCheckBox*, 9> optionBoxes_{};
  QCheckBox* designBox_ = nullptr;
  QFrame* panelProgress_ = nullptr;
  std::array<QLabel*, 4> progressLabels_{};

  QString openFolder_;
  QString saveFolder_;
  QString dialogFileName_;
  SecondsClock clock_;
  std::function<void()> quit_;
  std::unique_ptr<QPrinter> printer_;
  UnsavedChanges unsaved_;

  // Activation that only follows one of the program's modal boxes (counted
  // in the context) is not the user coming back to the window.
  bool deactivatedByModal_ = false;
  bool activatedByClick_ = false;
  bool created_ = false;
};

}  // namespace korvanu
