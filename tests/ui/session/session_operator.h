#pragma once
// A random operator at the main window: every action goes through the window's own controls
// (clicks, typed text, Enter, leaving a box, list choices, tab changes, menu items), and each
// action says what it expects the board to see and what the program's model should hold after it.

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "chip_shadow.h"
#include "connection.h"
#include "named_controls.h"
#include "ui_test_support.h"

class QLineEdit;

namespace session {

// What one action expects at the board and on screen.
struct Outcome {
  Outcome() = default;
  Outcome(QString what) : description(std::move(what)) {}  // NOLINT: implicit on purpose

  QString description;
  std::vector<int32_t> words;  // 24-bit words written, in order
  std::vector<int> lines;      // other requests (line and start requests), in order
  int reads = 0;               // readbacks
  int messages = 0;            // message boxes shown
  // The words are not predicted (another action ran inside a write's yield): the register
  // shadow follows the words the board saw instead.
  bool wordsFromBoard = false;
  bool inputRegisterB = false;  // where the program's model stored an X write
  QString failure;              // a check made inside the action that did not hold
};

class SessionOperator {
 public:
  SessionOperator(WindowUnderTest& w, int part, unsigned seed);

  // One random action.
  Outcome act();

  // The first way in which the window, the program's model and the chip disagree after the
  // action; empty when they agree. `lastWord` is the last word sent, if any.
  QString disagreement(std::optional<int32_t> lastWord) const;

  // The words the board saw during an action whose words were not predicted; a text when one of
  // them cannot be right.
  QString followWords(const Outcome& outcome, const std::vector<int32_t>& words);

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int percent) { return pick(100) < percent; }

  // Channel and A/B choices.
  Outcome pickChannel();
  Outcome chooseInputRegister();
  Outcome chooseDacSource();
  Outcome clickInputSel();
  // Entry boxes and writes.
  Outcome typeIntoEntryBox();
  Outcome leaveEntryBox();
  // "X >>", "M >>" or "C >>"; `duringYield`, if given, runs inside the write's first yield.
  Outcome writeRegister(const std::function<Outcome()>& duringYield = {});
  Outcome writeWithInterruption();
  Outcome pulseLdac();
  // Offset DACs, references, tabs.
  Outcome writeOffsetDac();
  Outcome typeReference();
  Outcome changeTab();
  // Monitor and GPIO.
  Outcome chooseMonitorSwitch();
  Outcome chooseMonitoredItem();
  Outcome clickGpioOption();
  Outcome readGpioPin();
  // Lines, resets, reload, direct load, hidden tests.
  Outcome clickLineButton();
  Outcome pulseReset();
  Outcome reloadUsb();
  Outcome directLoad();
  Outcome powerDownTest();
  Outcome clrPulse();
  Outcome readbackTest();
  // A remote client's command between two of the operator's actions.
  Outcome remoteCommand();

  // Helpers.
  void typeText(QLineEdit* box, const QString& text);
  Outcome leaveBox(int box, Outcome outcome, bool byEnter);
  QString resetStateDisagreement() const;
  QString displayDisagreement() const;
  QString selectionDisagreement() const;
  int groupOf(int dac) const;
  int groupMask(int group) const;
  int checkedGpioOption() const;

  WindowUnderTest& w_;
  NamedControls controls_;
  int part_;
  std::mt19937 rng_;
  ChipShadow shadow_;            // what the chip has been sent since its last reset
  int selected_ = 0;             // the channel last picked
  bool resetLineLow_ = false;    // RESET held low by "RESET Low"
  std::vector<int> channels_;    // the channel buttons the model shows
  std::vector<int> offsetRows_;  // the offset DAC rows the model shows
  std::vector<int> references_;  // the reference boxes the model shows
  bool monitorShown_ = false;
  std::unique_ptr<scpi::CommandTree> tree_;  // the program's SCPI commands on this window's session
  std::unique_ptr<scpi::Connection> client_;
};

}  // namespace session
