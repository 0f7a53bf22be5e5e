#pragma once
// The session: the chip-facing state of the program (the register model, the input register
// route, the monitor and GPIO choices, the offset DAC codes and references, the board link) and
// every operator action that changes the chip, the register model or the board, as a function of
// plain values. The window and remote control are two views of one session: both call these
// actions, and every listener hears what changed, whoever changed it.
//
// Each action runs the checks, refusals, words and order of the window's own handler. A window
// write yields to pending window events where the window always has; the caller hands that yield
// in as a hook. Remote commands pass none and never yield.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "action_gate.h"
#include "board_link.h"
#include "channel_label.h"
#include "chip_model.h"
#include "chip_verification.h"
#include "chip_word.h"
#include "gpio_mode.h"
#include "operator_action.h"
#include "refusal.h"
#include "sequencer.h"
#include "session_listener.h"
#include "transfer_function.h"

// Who drives the chip: the window alone (Local), a remote client beside the window (Remote), or a
// remote client with the window's chip controls locked (Locked), as bench instruments have it.
enum class RemoteMode { Local, Remote, Locked };

class Session {
 public:
  using Yield = std::function<void()>;
  using FailedLoadReport = BoardLink::FailedLoadReport;

  // `exeFolder`: the folder of the program, where the firmware image is looked up.
  Session(BoardLink& link, std::string exeFolder);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void addListener(SessionListener& listener);
  void removeListener(SessionListener& listener);

  // Who the actions are for until the scope ends: the window's button caption, or
  // "remote 127.0.0.1:40112" for a client's line. Listeners see it in every action.
  class Origin {
   public:
    Origin(Session& session, std::string who)
        : session_(session), outer_(std::exchange(session.origin_, std::move(who))) {}
    ~Origin() { session_.origin_ = std::move(outer_); }
    Origin(const Origin&) = delete;
    Origin& operator=(const Origin&) = delete;

   private:
    Session& session_;
    std::string outer_;
  };
  const std::string& origin() const { return origin_; }

  // ---- the model and start-up
  // The data steps of a model's setup; the simulated board's chip emulation learns the model too.
  void chooseModel(const PartInfo& part);
  // The model's default offset DAC codes and reference texts.
  void UpdateOffset();
  // Every record at the model's power-on state (start-up).
  void ResetChannels();
  // Back to the reset state after a RESET pulse or a reload: defaults, records, input register A
  // and every A/B select on A. Sends nothing.
  void Init();
  // The connection sequence; `report` shows the failed-load message.
  void LoadUSB(const FailedLoadReport& report);
  // Start-up once the model is chosen, for the window and headless runs alike: the model's
  // defaults, every record at its power-on state, then the connection sequence, named
  // "start-up". `beforeConnect`, when set, runs just before the connection sequence (the window
  // shows the model's controls there).
  void start(const FailedLoadReport& report, const std::function<void()>& beforeConnect = {});

  // ---- channel registers and the DAC registers
  // Stores `code` in register `reg` of record `dac`, recomputes the corrected code of the input
  // register that X writes reach (X1A/X1B: the one written) and sends the register's word. X1A
  // and X1B reach their register whatever the route: a word for the other register is routed
  // there by the control register and the route is restored afterwards. Refused when the code is
  // wider than 16 bits or than the model's resolution.
  Refused writeRegister(int dac, ChannelRegister reg, int64_t code, const Yield& yield = {});
  // "X >>": into the input register of the present route.
  Refused writeInput(int dac, int64_t code, const Yield& yield = {});
  // Which X2 the DAC register of `dac` takes (ABsel); sends the group's A/B select word.
  Refused chooseDacSource(int dac, bool fromX2B);
  // Which input register X writes reach; sends the control register word.
  void chooseInputRegister(bool registerB);
  // LDAC pulse: every record's DACreg takes its X2A or X2B, as its ABsel says; request DE.
  Refused pulseLdac();
  // The code of `dac`'s feeding input register (by ABsel) whose output after the next LDAC lies
  // nearest to `volts`, written as an X write would; refused when no code reaches it.
  Refused writeVoltage(int dac, double volts);
  // What writeVoltage(dac, volts) would write, worked out on the register model as it is: the
  // input register, the code and the output after the next LDAC, or why no code reaches it (the
  // limits are checked only by the write). Changes nothing.
  struct VoltageWrite {
    ChannelRegister reg = ChannelRegister::X1A;
    int32_t code = 0;
    double volts = 0.0;
  };
  struct VoltagePreview {
    std::optional<VoltageWrite> write;
    Refused refused;
  };
  VoltagePreview previewVoltage(int dac, double volts) const;

