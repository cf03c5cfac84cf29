// The main window. The window only wires widgets to the problem: what a cell
// commit does lives in ApplyGeneralValue, Save and Open in core, the
// computation in the engine and the report in the print job.
#include "ui/TFormKRV.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <ctime>

#include "base/Dialogs.h"
#include "base/QtText.h"
#include "core/Check.h"
#include "core/DatafileCommands.h"
#include "core/GeneralDataRules.h"
#include "core/ProblemDefaults.h"
#include "print/PrintJob.h"
#include "ui/FramePlacement.h"
#include "ui/HelpTexts.h"
#include "ui/MainWindowPlacement.h"
#include "ui/ModalScope.h"
#include "ui/StoredEdit.h"
#include "ui/StringGrid.h"
#include "ui/TFormAnchors.h"
#include "ui/TFormAxis.h"
#include "ui/TFormDesign.h"
#include "ui/TFormGraphs.h"
#include "ui/TFormManual.h"
#include "ui/TFormProfiles.h"
#include "ui/TFormSections.h"
#include "ui/TFormSoils.h"
#include "ui/TFormTables.h"
#include "ui/WindowParts.h"

namespace korvanu {
namespace {

constexpr int kGridLeft = 10;
constexpr int kGridTop = 57;
constexpr int kGridWidth = 525;
constexpr int kGridHeight = 153;
constexpr int kGridRows = GeneralFieldCount;

// The keys of the commands, from any window of the program.
constexpr const char* kOpenKey = "Ctrl+O";
constexpr const char* kNewKey = "Ctrl+N";
constexpr const char* kSaveKey = "Ctrl+S";
constexpr const char* kPrintKey = "Ctrl+P";
constexpr const char* kComputeKey = "F9";
constexpr const char* kUndoKey = "Ctrl+Z";
constexpr const char* kRedoKeys[] = {"Ctrl+Y", "Ctrl+Shift+Z"};

// The print options in the order of PrintOptions.
struct OptionSpec {
  const char* name;
  const char* caption;
};
constexpr OptionSpec kOptions[9] = {
    {"CheckBoxGeneral", "Print General Data"}, {"CheckBoxLayers", "Print Layers Data"},
    {"CheckBoxAnchors", "Print Anchors Data"}, {"CheckBoxAxial", "Print Axial Forces Data"},
    {"CheckBoxCatalogue", "Print Catalogue"},  {"CheckBoxSections", "Print Sections"},
    {"CheckBoxTables", "Print Output Tables"}, {"CheckBoxGraphs", "Print Output Graphs"},
    {"CheckBoxColors", "Print Colors"},
};

}  // namespace

TFormKRV::TFormKRV(AppContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      problem_(context.Problem),
      view_(context.View),
      clock_(SystemSecondsClock()),
      quit_([] { QCoreApplication::exit(0); }),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      unsaved_(context.Problem) {
  context_.Windows.Main = this;
  setObjectName(QStringLiteral("FormKRV"));
  setWindowTitle(QStringLiteral("Korvanu - Sheet Pile Wall"));
  setFont(SansFont(8));
  setMinimumSize(MinimumMainWidth, MinimumMainHeight);
  frame_ = new FramePlacement(*this);

  client_ = new QWidget(this);
  Paint(client_, colors::Aqua);
  setCentralWidget(client_);

  BuildMenu();
  BuildToolbar();
  BuildPanels();
  context_.History.OnChange = [this] { UpdateEditCommands(); };
  FormCreate();
  created_ = true;
  qApp->installEventFilter(this);
}

TFormKRV::~TFormKRV() {
  context_.History.OnChange = nullptr;
}

void TFormKRV::BuildMenu() {
  const auto add = [this](QMenu* menu, const char* name, const QString& text,
                          void (TFormKRV::*slot)(), QList<QKeySequence> keys = {}) {
    QAction* action = menu ? menu->addAction(text) : menuBar()->addAction(text);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    // The keys work in every window of the program, the tool windows too.
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  add(file, "Open1", QStringLiteral("&Open"), &TFormKRV::SpeedButtonOpenClick,
      {QKeySequence(kOpenKey)});
  add(file, "New1", QStringLiteral("&New"), &TFormKRV::New1Click, {QKeySequence(kNewKey)});
  add(file, "Save1", QStringLiteral("&Save"), &TFormKRV::SpeedButtonSaveClick,
      {QKeySequence(kSaveKey)});
  add(file, "Print1", QStringLiteral("&Print"), &TFormKRV::SpeedButtonPrintClick,
      {QKeySequence(kPrintKey)});
  file->addSeparator();
  add(file, "Quit2", QStringLiteral("&Quit"), &TFormKRV::SpeedButtonQuitClick);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  add(help, "Info1", QStringLiteral("&Introduction"), &TFormKRV::SpeedButtonHelpClick);
  add(help, "Manual1", QStringLiteral("&Manual"), &TFormKRV::SpeedButtonManualClick);

  add(nullptr, "Options1", QStringLiteral("&Options"), &TFormKRV::SpeedButtonOptionsClick);
  add(nullptr, "Soils1", QStringLiteral("&Layers"), &TFormKRV::SpeedButtonSoilsClick);
  add(nullptr, "Anchors1", QStringLiteral("&Anchors"), &TFormKRV::SpeedButtonAnchorsClick);
  add(nullptr, "Forces1", QStringLiteral("A&xial"), &TFormKRV::SpeedButtonAxialClick);
  add(nullptr, "Catalogue1", QStringLiteral("&Profiles"), &TFormKRV::SpeedButtonProfileClick);
  add(nullptr, "Sections1", QStringLiteral("&Sections"), &TFormKRV::SpeedButtonSectionsClick);
  add(nullptr, "Run1", QStringLiteral("&Compute"), &TFormKRV::SpeedButtonRunClick,
      {QKeySequence(kComputeKey)});
  add(nullptr, "Results1", QStringLiteral("&Tables"), &TFormKRV::SpeedButtonScreenOutputClick)
      ->setEnabled(false);
  add(nullptr, "Graphs1", QStringLiteral("&Graphs"), &TFormKRV::SpeedButtonScreenGraphsClick)
      ->setEnabled(false);
  add(nullptr, "Manual2", QStringLiteral("&Manual"), &TFormKRV::SpeedButtonManualClick);
  add(nullptr, "Design1", QStringLiteral("&Design"), &TFormKRV::SpeedButtonDesignClick);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("Edit1"));
  add(edit, "Undo1", QStringLiteral("&Undo"), &TFormKRV::Undo1Click, {QKeySequence(kUndoKey)})
      ->setEnabled(false);
  add(edit, "Redo1", QStringLiteral("&Redo"), &TFormKRV::Redo1Click,
      {QKeySequence(kRedoKeys[0]), QKeySequence(kRedoKeys[1])})
      ->setEnabled(false);
}

void TFormKRV::BuildToolbar() {
  panelKRV_ = new QFrame(client_);
  panelKRV_->setObjectName(QStringLiteral("PanelKRV"));
  Paint(panelKRV_, colors::Lime);

  // One row per button: its name, its place (negative: from the right edge,
  // placed on resize), its tooltip, its image and what it does.
  struct ButtonSpec {
    const char* name;
    int left;
    const char* tooltip;
    const char* icon;
    void (TFormKRV::*handler)();
    const char* key = nullptr;  // shown in the tooltip
  };
  static constexpr ButtonSpec kButtons[] = {
      {"SpeedButtonOpen", 0, "Open", "open", &TFormKRV::SpeedButtonOpenClick, kOpenKey},
      {"SpeedButtonNew", 25, "New", "new", &TFormKRV::New1Click, kNewKey},
      {"SpeedButtonSave", 50, "Save", "save", &TFormKRV::SpeedButtonSaveClick, kSaveKey},
      {"SpeedButtonPrint", 75, "Print", "print", &TFormKRV::SpeedButtonPrintClick, kPrintKey},
      {"SpeedButtonOptions", 100, "Print Options", "options", &TFormKRV::SpeedButtonOptionsClick},
      {"SpeedButtonSoils", 125, "Layers", "layers", &TFormKRV::SpeedButtonSoilsClick},
      {"SpeedButtonAnchors", 150, "Anchors", "anchors", &TFormKRV::SpeedButtonAnchorsClick},
      {"SpeedButtonAxial", 175, "Axial Forces", "axial", &TFormKRV::SpeedButtonAxialClick},
      {"SpeedButtonProfile", 200, "Profiles", "profiles", &TFormKRV::SpeedButtonProfileClick},
      {"SpeedButtonSections", 225, "Sections", "sections", &TFormKRV::SpeedButtonSectionsClick},
      {"SpeedButtonRun", 250, "Compute", "compute", &TFormKRV::SpeedButtonRunClick, kComputeKey},
      {"SpeedButtonScreenOutput", 275, "Output Tables", "tables",
       &TFormKRV::SpeedButtonScreenOutputClick},
      {"SpeedButtonScreenGraphs", 300, "Output Graphs", "graphs",
       &TFormKRV::SpeedButtonScreenGraphsClick},
      {"SpeedButtonManual", 325, "Manual", "manual", &TFormKRV::SpeedButtonManualClick},
      {"SpeedButtonDesign", 350, "Design Summary", "design", &TFormKRV::SpeedButtonDesignClick},
      {"SpeedButtonHelp", -32, "Help", "help", &TFormKRV::SpeedButtonHelpClick},
      {"SpeedButtonQuit", -57, "Quit", "quit", &TFormKRV::SpeedButtonQuitClick},
  };
  for (const ButtonSpec& entry : kButtons) {
    QString tooltip = QLatin1String(entry.tooltip);
    if (entry.key != nullptr) tooltip += QStringLiteral(" (%1)").arg(QLatin1String(entry.key));
    QToolButton* button = MakeImageButton(panelKRV_, entry.name, tooltip, entry.icon);
    button->move(std::max(entry.left, 0), 0);
    connect(button, &QToolButton::clicked, this, entry.handler);
  }
  // Quit is reached through the File menu only.
  Button("SpeedButtonQuit").hide();
  // Right of the buttons: why a typed Length gave way.
  lengthNote_ = MakeLabel(panelKRV_, "LabelLengthNote", QString(), 385, 6, false, 0);
}

void TFormKRV::ShowLengthNote(const std::string& note) {
  lengthNote_->setText(ToQString(note));
  lengthNote_->resize(lengthNote_->sizeHint());
}

void TFormKRV::BuildPanels() {
  panelGeneral_ = MakePanel(client_, "PanelGeneral", colors::Lime);
  labelGeneral_ = MakeLabel(panelGeneral_, "LabelGeneral",
                            QStringLiteral("Sheet Pile Wall : General Data"), 8, 6, true);
  labelGeneral_->setFont(SansFont(9, true));
  labelGeneral_->resize(300, labelGeneral_->sizeHint().height());
  buttonGeneralHelp_ =
      MakeImageButton(panelGeneral_, "ButtonGeneralHelp", QStringLiteral("Help"), "help");
  connect(buttonGeneralHelp_, &QToolButton::clicked, this, &TFormKRV::ButtonGeneralHelpClick);

  mainGrid_ = new StringGrid(2, kGridRows, 1, 0, client_);
  mainGrid_->setObjectName(QStringLiteral("MainGrid"));
  SetUpGrid(*mainGrid_, QFont(QStringLiteral("Courier New"), 9), 18, {});
  mainGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mainGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mainGrid_->OnSelectCell = [this](int col, int row) { return MainGridSelectCell(col, row); };
  mainGrid_->OnKeyPress = [this](QKeyEvent& event) { return MainGridKeyPress(event); };

  panelOptions_ = MakePanel(client_, "PanelOptions", colors::Lime);
  MakeLabel(panelOptions_, "LabelOptions", QStringLiteral("Options"), 16, 8, true)
      ->setFont(SansFont(9, true));
  for (int i = 0; i < 9; ++i) {
    auto* box = new QCheckBox(QLatin1String(kOptions[i].caption), panelOptions_);
    box->setObjectName(QLatin1String(kOptions[i].name));
    box->setGeometry(16, 32 + 24 * i, 150, 17);
    box->setChecked(i < 8);
    box->setFocusPolicy(Qt::NoFocus);
    optionBoxes_[i] = box;
  }
  // The panel grows by the boxes added after the nine.
  designBox_ = new QCheckBox(QStringLiteral("Print Design Summary"), panelOptions_);
  designBox_->setObjectName(QStringLiteral("CheckBoxDesign"));
  designBox_->setGeometry(16, 32 + 24 * 9, 150, 17);
  designBox_->setFocusPolicy(Qt::NoFocus);
  panelOptions_->hide();

  panelProgress_ = MakePanel(client_, "PanelProgress", colors::Red);
  progressLabels_[0] =
      MakeLabel(panelProgress_, "Label1", QStringLiteral("Computations"), 96, 16, true);
  progressLabels_[1] =
      MakeLabel(panelProgress_, "Label2", QStringLiteral("Loading Step : 0"), 16, 48);
  progressLabels_[2] =
      MakeLabel(panelProgress_, "Label3", QStringLiteral("Number of Plastic springs :  0"), 16, 80);
  progressLabels_[3] =
      MakeLabel(panelProgress_, "Label4", QStringLiteral("Writing Output in Datafile "), 16, 112);
  progressLabels_[0]->resize(160, progressLabels_[0]->height());
  progressLabels_[3]->hide();
  panelProgress_->hide();
}

QToolButton& TFormKRV::Button(const char* objectName) {
  auto* button = panelKRV_->findChild<QToolButton*>(QLatin1String(objectName));
  KORVANU_CHECK(button);
  return *button;
}

QAction& TFormKRV::MenuAction(const char* objectName) {
  auto* action = menuBar()->findChild<QAction*>(QLatin1String(objectName));
  KORVANU_CHECK(action);
  return *action;
}

void TFormKRV::FormCreate() {
  openFolder_ = saveFolder_ = QDir::currentPath();
  frame_->Place([this] { PlaceWindow(); });
  Button("SpeedButtonSave").setEnabled(true);
  Button("SpeedButtonPrint").setEnabled(true);
  MenuAction("Results1").setEnabled(false);
  MenuAction("Graphs1").setEnabled(false);
  InitialiseProblem(problem_, view_);
  context_.History.Clear();
  context_.Results.Clear();
  ShowLengthNote({});
  dialogFileName_ = ToQString(problem_.General.FileName);
  LayOut();
  for (int row = 0; row < kGridRows; ++row)
    mainGrid_->SetCell(0, row, QLatin1String(GeneralCaption(static_cast<GeneralField>(row))));
  WriteGridColumn();
  view_.CurrentCol = 1;
  view_.CurrentRow = 0;
  mainGrid_->MoveCursor(1, 0);
  mainGrid_->setFocus();
  Refresh();
  unsaved_.Record(problem_);
}

void TFormKRV::PlaceWindow() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // The place is that of the frame: on a small screen the whole window fits.
  const QRect place = MainWindowPlacement(screen->size().width(), screen->size().height());
  resize(LimitMainWindowSize(
      QSize(frame_->ClientWidth(place.width()), frame_->ClientHeight(place.height()))));
  frame_->MoveFrameTo(place.topLeft());
}

void TFormKRV::LayOut() {
  mainGrid_->setGeometry(kGridLeft, kGridTop, kGridWidth, kGridHeight);
  mainGrid_->setColumnWidth(0, 210);
  mainGrid_->setColumnWidth(1, 315);
  panelGeneral_->setGeometry(kGridLeft, kGridTop - 30, kGridWidth, 30);
  buttonGeneralHelp_->setGeometry(kGridWidth - 29, 2, 25, 25);
  const int optionsTop = kGridTop + kGridHeight + 10;
  panelOptions_->setGeometry(kGridLeft, optionsTop, 172, 263 + 24);
  panelProgress_->setGeometry(kGridLeft + 172 + 10, optionsTop, 265, 153);
  panelProgress_->hide();
  panelKRV_->setGeometry(0, 0, width(), 25);
  Button("SpeedButtonQuit").move(QuitButtonLeft(width()), 0);
  Button("SpeedButtonHelp").move(HelpButtonLeft(width()), 0);
}

void TFormKRV::WriteGridColumn() {
  for (int row = 0; row < kGridRows; ++row)
    mainGrid_->SetCell(1, row,
                       ToQString(GeneralValueText(problem_, static_cast<GeneralField>(row))));
}

void TFormKRV::UpdateOutputCommands() {
  const bool valid = view_.ResultsValid;
  Button("SpeedButtonScreenOutput").setEnabled(valid);
  Button("SpeedButtonScreenGraphs").setEnabled(valid);
  MenuAction("Results1").setEnabled(valid);
  MenuAction("Graphs1").setEnabled(valid);
  context_.Steps.ResultsStateChanged();
}

void TFormKRV::UpdateEditCommands() {
  MenuAction("Undo1").setEnabled(context_.History.CanUndo());
  MenuAction("Redo1").setEnabled(context_.History.CanRedo());
}

void TFormKRV::Refresh() {
  WriteGridColumn();
  UpdateOutputCommands();
  view_.CurrentCol = 1;
  view_.CurrentRow = 0;
  // The column was just rewritten from the problem: there is nothing typed
  // to commit, so the cursor goes home without a cell change.
  mainGrid_->MoveCursor(1, 0);
  Button("SpeedButtonSave").setEnabled(true);
  Button("SpeedButtonPrint").setEnabled(true);
  // The tool windows that show the input follow the problem too.
  context_.Steps.ProblemChanged();
}

void TFormKRV::FormActivate() {
  ModalScope modal(context_.ModalBoxes);
  // A value typed before the user went to another window is not dropped.
  CommitPendingEdit();
  if (const std::string note = LengthFollowsLayers(problem_); !note.empty()) ShowLengthNote(note);
  dialogFileName_ = ToQString(problem_.General.FileName);
  WriteGridColumn();
  Refresh();
}

bool TFormKRV::MainGridSelectCell(int col, int row) {
  ModalScope modal(context_.ModalBoxes);
  // The cell being left is the grid's own cursor cell, whatever window last
  // set CurrentRow for its grid.
  const int leftRow = mainGrid_->Row();
  const auto field = static_cast<GeneralField>(leftRow);
  EditLocation where;
  where.Col = 1;
  where.Row = leftRow;
  CellCommit edit;
  {
    StoredEdit stored(context_, where);
    edit = ApplyGeneralValue(problem_, view_, field, ToStdString(mainGrid_->Cell(1, leftRow)));
  }
  if (!edit.Accepted) {
    context_.Dialog.Message(this, ToQString(edit.Message));
    mainGrid_->SetCell(1, leftRow, ToQString(edit.Shown));
    return false;
  }
  mainGrid_->SetCell(1, leftRow, ToQString(edit.Shown));
  // A Length typed anew, or another lowest layer: the note is past.
  if (field == GeneralField::Length || field == GeneralField::NL) ShowLengthNote({});
  if (field == GeneralField::FileName) dialogFileName_ = ToQString(problem_.General.FileName);
  if (edit.OthersChanged)
    mainGrid_->SetCell(1, static_cast<int>(GeneralField::Length),
                       ToQString(GeneralValueText(problem_, GeneralField::Length)));
  view_.CurrentCol = col;
  view_.CurrentRow = row;
  UpdateOutputCommands();
  context_.Steps.ProblemChanged();
  return true;
}

bool TFormKRV::MainGridKeyPress(QKeyEvent& event) {
  if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) return false;
  const int next = mainGrid_->Row() >= kGridRows - 1 ? 0 : mainGrid_->Row() + 1;
  mainGrid_->SelectCell(1, next);
  mainGrid_->Editor()->setFocus();
  return true;
}

