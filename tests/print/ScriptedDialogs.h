// Answers the program's modal questions from a script and records what was
// asked, so print tests run without a screen or a person.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "ui/Dialogs.h"

namespace korvanu {

class ScriptedDialogs : public Dialogs {
 public:
  // Answer of the next print dialogs: true prints, false cancels.
  bool PrintAnswer = true;
  int PrintDialogs = 0;
  QStringList Messages;
  QStringList Errors;
  // Called when the print dialog is shown, to log the order of events.
  std::function<void()> OnPrint;

  void Message(QWidget*, const QString& text) override { Messages << text; }
  void Error(QWidget*, const QString& text) override { Errors << text; }
  std::optional<QString> OpenFile(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFile(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  bool Print(QWidget*, QPrinter&) override {
    ++PrintDialogs;
    if (OnPrint) OnPrint();
    return PrintAnswer;
  }
  SaveChangesAnswer AskSaveChanges(QWidget*, const QString&) override {
    return SaveChangesAnswer::Cancel;
  }
};

}  // namespace korvanu
