#pragma once
// The part-selection window: one button per catalogue row. The chosen button runs that model's
// setup on the main window and closes this window. Closing it without a choice runs no setup.

#include <QDialog>
#include <array>

#include "catalogue.h"

class QLabel;
class QPushButton;
class frmMain;

class frmPartSelect : public QDialog {
  Q_OBJECT

 public:
  explicit frmPartSelect(frmMain& main, QWidget* parent = nullptr);

  void cmdPART_Click(int index);

  QLabel* Label1 = nullptr;  // "Select Part"
  std::array<QPushButton*, kPartCount> cmdPART{};

 private:
  frmMain& main_;
};