bool TFormKRV::CommitPendingEdit() {
  // A value still typed into an editor goes into the problem first, as if
  // its cell had been left, so that no command acts without it.
  const WindowSet& w = context_.Windows;
  EditorWindow* const editors[] = {w.Soils, w.Profiles, w.Anchors, w.Axis};
  for (EditorWindow* editor : editors)
    if (editor != nullptr && editor->isVisible() && !editor->CommitTypedValue()) return false;
  if (!mainGrid_->EditModified()) return true;
  return MainGridSelectCell(mainGrid_->Col(), mainGrid_->Row());
}

void TFormKRV::ShowMessages(const std::vector<std::string>& messages) {
  for (const std::string& message : messages) context_.Dialog.Message(this, ToQString(message));
}

void TFormKRV::Toggle(ToolWindow* window) {
  if (!window) return;
  bool& shown = window->ShownFlag();
  if (shown) {
    shown = false;
    window->hide();
  } else {
    ShowToolWindow(window);
  }
}

void TFormKRV::ShowToolWindow(ToolWindow* window) {
  if (!window) return;
  window->ShownFlag() = true;
  window->show();
  window->raise();
  window->activateWindow();
}

void TFormKRV::HideToolWindowsExceptManual() {
  const WindowSet& w = context_.Windows;
  ToolWindow* const windows[] = {w.Soils, w.Profiles, w.Sections, w.Anchors,
                                 w.Axis,  w.Tables,   w.Graphs};
  for (ToolWindow* window : windows) {
    if (!window) continue;
    window->ShownFlag() = false;
    window->hide();
  }
}

