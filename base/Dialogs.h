// Every modal question the program asks goes through this interface: the
// program answers with the real Qt dialogs, tests answer with a script.
#pragma once

#include <QSize>
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace korvanu {

// The answers to "Save changes to NAME?".
enum class SaveChangesAnswer { Save, Discard, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal information box with an OK button.
  virtual void Message(QWidget* parent, const QString& text) = 0;
  // The toolkit's error box (floating-point faults, errors escaping a command).
  virtual void Error(QWidget* parent, const QString& text) = 0;
  // File dialogs with the filter "KRV(*.krv)|*.krv" and default suffix krv;
  // nothing when cancelled, otherwise the chosen full path.
  virtual std::optional<QString> OpenFile(QWidget* parent, const QString& folder,
                                          const QString& fileName) = 0;
  virtual std::optional<QString> SaveFile(QWidget* parent, const QString& folder,
                                          const QString& fileName) = 0;
  // The print dialog for `printer`; false when cancelled.
  virtual bool Print(QWidget* parent, QPrinter& printer) = 0;
  // The question asked before unsaved changes would be lost, with the
  // buttons Save, Discard and Cancel.
  virtual SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& question) = 0;

  // A file to save an export into. `filters` as a file dialog takes them
  // ("PNG image (*.png);;SVG drawing (*.svg)"); a bare name gets the suffix
  // of the chosen filter. Nothing when cancelled.
  virtual std::optional<QString> ExportFile(QWidget* parent, const QString& caption,
                                            const QString& folder, const QString& fileName,
                                            const QString& filters) {
    (void)parent, (void)caption, (void)folder, (void)fileName, (void)filters;
    return std::nullopt;
  }
  // The size in pixels of a picture to save, offered as `size`; nothing when
  // cancelled.
  virtual std::optional<QSize> PictureSize(QWidget* parent, QSize size) {
    (void)parent;
    return size;
  }
};

}  // namespace korvanu
