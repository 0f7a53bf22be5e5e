#pragma once
// "Verify Chip Registers...": reads every register of the chip back with a progress bar and
// shows either that all agree with the register model or a table of those that differ (channel,
// register, model, chip), with a button that writes the model's values back to the chip and one
// that takes the chip's values into the model. Either is followed by a new verification.

#include <QDialog>
#include <QString>
#include <functional>

#include "chip_verification.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class Session;
class WindowServices;

class frmVerifyChip : public QDialog {
  Q_OBJECT

 public:
  // Runs `body` as the window's action named `origin` (the request log's origin; the window's
  // displays follow what it changes).
  using AsAction = std::function<void(const QString& origin, const std::function<void()>& body)>;

  frmVerifyChip(Session& session, WindowServices& services, AsAction asAction,
                QWidget* parent = nullptr);

  // Reads the chip back and shows what was found.
  void verify();

  QProgressBar* prgVerify = nullptr;
  QLabel* lblVerifyResult = nullptr;
  QTableWidget* grdDifferences = nullptr;
  QPushButton* cmdWriteModel = nullptr;  // the model's values back to the chip
  QPushButton* cmdTakeChip = nullptr;    // the chip's values into the model
  QPushButton* cmdVerifyAgain = nullptr;
  QPushButton* cmdClose = nullptr;

 private:
  void showResult(const ChipVerification& verification);
  void writeModel();
  void takeChip();

  Session& session_;
  WindowServices& services_;
  AsAction asAction_;
};

// The texts of a verification's outcome: "All 169 registers agree", "3 of 169 registers differ",
// or where it ended and why.
QString VerificationSummary(const ChipVerification& verification);
