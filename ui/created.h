#pragma once
// The credits window, opened by the hidden click sequence of the main window.

#include <QDialog>

class QLabel;
class QPushButton;

class created : public QDialog {
  Q_OBJECT

 public:
  explicit created(QWidget* parent = nullptr);

  void Command1_Click();

  QLabel* Label1 = nullptr;         // the credit line
  QLabel* Picture1 = nullptr;       // the credits image
  QPushButton* Command1 = nullptr;  // "Back to the Real World..."

 private:
  void centreOnScreen();
};
