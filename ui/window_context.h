#pragma once
// What the views of the main window share: the session and the desktop, the selected channel,
// the lock of the chip controls, and the mark of a handler of the window running (see
// window_action.h). Each view keeps the rest of its state to itself.

#include <QString>
#include <cstdint>
#include <optional>

#include "chip_control_lock.h"
#include "session.h"
#include "window_services.h"

class WindowContext {
 public:
  WindowContext(Session& session, WindowServices& services)
      : session_(session), services_(services) {}
  WindowContext(const WindowContext&) = delete;
  WindowContext& operator=(const WindowContext&) = delete;

  Session& session() const { return session_; }
  WindowServices& services() const { return services_; }
  const ChipModel& chip() const { return session_.chip(); }

  // The channel the register displays, the writes and "Set Output Voltage..." address.
  int16_t selectedDac() const { return selectedDac_; }
  void selectDac(int16_t dac) { selectedDac_ = dac; }

  ChipControlLock& chipControls() { return chipControls_; }

  // A refusal of the session as a message box.
  void showRefusal(const Refused& refused) const;
  // The yield to pending window events that a write takes before its word goes out.
  Session::Yield yieldToEvents() const;
  Session::FailedLoadReport failedLoadBox() const;  // "No Evaluation Board Found" as a message box

  // While a handler of the window runs: changes then are the window's own (its boxes already
  // hold what the operator typed), and a register label shows the text as typed.
  bool ownChange() const { return acting_ > 0; }
  const std::optional<QString>& typedText() const { return typedText_; }

 private:
  friend class WindowAction;

  Session& session_;
  WindowServices& services_;
  int16_t selectedDac_ = 0;
  ChipControlLock chipControls_;
  int acting_ = 0;
  std::optional<QString> typedText_;
};
