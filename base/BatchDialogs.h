// The program's questions answered without a person, for the command-line
// report and the window pictures: messages go to an error stream, the print
// dialog prints into a PDF file, the open dialog answers with a given file.
#pragma once

#include <ostream>
#include <string>

#include "base/Dialogs.h"

namespace korvanu {

class BatchDialogs : public Dialogs {
 public:
  // Every message is written after `source` (the tool and the datafile).
  BatchDialogs(std::string source, std::ostream& err);

  // The PDF file that the print dialog chooses (A4).
  void PrintTo(const std::string& pdf) { pdf_ = pdf; }
  // The file that the open dialog chooses; none cancels.
  void OpenWith(const std::string& datafile) { open_ = datafile; }

  void Message(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  std::optional<QString> OpenFile(QWidget* parent, const QString& folder,
                                  const QString& fileName) override;
  std::optional<QString> SaveFile(QWidget* parent, const QString& folder,
                                  const QString& fileName) override;
  bool Print(QWidget* parent, QPrinter& printer) override;
  // A batch run works on a copy of its datafile: nothing of the user's is lost.
  SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& question) override;

  int Messages() const { return messages_; }

 private:
  std::string source_;
  std::ostream& err_;
  std::string pdf_;
  std::string open_;
  int messages_ = 0;
};

}  // namespace korvanu
