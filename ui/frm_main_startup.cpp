// Start-up of the main window, the refresh of the output voltages when their tab is selected, and
// closing.

#include <QApplication>
#include <QCloseEvent>
#include <QTabWidget>
#include <memory>

#include "frm_main.h"
#include "frm_part_select.h"
#include "main_dacs_view.h"
#include "offset_view.h"
#include "voltages_view.h"
#include "window_action.h"
#include "window_caption.h"

namespace {

constexpr int kOutputVoltagesTab = 3;

}  // namespace

void frmMain::Form_Load(std::optional<int> preselected) {
  if (preselected) {
    applySetup(*preselected);
  } else {
    frmPartSelect chooser(*this);
    services_.runModal(chooser);
  }
  setWindowTitle(windowCaption(chip()));
  win.SSTab1->setCurrentIndex(0);
  mainDacs_->clearActiveEntry();
  const WindowAction action(context_, QStringLiteral("start-up"));
  session_.start(context_.failedLoadBox(), [this] { showModelControls(); });
}

// The model's own controls and the registers of record 0, once the session has the model's
// defaults and power-on records; shown before the board is connected.
void frmMain::showModelControls() {
  const PartInfo* part = chip().part();
  if (part != nullptr && part->monitorEntries > 0) {
    offsets_->showMonitorControls(part->monitorEntries);
    win.SSTab1->setTabText(1, QStringLiteral("Offset DACs && Monitor Functions"));
  }

  mainDacs_->ShowRegistersOf(0);

  if (part != nullptr) voltages_->hideUnusedLabels(part->outputLabels);
}

void frmMain::SSTab1_Click(int) {
  if (win.SSTab1->currentIndex() != kOutputVoltagesTab) return;
  voltages_->SSTab1_Click();
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Every other window of the program goes with the main window; nothing goes to the board.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
  event->accept();
}

void frmMain::wireStartup() {
  auto previousTab = std::make_shared<int>(0);
  connect(win.SSTab1, &QTabWidget::currentChanged, this, [this, previousTab](int current) {
    SSTab1_Click(*previousTab);
    *previousTab = current;
  });
}
