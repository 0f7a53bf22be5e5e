#pragma once
// "Set Output Voltage...": pick a channel, type a voltage, see the code that DAC<n>:VOLTage would
// write (into the input register that feeds the channel) and the voltage that code gives after
// the next LDAC; OK writes it. "." is the decimal point, as everywhere in the program.

#include <QDialog>
#include <optional>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class Session;

class frmSetVoltage : public QDialog {
  Q_OBJECT

 public:
  // Offers the model's channels, `selectedDac`'s first.
  frmSetVoltage(const Session& session, int selectedDac, QWidget* parent = nullptr);

  // The channel record picked and the voltage typed, once OK has been pressed.
  int channelRecord() const;
  std::optional<double> volts() const;

  QComboBox* cboChannel = nullptr;
  QLineEdit* txtVolts = nullptr;
  QLabel* lblCode = nullptr;    // the code and the register it goes to
  QLabel* lblResult = nullptr;  // the voltage that code gives, or why there is none
  QDialogButtonBox* buttons = nullptr;

 private:
  void preview();

  const Session& session_;
};