  // ---- frames: several channels changed together by one LDAC (session_frames.cpp)
  // A channel record and the code for its feeding input register, or the voltage to reach.
  using FrameCodes = std::vector<std::pair<int, int64_t>>;
  using FrameVolts = std::vector<std::pair<int, double>>;
  // Writes each code into the input register that feeds its channel (by its A/B select), then
  // pulses LDAC once. Checked as a whole first: a code out of range, a channel listed twice or a
  // limit broken refuses the frame, naming the channel, and nothing is sent.
  Refused writeFrame(const FrameCodes& frame);
  // The same with voltages, each turned into its code as writeVoltage does.
  Refused writeFrameVolts(const FrameVolts& frame);
  // The codes of a frame of voltages, with the register model as it is; refused naming the channel
  // that no code reaches.
  Refused frameCodes(const FrameVolts& volts, FrameCodes& codes) const;

  // ---- sequences of frames played in time (sequencer.h)
  Sequencer& sequencer() { return sequencer_; }
  const Sequencer& sequencer() const { return sequencer_; }
  // Every frame checked as a frame in turn on the register model alone, `passes` times round
  // (nothing sent, nothing changed); refused naming the frame's row (from 1).
  Refused checkFrames(const std::vector<FrameCodes>& frames, int passes);

  // ---- offset DACs and references
  Refused writeOffsetDac(int k, int64_t code);
  // Refused (and nothing changed) only when the new reference would move a limited output out
  // of its range.
  Refused setReference(int k, std::string text);

  // ---- monitor and GPIO (the models that have them)
  Refused setMonitorEnabled(bool enabled);
  // Item of the monitored-channel list: 0 "Mon_In0", 1 "Mon_In1", 2 + n channel n; -1 (no item
  // selected) keeps the state and sends its word all the same. Refused while the monitor is off.
  Refused chooseMonitorItem(int item);
  Refused setGpioMode(GpioMode mode);
  // Sends the GPIO readback word and reads the pin; nullopt (nothing sent) on a model without it.
  std::optional<bool> readGpio();

  // ---- control lines, tests, direct load, board
  // A hold button: RESET, CLR or LDAC high or low (request DA, DB, DC, DF, E2 or E3).
  // Refused only for LDAC low, which loads every DAC register at once.
  Refused lineRequest(Request code);
  void pulseReset();  // DB, DA, then Init
  void pulseClr();    // DF, DC
  void powerDownTest();
  int32_t readbackTest();
  // Any 24-bit word, sent as it is. The register model follows it as the chip decodes it, as if
  // the matching action had run; a word the chip ignores changes nothing.
  // Refused when the word is wider than 24 bits or would move a limited output out of its range.
  Refused directLoad(int64_t word);
  // Reload USB: the connection sequence, DB, DA, then Init. `beforeReload`, when set, runs first:
  // it may put the link on another board driver (a board plugged in since start).
  void reload(const FailedLoadReport& report);
  void setBeforeReload(std::function<void()> hook) { beforeReload_ = std::move(hook); }
  // *TST?: asks the board for a readback that changes nothing the operator set (the GPIO pin on
  // the models that have it, otherwise the readback test) and gives why it failed, or nothing
  // when the board answered. Neither the register model nor the last word shown changes.
  std::optional<std::string> selfTest();
  // Whether the last connection sequence loaded a board's firmware.
  bool boardLoaded() const { return link_.lastLoad().loaded(); }

