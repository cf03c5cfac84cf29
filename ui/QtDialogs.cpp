// The real dialogs. The datafile dialogs show *.krv files and add the
// extension when the user types a bare name.
#include "ui/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace korvanu {
namespace {

const QString kTitle = QStringLiteral("Korvanu");
const QString kFilter = QStringLiteral("KRV (*.krv)");

std::optional<QString> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                     const QString& folder, const QString& fileName) {
  QFileDialog dialog(parent, kTitle, folder, kFilter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("krv"));
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  dialog.selectFile(fileName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(files.first());
}

}  // namespace

void QtDialogs::Message(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, kTitle, text);
}

void QtDialogs::Error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, kTitle, text);
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
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace korvanu
