#pragma once
// Everything the window asks of the desktop that a test must be able to answer at once: message
// boxes, modal windows and the processing of pending window events.

#include <QString>

class QDialog;

enum class MessageIcon { None, Information, Exclamation };

struct MessageSpec {
  QString text;
  QString title;
  MessageIcon icon = MessageIcon::None;
  // Every message of the program has a single OK button.
};

class WindowServices {
 public:
  virtual ~WindowServices() = default;
  // Shows a message box and returns when it has been dismissed.
  virtual void message(const MessageSpec& box) = 0;
  // Shows `dialog` modally and returns when it has been closed.
  virtual void runModal(QDialog& dialog) = 0;
  // Lets pending window events run once.
  virtual void processEvents() = 0;
};

// The real desktop: QMessageBox, QDialog::exec and QCoreApplication::processEvents.
class DesktopServices : public WindowServices {
 public:
  void message(const MessageSpec& box) override;
  void runModal(QDialog& dialog) override;
  void processEvents() override;
};