void TFormKRV::SpeedButtonOpenClick() {
  ModalScope modal(context_.ModalBoxes);
  if (!CommitPendingEdit() || !SaveChangesFirst()) return;
  const std::optional<QString> chosen =
      context_.Dialog.OpenFile(this, openFolder_, dialogFileName_);
  std::optional<std::string> path;
  if (chosen) path = QFile::encodeName(*chosen).toStdString();
  const OpenOutcome outcome = OpenProblem(problem_, view_, path);
  // Only a file that was read moves the current folder: the step files of a
  // problem kept after a refused file stay where they were.
  if (outcome.Loaded) {
    QDir::setCurrent(QFileInfo(*chosen).absolutePath());
    unsaved_.Record(problem_);
    context_.History.Clear();
    context_.Results.Clear();
    ShowLengthNote({});
  }
  ShowMessages(outcome.Messages);
  // Open cleared the shown flags of the options panel and the tool windows.
  panelOptions_->setVisible(view_.PrintOptionsShown);
  HideToolWindowsExceptManual();
  dialogFileName_ = ToQString(problem_.General.FileName);
  Refresh();
}

void TFormKRV::New1Click() {
  ModalScope modal(context_.ModalBoxes);
  if (!CommitPendingEdit() || !SaveChangesFirst()) return;
  FormCreate();
}

