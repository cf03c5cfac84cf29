// Batch answers to the program's dialogs.
#include "base/BatchDialogs.h"

#include <QPageSize>
#include <QPrinter>

namespace korvanu {

BatchDialogs::BatchDialogs(std::string source, std::ostream& err)
    : source_(std::move(source)), err_(err) {}

void BatchDialogs::Message(QWidget*, const QString& text) {
  ++messages_;
  err_ << source_ << ": " << text.trimmed().toStdString() << "\n";
}

void BatchDialogs::Error(QWidget* parent, const QString& text) {
  Message(parent, text);
}

std::optional<QString> BatchDialogs::OpenFile(QWidget*, const QString&, const QString&) {
  if (open_.empty()) return std::nullopt;
  return QString::fromLocal8Bit(open_.c_str());
}

std::optional<QString> BatchDialogs::SaveFile(QWidget*, const QString&, const QString&) {
  return std::nullopt;
}

bool BatchDialogs::Print(QWidget*, QPrinter& printer) {
  if (pdf_.empty()) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(pdf_.c_str()));
  printer.setPageSize(QPageSize(QPageSize::A4));
  return true;
}

SaveChangesAnswer BatchDialogs::AskSaveChanges(QWidget*, const QString&) {
  return SaveChangesAnswer::Discard;
}

}  // namespace korvanu
