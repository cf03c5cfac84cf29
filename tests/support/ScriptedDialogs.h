// Dialogs answered by the test: every box is recorded, file and print
// dialogs and the save-changes question take their answers from queues.
// With its queue empty a file dialog or the question cancels, and a print
// dialog prints as the printer is set up or cancels, as the test chose.
#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "base/Dialogs.h"

namespace korvanu::test {

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(bool printWhenUnscripted = false)
      : printWhenUnscripted(printWhenUnscripted) {}

  void Message(QWidget*, const QString& text) override { messages.append(text); }
  void Error(QWidget*, const QString& text) override { errors.append(text); }
  std::optional<QString> OpenFile(QWidget*, const QString& folder,
                                  const QString& fileName) override {
    lastFolder = folder;
    lastFileName = fileName;
    return Next(openAnswers);
  }
  std::optional<QString> SaveFile(QWidget*, const QString& folder,
                                  const QString& fileName) override {
    lastFolder = folder;
    lastFileName = fileName;
    return Next(saveAnswers);
  }
  bool Print(QWidget*, QPrinter& printer) override {
    ++printDialogs;
    proposedPdf = printer.outputFileName();
    if (onPrint) onPrint();
    if (printAnswers.empty()) return printWhenUnscripted;
    const std::optional<QString> pdf = Next(printAnswers);
    if (!pdf) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdf);
    return true;
  }
  SaveChangesAnswer AskSaveChanges(QWidget*, const QString& question) override {
    questions.append(question);
    if (saveChangesAnswers.empty()) return SaveChangesAnswer::Cancel;
    const SaveChangesAnswer answer = saveChangesAnswers.front();
    saveChangesAnswers.pop_front();
    return answer;
  }

  std::optional<QString> ExportFile(QWidget*, const QString&, const QString&,
                                    const QString& fileName, const QString& filters) override {
    lastExportName = fileName;
    lastExportFilters = filters;
    return Next(exportAnswers);
  }
  std::optional<QSize> PictureSize(QWidget*, QSize size) override {
    offeredSize = size;
    return pictureSize;
  }

  QStringList messages;
  QStringList errors;
  std::deque<std::optional<QString>> openAnswers;
  std::deque<std::optional<QString>> saveAnswers;
  std::deque<std::optional<QString>> printAnswers;  // a PDF file to print into, or cancel
  QStringList questions;
  std::deque<SaveChangesAnswer> saveChangesAnswers;
  bool printWhenUnscripted;
  std::function<void()> onPrint;  // when a print dialog is shown, to log the order of events
  std::deque<std::optional<QString>> exportAnswers;  // the export file, or cancel
  std::optional<QSize> pictureSize;                  // the picture size chosen, or cancel
  QString lastExportName;
  QString lastExportFilters;
  QSize offeredSize;
  QString lastFolder;
  QString lastFileName;
  int printDialogs = 0;
  QString proposedPdf;  // the file the printer was set to when its dialog opened

 private:
  static std::optional<QString> Next(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<QString> answer;
    if (answers.front()) answer.emplace(*answers.front());
    answers.pop_front();
    return answer;
  }
};

}  // namespace korvanu::test
