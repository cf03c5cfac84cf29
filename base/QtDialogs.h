// The program's answer to its modal questions: the real Qt message boxes,
// file dialogs and print dialog.
#pragma once

#include "base/Dialogs.h"

namespace korvanu {

class QtDialogs : public Dialogs {
 public:
  void Message(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  std::optional<QString> OpenFile(QWidget* parent, const QString& folder,
                                  const QString& fileName) override;
  std::optional<QString> SaveFile(QWidget* parent, const QString& folder,
                                  const QString& fileName) override;
  bool Print(QWidget* parent, QPrinter& printer) override;
  SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& question) override;
  std::optional<QString> ExportFile(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& fileName, const QString& filters) override;
  std::optional<QSize> PictureSize(QWidget* parent, QSize size) override;
};

}  // namespace korvanu