void TFormKRV::SpeedButtonSaveClick() {
  ModalScope modal(context_.ModalBoxes);
  if (!CommitPendingEdit()) return;
  SaveFromWindow();
}

bool TFormKRV::SaveFromWindow() {
  const std::optional<QString> chosen =
      context_.Dialog.SaveFile(this, saveFolder_, dialogFileName_);
  std::optional<std::string> path;
  if (chosen) path = QFile::encodeName(*chosen).toStdString();
  const SaveOutcome outcome =
      SaveProblem(problem_, path, static_cast<std::uint64_t>(std::time(nullptr)));
  // Only a written file moves the current folder, as for Open.
  if (outcome.Written) {
    QDir::setCurrent(QFileInfo(*chosen).absolutePath());
    saveFolder_ = QFile::decodeName(QByteArray::fromStdString(outcome.Folder));
    unsaved_.Record(problem_);
  }
  ShowMessages(outcome.Messages);
  dialogFileName_ = ToQString(problem_.General.FileName);
  Refresh();
  return outcome.Written;
}

bool TFormKRV::SaveChangesFirst() {
  if (!unsaved_.Pending(problem_)) return true;
  switch (context_.Dialog.AskSaveChanges(this, ToQString(SaveChangesQuestion(problem_)))) {
    case SaveChangesAnswer::Save:
      return SaveFromWindow();
    case SaveChangesAnswer::Discard:
      return true;
    case SaveChangesAnswer::Cancel:
      break;
  }
  return false;
}