  // ---- channel names and output limits (session_limits.cpp)
  // Every action that would move a limited channel's output out of its range is refused before
  // anything is sent: the output its DAC register has now and the one it would have after the
  // next LDAC, each of which may stay where it is (even outside the range) or come back inside.
  // RESET, CLR, power-down and reload are never refused; listeners hear limitWarning() when they
  // leave a limited output outside its range.
  const ChannelLabel& channelLabel(int dac) const { return labels_.at(static_cast<size_t>(dac)); }
  // Names and limits do not change while a sequence runs (it was checked against them). Refused
  // for a name longer than 32 characters or with characters that are not printable.
  Refused setChannelName(int dac, std::string name);
  enum class LimitSide { Lower, Upper };
  // Refused for a value that is not finite, or that would put the lower limit above the upper;
  // nullopt takes that limit away. Accepted with a limitWarning() when the present output
  // already lies outside the new range.
  Refused setChannelLimit(int dac, LimitSide side, std::optional<double> volts);
  Refused clearChannelLimits(int dac);
  // Every channel's name and limits at once, as a setup holds them.
  void setChannelLabels(const std::array<ChannelLabel, kChannelCount>& labels);
  const std::array<ChannelLabel, kChannelCount>& channelLabels() const { return labels_; }
  // The limited channels of the model whose output now, or after the next LDAC, lies outside
  // their range, in one line ("channel 3 (bias) at 6 V, outside 0 V to 5 V; ..."); empty when none.
  std::string limitBreaches() const;
  // Whether the outputs that `chip` with `references` gives keep every limited channel within its
  // range, or where it is now; the refusal names the first channel that would leave it. The
  // limits are the session's, or `labels` when given (a setup that brings its own).
  Refused checkLimitsOf(const ChipModel& chip, const ReferenceTexts& references,
                        const std::array<ChannelLabel, kChannelCount>* labels = nullptr) const;

  // ---- remote control's claim on the window
  // `client` names who set it ("remote 127.0.0.1:40112"); Local clears it.
  void setRemoteMode(RemoteMode mode, std::string client);
  RemoteMode remoteMode() const { return remoteMode_; }
  const std::string& remoteClient() const { return remoteClient_; }

  // ---- a board that stopped answering
  // Whether the link has marked the board as not answering (its requests fail at once).
  bool boardSilent() const { return link_.driver().boardSilent(); }
  // Looks whether a board marked as not answering answers again, with a request that changes
  // nothing on the chip: only between actions (none under way, the gate open) and at most once
  // every kProbeInterval. When it answers, the listeners hear boardAnswering(); true then.
  static constexpr std::chrono::milliseconds kProbeInterval{1000};
  bool probeSilentBoard();
  // ---- reading the chip back
  // Sends the readback select word of `item` (of channel record `dac` for a channel register) and
  // reads the register back: its code, or why not (a failed request, a channel the model lacks).
  ReadbackResult readRegister(ReadbackItem item, int dac = -1);
  // Reads back every register of VerifiedRegisters and compares it with the register model;
  // `progress` hears of each. A failed request ends it with its reason. The result is kept until
  // the next verification.
  const ChipVerification& verifyChip(const VerifyProgress& progress = {});
  const ChipVerification& lastVerification() const { return lastVerification_; }
  // Takes the chip's values of `differences` (of a verification) into the register model; sends
  // nothing. X2A and X2B of the channels taken are computed again from their registers.
  void takeChipValues(const std::vector<RegisterDifference>& differences);

  // ---- state
  const ChipModel& chip() const { return chip_; }
  // Direct access to the register model, for tests that arrange a state.
  ChipModel& chipModel() { return chip_; }
  bool inputRegisterB() const { return XRegisterB_; }
  int32_t monitorState() const { return MonitorState_; }
  bool monitorEnabled() const;
  GpioMode gpioMode() const { return gpioMode_; }
  std::optional<bool> gpioLevel() const { return gpioLevel_; }
  const ReferenceTexts& references() const { return references_; }
  int32_t lastWord() const { return lastWord_; }
  bool ldacHeldLow() const { return ldacLow_; }
  BoardLink& link() { return link_; }
  const BoardLink& link() const { return link_; }
  const std::string& exeFolder() const { return exeFolder_; }
  ActionGate& gate() { return gate_; }
  // Board requests that came back with a status other than 0, counted over the whole run, and
  // the last of them.
  uint64_t failedRequests() const { return failedRequests_; }
  const RequestRecord& lastFailure() const { return lastFailure_; }

 private:
  // Tells the listeners that an action starts, and that it ended when the scope ends.
  class ActionScope {
   public:
    ActionScope(Session& session, AnyAction action);
    ~ActionScope();
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;
    // What the action comes to: a refusal is told to the listeners before the action ends.
    Refused outcome(Refused refused) const;

