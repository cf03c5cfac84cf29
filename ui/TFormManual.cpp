// The manual window.
#include "ui/TFormManual.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QToolButton>
#include <algorithm>

#include "base/Dialogs.h"
#include "manual/ManualScreen.h"
#include "manual/ManualText.h"
#include "manual/PrintedManual.h"
#include "print/PrintJob.h"
#include "ui/FramePlacement.h"
#include "ui/HelpTexts.h"
#include "ui/StepChooser.h"
#include "ui/WindowParts.h"

namespace korvanu {

namespace {

constexpr int PanelHeight = 30;

}  // namespace

TFormManual::TFormManual(AppContext& context)
    : ToolWindow(context, &ViewState::ManualShown, QStringLiteral("Manual"), Layer::Normal) {
  setObjectName(QStringLiteral("FormManual"));
  setFixedSize(ManualClientWidth, ManualClientHeight);
  PlaceByFrame([this] { Frame().MoveFrameTo(QPoint(25, 25)); });
  Paint(this, colors::Aqua);
  // The text is read here, once, and never while painting.
  (void)TheManual();

  panel_ = MakePanel(this, "PanelManual", colors::Lime);
  panel_->setGeometry(0, 0, ManualClientWidth, PanelHeight);
  print_ = MakeImageButton(panel_, "SpeedButtonPrint", QStringLiteral("Print Manual"), "print");
  print_->move(2, 3);
  connect(print_, &QToolButton::clicked, this, &TFormManual::SpeedButtonPrintClick);
  label_ = MakeLabel(panel_, "LabelPage", QStringLiteral("Page :"), 450, 8, false, 0);
  chooser_ =
      new StepChooser(panel_, label_->geometry().right() + 1 + 10, 4, 40, QStringLiteral(" 1"));
  chooser_->setObjectName(QStringLiteral("ComboBoxPage"));
  chooser_->setToolTip(QStringLiteral("Page"));
  chooser_->SetSteps(1, ManualPageCount, currentPage_);
  chooser_->OnChange = [this] { ComboBoxPageChange(); };
  help_ = MakeHelpButton(panel_, QStringLiteral("Help on Manual"));
  help_->move(ManualClientWidth - 34, 3);
  connect(help_, &QToolButton::clicked, this, &TFormManual::SpeedButtonHelpClick);
}

void TFormManual::ComboBoxPageChange() {
  currentPage_ = std::clamp(chooser_->TypedStep(), 1, ManualPageCount);
  chooser_->Select(currentPage_);
  update();
}

void TFormManual::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawManualScreen(painter, currentPage_, width());
}

void TFormManual::SpeedButtonHelpClick() {
  ShowMessage(ManualHelpText());
}

void TFormManual::SpeedButtonPrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  if (!context_.Dialog.Print(this, printer)) return;
  if (!PrintManual(printer).Printed) ShowMessage(QString::fromLatin1(PrinterFailedText));
}

}  // namespace korvanu