void TFormKRV::SpeedButtonPrintClick() {
  ModalScope modal(context_.ModalBoxes);
  if (!CommitPendingEdit()) return;
  PrintJobHooks hooks;
  hooks.ShowOptionsPanel = [this](bool shown) { panelOptions_->setVisible(shown); };
  hooks.Compute = [this] { return RunComputationFromWindow(); };
  hooks.Results = &context_.Engine.Nodes;
  hooks.GraphsClientSize = [this] {
    const TFormGraphs* graphs = context_.Windows.Graphs;
    return graphs ? graphs->size() : QSize(DesignedGraphsClientWidth, DesignedGraphsClientHeight);
  };
  hooks.DesignSearchResults = [this] {
    // Searches the design window holds for the problem as it is are not run again.
    const TFormDesign* design = context_.Windows.Design;
    const DesignSearches* known = design ? design->ShownSearches() : nullptr;
    return known ? *known : RunDesignSearches(problem_);
  };
  ProposeReportFile(*printer_, problem_);
  PrintJob job(problem_, view_, context_.Dialog, std::move(hooks));
  job.Run(CurrentPrintOptions(), *printer_, this);
}

PrintOptions TFormKRV::CurrentPrintOptions() const {
  PrintOptions options;
  options.General = optionBoxes_[0]->isChecked();
  options.Layers = optionBoxes_[1]->isChecked();
  options.Anchors = optionBoxes_[2]->isChecked();
  options.Axial = optionBoxes_[3]->isChecked();
  options.Catalogue = optionBoxes_[4]->isChecked();
  options.Sections = optionBoxes_[5]->isChecked();
  options.Tables = optionBoxes_[6]->isChecked();
  options.Graphs = optionBoxes_[7]->isChecked();
  options.Colors = optionBoxes_[8]->isChecked();
  options.Design = designBox_->isChecked();
  return options;
}

