// The real dialogs. The datafile dialogs show *.krv files and add the
// extension when the user types a bare name.
#include "base/QtDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>

namespace korvanu {
namespace {

const QString kTitle = QStringLiteral("Korvanu");
const QString kFilter = QStringLiteral("KRV (*.krv)");

// The tool windows stay on top of the other windows: every dialog does too,
// so that it comes up above them instead of under them.
void KeepAbove(QDialog& dialog) {
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

std::optional<QString> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                     const QString& folder, const QString& fileName) {
  QFileDialog dialog(parent, kTitle, folder, kFilter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("krv"));
  dialog.setOption(QFileDialog::ReadOnly, false);
  // A dialog of the desktop's own would not stay above the tool windows.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  KeepAbove(dialog);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  dialog.selectFile(fileName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(files.first());
}

// The texts carry their own line breaks; the box keeps them as written
// (a QMessageBox wraps lines longer than about half the screen).
void ShowBox(QWidget* parent, QStyle::StandardPixmap iconKind, const QString& text) {
  QDialog box(parent);
  box.setWindowTitle(kTitle);
  KeepAbove(box);
  auto* icon = new QLabel(&box);
  const int iconSize = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
  icon->setPixmap(box.style()->standardIcon(iconKind, nullptr, &box).pixmap(iconSize, iconSize));
  icon->setAlignment(Qt::AlignTop);
  auto* label = new QLabel(text, &box);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(false);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  auto* grid = new QGridLayout(&box);
  grid->addWidget(icon, 0, 0);
  grid->addWidget(label, 0, 1);
  grid->addWidget(buttons, 1, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  buttons->button(QDialogButtonBox::Ok)->setFocus();
  box.exec();
}

}  // namespace

void QtDialogs::Message(QWidget* parent, const QString& text) {
  ShowBox(parent, QStyle::SP_MessageBoxInformation, text);
}

void QtDialogs::Error(QWidget* parent, const QString& text) {
  ShowBox(parent, QStyle::SP_MessageBoxCritical, text);
}

std::optional<QString> QtDialogs::OpenFile(QWidget* parent, const QString& folder,
                                           const QString& fileName) {
  return RunFileDialog(parent, QFileDialog::AcceptOpen, folder, fileName);
}

std::optional<QString> QtDialogs::SaveFile(QWidget* parent, const QString& folder,
                                           const QString& fileName) {
  return RunFileDialog(parent, QFileDialog::AcceptSave, folder, fileName);
}

bool QtDialogs::Print(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  KeepAbove(dialog);
  return dialog.exec() == QDialog::Accepted;
}

SaveChangesAnswer QtDialogs::AskSaveChanges(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Question, kTitle, question,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  KeepAbove(box);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChangesAnswer::Save;
    case QMessageBox::Discard:
      return SaveChangesAnswer::Discard;
    default:
      return SaveChangesAnswer::Cancel;
  }
}

namespace {

// "PNG image (*.png)" gives "png".
QString FilterSuffix(const QString& filter) {
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

std::optional<QString> QtDialogs::ExportFile(QWidget* parent, const QString& caption,
                                             const QString& folder, const QString& fileName,
                                             const QString& filters) {
  QFileDialog dialog(parent, caption, folder, filters);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(FilterSuffix(dialog.selectedNameFilter()));
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
  dialog.selectFile(fileName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(files.first());
}

std::optional<QSize> QtDialogs::PictureSize(QWidget* parent, QSize size) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Picture Size"));
  auto* grid = new QGridLayout(&dialog);
  const auto spin = [&dialog](int value) {
    auto* box = new QSpinBox(&dialog);
    box->setRange(200, 10000);
    box->setSuffix(QStringLiteral(" pixels"));
    box->setValue(value);
    return box;
  };
  QSpinBox* width = spin(size.width());
  QSpinBox* height = spin(size.height());
  grid->addWidget(new QLabel(QStringLiteral("Width :"), &dialog), 0, 0);
  grid->addWidget(width, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Height :"), &dialog), 1, 0);
  grid->addWidget(height, 1, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  grid->addWidget(buttons, 2, 0, 1, 2);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QSize(width->value(), height->value());
}

}  // namespace korvanu
