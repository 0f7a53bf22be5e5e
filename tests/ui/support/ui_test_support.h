#pragma once
// Test harness for the main window: a recording stand-in for the desktop services, the simulated
// board, and look-up of controls by their names.

#include <QDialog>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board_link.h"
#include "frm_main.h"
#include "recording_driver.h"
#include "request_log.h"
#include "simulated_board.h"
#include "window_services.h"

struct RecordedMessage {
  QString text;
  QString title;
  MessageIcon icon;
};

// Records every message and modal window and answers at once.
class RecordingServices : public WindowServices {
 public:
  std::vector<RecordedMessage> messages;
  std::vector<QString> modalWindows;      // objectName of each modal window shown
  std::function<void(QDialog&)> onModal;  // what the "user" does in a modal window
  std::function<void()> onProcessEvents;  // runs inside every yield to pending events
  int processEventsCalls = 0;
  std::vector<QString> fileDialogs;  // the caption of each file dialog shown
  QString fileAnswer;                // the file the "user" picks (empty: cancel)

 protected:
  void showMessage(const MessageSpec& box) override;
  void showModal(QDialog& dialog) override;
  void yieldToEvents() override;
  QString chooseFile(const QString& caption, const QString& filter, FileUse use) override;
};

// Part index for WindowUnderTest: close the part chooser without a choice.
inline constexpr int kNoPartChosen = -1;

// Another board link for the window than the simulated board (the native USB link to an emulated
// board): its requests are recorded on their way, and `chip` tells what the board's chip holds.
struct ExternalBoard {
  VendorDriver& driver;
  std::function<SimulatedChip()> chip;
  std::string exeFolder;  // where the firmware image is
};

// A main window on the simulated board (or another board link), loaded with the part of
// catalogue row `partIndex` chosen in the part chooser (or none).
class WindowUnderTest {
 public:
  explicit WindowUnderTest(int partIndex, bool boardAttached = true);
  WindowUnderTest(int partIndex, const ExternalBoard& external);
  ~WindowUnderTest();

  frmMain& window() { return *window_; }
  SimulatedBoard& board() { return board_; }
  Session& session() { return session_; }
  const RequestLog& requestLog() const { return log_; }  // the program's, shown by the pane
  RecordingServices& services() { return services_; }

  // A control by objectName, e.g. find<QRadioButton>("chkDAC(9)"); fails the test when missing.
  template <class T>
  T* find(const QString& name) {
    T* w = window_->findChild<T*>(name);
    if (!w) failMissing(name);
    return w;
  }

  // The 24-bit words written (request DD hex, direction 0) since the last clearRequests().
  std::vector<int32_t> wordsSent() const;
  // The request codes since the last clearRequests().
  std::vector<int> requestCodes() const;
  void clearRequests();
  // Every request since the last clearRequests(), and what the board's chip holds.
  const std::vector<SimulatedBoard::RecordedRequest>& requests() const;
  SimulatedChip chip() const;
  // The level the GPIO pin reads while it is an input; false where the board's own input cannot
  // be set.
  bool setGpioInputLevel(bool high);

  // Types `text` into an entry box the way a user replaces its content.
  static void setText(QWidget* lineEdit, const QString& text);

 private:
  static void failMissing(const QString& name);
  void load(int partIndex);

  SimulatedBoard board_;
  std::unique_ptr<RecordingDriver> recorder_;  // on another link than the simulated board
  std::function<SimulatedChip()> externalChip_;
  BoardLink link_;
  Session session_;
  RequestLog log_{session_};  // the program's, made with the session
  RecordingServices services_;
  std::unique_ptr<frmMain> window_;
};
