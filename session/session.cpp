// The session's state, the model choice, start-up and re-initialisation, and the words and
// requests on their way to the board.

#include "session.h"

#include <algorithm>

#include "command_word.h"
#include "simulation_diagnostics.h"

Session::Session(BoardLink& link, std::string exeFolder)
    : link_(link), exeFolder_(std::move(exeFolder)) {
  link_.setRequestObserver([this](const RequestRecord& request) {
    if (request.status != 0) {
      ++failedRequests_;
      lastFailure_ = request;
    }
    notify([&](SessionListener& l) { l.requestDone(request); });
  });
}

void Session::addListener(SessionListener& listener) {
  listeners_.push_back(&listener);
}

void Session::removeListener(SessionListener& listener) {
  std::erase(listeners_, &listener);
}

void Session::chooseModel(const PartInfo& part) {
  chip_.ApplySetup(part);
  if (SimulationDiagnostics* simulated = link_.driver().simulation()) {
    simulated->setChipModel(part);
  }
}

void Session::UpdateOffset() {
  const std::optional<OffsetDefaults> defaults = OffsetDefaultsFor(chip_.PartName);
  if (!defaults) return;
  for (int k = 0; k < 3; ++k) chip_.OffsetDAC(k) = defaults->offsetCode;
  references_.fill(defaults->vrefText);
  notify([](SessionListener& l) { l.defaultsApplied(); });
}

void Session::ResetChannels() {
  chip_.ResetChannels();
}

void Session::Init() {
  UpdateOffset();
  chip_.ResetChannels();
  // A RESET pulse or a reload also returns the chip's control register (input register A for X
  // writes) and its A/B select registers to their power-on state.
  chip_.ResetABsel();
  XRegisterB_ = false;
  notify([](SessionListener& l) { l.registersReset(); });
}

Session::ActionScope::ActionScope(Session& session, AnyAction action) : session_(session) {
  ++session_.actionsUnderWay_;
  const OperatorAction started{.what = std::move(action), .origin = session.origin_};
  session_.notify([&started](SessionListener& l) { l.actionStarted(started); });
}

Refused Session::ActionScope::outcome(Refused refused) const {
  if (refused) session_.notify([&refused](SessionListener& l) { l.actionRefused(*refused); });
  return refused;
}

Session::ActionScope::~ActionScope() {
  --session_.actionsUnderWay_;
  session_.notify([](SessionListener& l) { l.actionEnded(); });
}

bool Session::probeSilentBoard() {
  if (!boardSilent() || actionsUnderWay_ > 0 || !gate_.open()) return false;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastProbe_ < kProbeInterval) return false;
  lastProbe_ = now;
  if (!link_.driver().probeBoard()) return false;
  notify([](SessionListener& l) { l.boardAnswering(); });
  return true;
}

void Session::LoadUSB(const FailedLoadReport& report) {
  const ActionScope action(*this, actions::Start{});
  loadUsb(report);
}

void Session::start(const FailedLoadReport& report, const std::function<void()>& beforeConnect) {
  UpdateOffset();
  ResetChannels();
  if (beforeConnect) beforeConnect();
  const Origin origin(*this, "start-up");
  LoadUSB(report);
}

void Session::loadUsb(const FailedLoadReport& report) {
  link_.LoadUSB(chip_.PartName, exeFolder_, report);
  // The firmware starts with every control line high.
  ldacLow_ = false;
  notify([](SessionListener& l) { l.linkChanged(); });
}

bool Session::monitorEnabled() const {
  return (MonitorState_ & 0x20) != 0;
}

void Session::SPIout(int32_t word) {
  lastWord_ = word;
  notify([word](SessionListener& l) { l.wordShown(word); });
  link_.SPIwrite(word);
}

void Session::request(Request code) {
  link_.LineRequest(code);
}