   private:
    Session& session_;
  };

  Refused storeAndSend(int dac, ChannelRegister reg, int64_t code, const Yield& yield);
  void loadUsb(const FailedLoadReport& report);
  // Shows and sends one 24-bit word.
  void SPIout(int32_t word);
  void request(Request code);
  // X2 of record `dac` from input register B or A, and the DAC register when LDAC is held low.
  void updateX2(int dac, bool registerB);
  void loadDacRegister(int dac);
  void loadAllDacRegisters();
  void sendRouted(int32_t word, bool registerB);
  Refused checkChannelCode(int64_t code) const;
  // Runs `change` on the register model alone (nothing sent, no listener told), reads the
  // outputs it leads to, and puts everything back: refused when a limited output would leave its
  // range.
  Refused checkLimits(const std::function<void()>& change);
  // The register model after storing `code` in `reg` of `dac`, as storeAndSend stores it;
  // whether it went to input register B.
  bool storeRegister(int dac, ChannelRegister reg, int32_t code);
  // The register model and references as they are, with the listeners muted, put back when the
  // scope ends: what an action would do is tried on it.
  class Trial;
  // A frame of a sequence already checked: its words and its LDAC, as FRAMe:CODE writes them.
  void playFrame(const FrameCodes& frame);
  friend class Sequencer;
  // Whether the frame can be written: its codes and channels, then the limits after its LDAC.
  Refused checkFrame(const FrameCodes& frame);
  // The frame's input words, without LDAC; each as a register write of its own when
  // `eachAnAction` (a sequence's frames, whose LDAC comes later).
  void sendFrameWords(const FrameCodes& frame, bool eachAnAction);
  // Tells the listeners which limited outputs `what` leaves outside their range, if any.
  void warnLimits(const std::string& what, bool outputsCleared);
  // The register model after a direct word, as the chip takes it.
  void followWord(int32_t word);
  void followChannelWord(const ChipWord& word);
  void followABSelect(const ChipWord& word);
  ReadbackResult readBack(ReadbackItem item, int dac);
  std::optional<int32_t> readBackCode(ReadbackItem item, int32_t selectWord);
  int32_t modelValue(ReadbackItem item, int dac) const;
  void takeABSelect(int group, int32_t mask);
  Refused needsMonitor() const;

  template <class Event>
  void notify(Event event) {
    for (SessionListener* listener : listeners_) event(*listener);
  }

  BoardLink& link_;
  std::string exeFolder_;
  ChipModel chip_;
  bool XRegisterB_ = false;  // the route of the chip's control register: X writes reach X1B
  int32_t MonitorState_ = 0;
  GpioMode gpioMode_ = GpioMode::Input;
  std::optional<bool> gpioLevel_;  // the pin as last read
  ReferenceTexts references_{"3", "3", "3"};
  int32_t lastWord_ = 0;
  bool ldacLow_ = false;  // LDAC held low: the DAC registers follow every change at once
  ActionGate gate_;
  std::vector<SessionListener*> listeners_;
  std::function<void()> beforeReload_;
  std::string origin_;
  RemoteMode remoteMode_ = RemoteMode::Local;
  std::string remoteClient_;
  uint64_t failedRequests_ = 0;
  RequestRecord lastFailure_;
  int actionsUnderWay_ = 0;
  std::chrono::steady_clock::time_point lastProbe_{};
  ChipVerification lastVerification_;
  // The registers a verification reads, worked out once for the model.
  struct VerifiedList {
    const PartInfo* part = nullptr;
    std::vector<VerifiedRegister> registers;
  } verified_;
  std::array<ChannelLabel, kChannelCount> labels_{};  // by channel record
  Sequencer sequencer_{*this};
  int limitsSuspended_ = 0;  // a setup restore checked as a whole: its steps are not
  friend class LimitsSuspended;
};

// Holds the per-action limit checks off for its lifetime (a setup already checked as a whole).
class LimitsSuspended {
 public:
  explicit LimitsSuspended(Session& session) : session_(session) { ++session_.limitsSuspended_; }
  ~LimitsSuspended() { --session_.limitsSuspended_; }
  LimitsSuspended(const LimitsSuspended&) = delete;
  LimitsSuspended& operator=(const LimitsSuspended&) = delete;

 private:
  Session& session_;
};
