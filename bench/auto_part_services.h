#pragma once
// Window services for a benchmark: the part chooser is answered at once by clicking one model's
// button, messages are counted and dismissed, and yields run the pending window events as the
// desktop does.

#include "window_services.h"

class AutoPartServices : public WindowServices {
 public:
  explicit AutoPartServices(int partIndex) : partIndex_(partIndex) {}

  int messagesShown() const { return messages_; }

 protected:
  void showMessage(const MessageSpec& box) override;
  void showModal(QDialog& dialog) override;
  void yieldToEvents() override;
  QString chooseFile(const QString&, const QString&, FileUse) override { return {}; }

 private:
  int partIndex_;
  int messages_ = 0;
};
