#pragma once
// Everything the window asks of the desktop that a test must be able to answer at once: message
// boxes, modal windows and the processing of pending window events.
//
// Each of the three holds the session's action gate closed while it runs: these are the only
// places where the window lets other events run in the middle of an operator action, and a
// remote command must wait until that action has ended.

#include <QString>

#include "action_gate.h"

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
  void message(const MessageSpec& box) {
    const GateClosed closed(gate_);
    showMessage(box);
  }
  // Shows `dialog` modally and returns when it has been closed.
  void runModal(QDialog& dialog) {
    const GateClosed closed(gate_);
    showModal(dialog);
  }
  // Lets pending window events run once.
  void processEvents() {
    const GateClosed closed(gate_);
    yieldToEvents();
  }
  // The file the operator picks to read or to write (`filter` as QFileDialog takes it, e.g.
  // "Setups (*.json)"); empty when the operator cancels.
  QString openFileName(const QString& caption, const QString& filter) {
    const GateClosed closed(gate_);
    return chooseFile(caption, filter, FileUse::Open);
  }
  QString saveFileName(const QString& caption, const QString& filter) {
    const GateClosed closed(gate_);
    return chooseFile(caption, filter, FileUse::Save);
  }

  void setGate(ActionGate* gate) { gate_ = gate; }

 protected:
  enum class FileUse { Open, Save };
  virtual void showMessage(const MessageSpec& box) = 0;
  virtual QString chooseFile(const QString& caption, const QString& filter, FileUse use) = 0;
  virtual void showModal(QDialog& dialog) = 0;
  virtual void yieldToEvents() = 0;

 private:
  ActionGate* gate_ = nullptr;
};

// The real desktop: QMessageBox, QDialog::exec and QCoreApplication::processEvents.
class DesktopServices : public WindowServices {
 protected:
  void showMessage(const MessageSpec& box) override;
  void showModal(QDialog& dialog) override;
  void yieldToEvents() override;
  QString chooseFile(const QString& caption, const QString& filter, FileUse use) override;
};
