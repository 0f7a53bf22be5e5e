#include "ui_test_support.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include "request_codes.h"

void RecordingServices::showMessage(const MessageSpec& box) {
  messages.push_back({box.text, box.title, box.icon});
}

void RecordingServices::showModal(QDialog& dialog) {
  modalWindows.push_back(dialog.objectName());
  dialog.show();
  if (onModal) onModal(dialog);
  dialog.close();
}

void RecordingServices::yieldToEvents() {
  ++processEventsCalls;
  if (onProcessEvents) onProcessEvents();
}

QString RecordingServices::chooseFile(const QString& caption, const QString&, FileUse) {
  fileDialogs.push_back(caption);
  return fileAnswer;
}

WindowUnderTest::WindowUnderTest(int partIndex, bool boardAttached)
    : link_(board_), session_(link_, "/opt/dac-eval") {
  board_.setBoardAttached(boardAttached);
  load(partIndex);
}

WindowUnderTest::WindowUnderTest(int partIndex, const ExternalBoard& external)
    : recorder_(std::make_unique<RecordingDriver>(external.driver)),
      externalChip_(external.chip),
      link_(*recorder_),
      session_(link_, external.exeFolder) {
  load(partIndex);
}

void WindowUnderTest::load(int partIndex) {
  window_ = std::make_unique<frmMain>(session_, log_, services_);
  services_.onModal = [partIndex](QDialog& chooser) {
    if (partIndex < 0) return;
    auto* button =
        chooser.findChild<QAbstractButton*>(QStringLiteral("cmdPART(%1)").arg(partIndex));
    QVERIFY(button);
    button->click();
  };
  window_->Form_Load();
  services_.onModal = nullptr;
}

WindowUnderTest::~WindowUnderTest() = default;

std::vector<int32_t> WindowUnderTest::wordsSent() const {
  std::vector<int32_t> words;
  for (const auto& r : requests()) {
    if (r.code == static_cast<uint8_t>(Request::Spi) && r.direction == kDirectionOut)
      words.push_back((r.index << 16) | r.value);
  }
  return words;
}

std::vector<int> WindowUnderTest::requestCodes() const {
  std::vector<int> codes;
  for (const auto& r : requests()) codes.push_back(r.code);
  return codes;
}

void WindowUnderTest::clearRequests() {
  if (recorder_) recorder_->clearRequests();
  board_.clearRequests();
}

const std::vector<SimulatedBoard::RecordedRequest>& WindowUnderTest::requests() const {
  return recorder_ ? recorder_->requests() : board_.requests();
}

SimulatedChip WindowUnderTest::chip() const {
  return externalChip_ ? externalChip_() : board_.chip();
}

bool WindowUnderTest::setGpioInputLevel(bool high) {
  if (recorder_) return false;
  board_.setGpioInputLevel(high);
  return true;
}

void WindowUnderTest::setText(QWidget* lineEdit, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(lineEdit);
  QVERIFY(edit);
  edit->setText(text);
}

void WindowUnderTest::failMissing(const QString& name) {
  QFAIL(qPrintable(QStringLiteral("no control named %1").arg(name)));
}
