#pragma once
// Window services for a benchmark: the part chooser is answered at once by clicking one model's
// button, messages are counted and dismissed, and yields run the pending window events as the
// desktop does.

#include "window_services.h"

class AutoPartServices : public WindowServices {
 public:
  explicit AutoPartServices(int partIndex) : partIndex_(partIndex) {}

  void message(const MessageSpec& box) override;
  void runModal(QDialog& dialog) override;
  void processEvents() override;

  int messagesShown() const { return messages_; }

 private:
  int partIndex_;
  int messages_ = 0;
};
