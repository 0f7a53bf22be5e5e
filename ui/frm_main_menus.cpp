// The menu bar ("Reload USB", "Exit", "Version", the Tools), the hidden click sequence on the
// corner pictures that opens the credits window, and the hidden readback test.

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "app_title.h"
#include "created.h"
#include "frm_main.h"
#include "frm_set_voltage.h"
#include "frm_verify_chip.h"
#include "hex_text.h"
#include "picture_box.h"
#include "program_version.h"
#include "window_action.h"

namespace {

enum class Corner { TopLeft, TopRight, BottomLeft };

// The hidden sequence: the corner pictures to click, in order (Picture1, Picture3, Picture2).
constexpr std::array<Corner, 3> kSecretOrder{Corner::TopLeft, Corner::TopRight, Corner::BottomLeft};

constexpr int stepOf(Corner corner) {
  for (std::size_t step = 0; step < kSecretOrder.size(); ++step) {
    if (kSecretOrder[step] == corner) return static_cast<int>(step);
  }
  return -1;
}

constexpr int kLastStep = static_cast<int>(kSecretOrder.size()) - 1;

// One click of the hidden sequence: an earlier step advances Secret only from the step before
// it, anything else starts over; the last step opens the credits window when all came in order.
void secretClick(WindowServices& services, int16_t& Secret, Corner corner) {
  const int step = stepOf(corner);
  if (step < kLastStep) {
    Secret = static_cast<int16_t>(Secret == step ? step + 1 : 0);
    return;
  }
  if (Secret == kLastStep) {
    created credits;
    services.runModal(credits);
  }
  Secret = 0;
}

}  // namespace

void frmMain::mnuReload_Click() {
  const WindowAction action(context_, menus.mnuReload->text());
  session_.reload(context_.failedLoadBox());
}

void frmMain::mnuExit_Click() {
  close();
}

void frmMain::mnuVersion_Click() {
  services_.message(
      {QStringLiteral("Version ") + QString::fromUtf8(kProgramVersion),
       QString::fromStdString(chip().PartName) + QStringLiteral(" Evaluation Board Software"),
       MessageIcon::Information});
}

// The voltage is written as DAC<n>:VOLTage writes it: the nearest code into the input register
// that feeds the channel; the output follows at the next LDAC.
void frmMain::mnuSetVoltage_Click() {
  frmSetVoltage dialog(session_, context_.selectedDac(), this);
  services_.runModal(dialog);
  const std::optional<double> volts = dialog.volts();
  if (dialog.result() != QDialog::Accepted || !volts) return;
  const WindowAction action(context_, menus.mnuSetVoltage->text());
  context_.showRefusal(session_.writeVoltage(dialog.channelRecord(), *volts));
}

// The dialog is shown (modal to the application) before the chip is read back, so that its
// progress bar is seen; its buttons run as the window's actions, and the displays follow.
void frmMain::mnuVerifyChip_Click() {
  frmVerifyChip dialog(
      session_, services_,
      [this](const QString& origin, const std::function<void()>& body) {
        const WindowAction action(context_, origin, WindowAction::Displays::Follow);
        body();
      },
      this);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  dialog.verify();
  services_.runModal(dialog);
}

void frmMain::Picture1_Click() {
  secretClick(services_, Secret, Corner::TopLeft);
}

void frmMain::Picture2_Click() {
  secretClick(services_, Secret, Corner::BottomLeft);
}

void frmMain::Picture3_Click() {
  secretClick(services_, Secret, Corner::TopRight);
}

// Readback test: select readback 0 and show what comes back.
void frmMain::Command3_Click() {
  const WindowAction action(context_, win.Command3->text());
  const int32_t value = session_.readbackTest();
  services_.message({QString::fromStdString(HexDigits(value)), appTitle(), MessageIcon::None});
}

void frmMain::wireMenus() {
  connect(menus.mnuReload, &QAction::triggered, this, &frmMain::mnuReload_Click);
  connect(menus.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
  connect(menus.mnuVersion, &QAction::triggered, this, &frmMain::mnuVersion_Click);
  connect(menus.mnuSetVoltage, &QAction::triggered, this, &frmMain::mnuSetVoltage_Click);
  connect(menus.mnuVerifyChip, &QAction::triggered, this, &frmMain::mnuVerifyChip_Click);
  connect(win.Picture1, &PictureBox::clicked, this, &frmMain::Picture1_Click);
  connect(win.Picture2, &PictureBox::clicked, this, &frmMain::Picture2_Click);
  connect(win.Picture3, &PictureBox::clicked, this, &frmMain::Picture3_Click);
  connect(win.Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
  context_.chipControls().add({win.Command3});
  context_.chipControls().add(
      {menus.mnuReload, menus.mnuLoadSetup, menus.mnuSetVoltage, menus.mnuVerifyChip});
}