void TFormKRV::SpeedButtonOptionsClick() {
  view_.PrintOptionsShown = !view_.PrintOptionsShown;
  panelOptions_->setVisible(view_.PrintOptionsShown);
}

void TFormKRV::SpeedButtonSoilsClick() {
  if (!CommitPendingEdit()) return;
  view_.CurrentCol = 1;
  view_.CurrentRow = 2;
  if (!view_.SoilsShown) {
    view_.CurrentStep = 0;
    if (context_.Windows.Soils) context_.Windows.Soils->SelectStep(0);
  }
  Toggle(context_.Windows.Soils);
}

void TFormKRV::SpeedButtonAnchorsClick() {
  if (!CommitPendingEdit()) return;
  view_.CurrentCol = 2;
  view_.CurrentRow = 2;
  Toggle(context_.Windows.Anchors);
}

void TFormKRV::SpeedButtonAxialClick() {
  if (!CommitPendingEdit()) return;
  view_.CurrentCol = 1;
  view_.CurrentRow = 2;
  Toggle(context_.Windows.Axis);
}

void TFormKRV::SpeedButtonProfileClick() {
  if (!CommitPendingEdit()) return;
  view_.CurrentCol = 1;
  view_.CurrentRow = 2;
  Toggle(context_.Windows.Profiles);
}

void TFormKRV::SpeedButtonSectionsClick() {
  if (!CommitPendingEdit()) return;
  Toggle(context_.Windows.Sections);
}

void TFormKRV::SpeedButtonRunClick() {
  ModalScope modal(context_.ModalBoxes);
  if (!CommitPendingEdit()) return;
  RunComputationFromWindow();
}

bool TFormKRV::RunComputationFromWindow() {
  ModalScope modal(context_.ModalBoxes);
  KORVANU_CHECK(context_.Compute);
  view_.PrintOptionsShown = false;
  HideToolWindowsExceptManual();
  panelProgress_->show();
  panelProgress_->raise();
  panelProgress_->repaint();

  const ProgressLabels labels{panelProgress_, progressLabels_[1], progressLabels_[2],
                              progressLabels_[3]};
  WindowComputationObserver observer(labels, context_.Dialog, this, clock_);
  context_.Computed.Clear();
  context_.Results.Clear();
  observer.KeepResultsIn(&context_.Computed);
  const ComputationFault fault = context_.Compute(problem_, context_.Engine, observer);
  if (fault != ComputationFault::None) {
    // The progress panel stays and the output commands keep their state: the
    // run ended before its end.
    context_.Dialog.Error(this, QLatin1String(FaultText(fault)));
    return false;
  }
  panelProgress_->hide();
  view_.ResultsValid = true;
  context_.Results.Record(problem_, StoredEdit::CurrentFolder());
  UpdateOutputCommands();
  Refresh();
  return true;
}

void TFormKRV::SpeedButtonScreenOutputClick() {
  if (!CommitPendingEdit()) return;
  view_.CurrentStep = 1;
  Toggle(context_.Windows.Tables);
}

void TFormKRV::SpeedButtonScreenGraphsClick() {
  if (!CommitPendingEdit()) return;
  view_.CurrentStep = 1;
  Toggle(context_.Windows.Graphs);
}

void TFormKRV::SpeedButtonManualClick() {
  Toggle(context_.Windows.Manual);
}

void TFormKRV::SpeedButtonDesignClick() {
  if (!CommitPendingEdit()) return;
  Toggle(context_.Windows.Design);
}

void TFormKRV::SpeedButtonHelpClick() {
  ModalScope modal(context_.ModalBoxes);
  context_.Dialog.Message(this, IntroductionText());
}

void TFormKRV::ButtonGeneralHelpClick() {
  ModalScope modal(context_.ModalBoxes);
  context_.Dialog.Message(this, GeneralDataHelpText());
}

void TFormKRV::SpeedButtonQuitClick() {
  {
    ModalScope modal(context_.ModalBoxes);
    if (!CommitPendingEdit() || !SaveChangesFirst()) return;
  }
  quit_();
}

void TFormKRV::Undo1Click() {
  MoveThroughHistory(&EditHistory::Undo);
}

void TFormKRV::Redo1Click() {
  MoveThroughHistory(&EditHistory::Redo);
}

void TFormKRV::MoveThroughHistory(std::optional<EditLocation> (EditHistory::*move)(ProblemData&)) {
  ModalScope modal(context_.ModalBoxes);
  // A value still typed is stored first: it is the last edit.
  if (!CommitPendingEdit()) return;
  std::optional<EditLocation> where;
  {
    // Back at the problem computed last, its results hold again.
    StoredEdit change(context_);
    where = (context_.History.*move)(problem_);
  }
  if (where) ShowEdit(*where);
}

void TFormKRV::ShowEdit(const EditLocation& where) {
  dialogFileName_ = ToQString(problem_.General.FileName);
  WriteGridColumn();
  UpdateOutputCommands();
  const WindowSet& w = context_.Windows;
  // The step windows follow the step of the edit; the other shown windows
  // refill from the problem as it is now.
  const bool stepEdit = where.Window == EditWindow::Soils || where.Window == EditWindow::Anchors;
  if (stepEdit) {
    view_.CurrentStep = std::clamp(where.Step, 0, std::clamp(problem_.General.NT, 0, MaxSteps));
    view_.CurrentSide = where.WallSide;
  }
  EditorWindow* const editors[] = {w.Soils, w.Profiles, w.Anchors, w.Axis};
  for (EditorWindow* editor : editors)
    if (editor != nullptr && editor->isVisible()) editor->FormPaint();
  if (stepEdit)
    context_.Steps.StepChosen(
        where.Window == EditWindow::Soils ? StepWindow::Soils : StepWindow::Anchors,
        view_.CurrentStep);
  context_.Steps.ProblemChanged();

  EditorWindow* editor = nullptr;
  switch (where.Window) {
    case EditWindow::General:
      // Not activated: coming back to the main window puts Length back to the
      // depth of the layers, which would undo a typed Length once more.
      raise();
      view_.CurrentCol = 1;
      view_.CurrentRow = std::clamp(where.Row, 0, kGridRows - 1);
      mainGrid_->MoveCursor(1, view_.CurrentRow);
      return;
    case EditWindow::Soils:
      editor = w.Soils;
      break;
    case EditWindow::Profiles:
      editor = w.Profiles;
      break;
    case EditWindow::Anchors:
      editor = w.Anchors;
      break;
    case EditWindow::Axial:
      editor = w.Axis;
      break;
    case EditWindow::Design:
      ShowToolWindow(w.Design);
      return;
  }
  if (editor != nullptr) editor->ShowCell(where.Col, where.Row);
}

bool TFormKRV::eventFilter(QObject* watched, QEvent* event) {
  // Undo and redo are the program's in every widget of every window: a box
  // with text of its own (a grid's cell, a step chooser, a design setting)
  // would take the keys for its text and leave the program's edits alone.
  if (event->type() == QEvent::ShortcutOverride &&
      IsUndoOrRedoKey(*static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  // The export key of the output and cross-section windows, wherever the
  // keyboard is in them: their step chooser keeps a key of the window alone.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QKeyEvent*>(event)->keyCombination() == ExportKey) {
    auto* command = static_cast<QWidget*>(watched)->window()->findChild<QAction*>(
        QLatin1String(ExportActionName), Qt::FindDirectChildrenOnly);
    if (command != nullptr) {
      command->trigger();
      return true;
    }
  }
  // A click into the window while another one is active activates it first,
  // as the user expects; the window system reports the activation only after
  // the click, when it would put the cursor back on the first row.
  if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this && !isActiveWindow() && created_ &&
      context_.ModalBoxes == 0 && !activatedByClick_) {
    activatedByClick_ = true;
    FormActivate();
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TFormKRV::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
      deactivatedByModal_ = context_.ModalBoxes > 0 || QApplication::activeModalWidget() != nullptr;
      activatedByClick_ = false;
      break;
    case QEvent::WindowActivate:
      if (deactivatedByModal_ || activatedByClick_) {
        deactivatedByModal_ = false;
        activatedByClick_ = false;
      } else if (created_ && context_.ModalBoxes == 0) {
        FormActivate();
      }
      break;
    default:
      break;
  }
  return QMainWindow::event(event);
}

void TFormKRV::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  const QSize limited = LimitMainWindowSize(size());
  if (limited != size()) resize(limited);
  panelKRV_->setGeometry(0, 0, width(), 25);
  Button("SpeedButtonQuit").move(QuitButtonLeft(width()), 0);
  Button("SpeedButtonHelp").move(HelpButtonLeft(width()), 0);
}

void TFormKRV::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  ModalScope modal(context_.ModalBoxes);
  CommitPendingEdit();
  Refresh();
}

void TFormKRV::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program, tool windows or not, unless
  // the user keeps it to save unsaved changes.
  {
    ModalScope modal(context_.ModalBoxes);
    if (!CommitPendingEdit() || !SaveChangesFirst()) {
      event->ignore();
      return;
    }
  }
  event->accept();
  quit_();
}

}  // namespace korvanu
