#include "frm_set_voltage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "channel_number.h"
#include "hex_text.h"
#include "reference_text.h"
#include "session.h"
#include "transfer_function.h"

frmSetVoltage::frmSetVoltage(const Session& session, int selectedDac, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("frmSetVoltage"));
  setWindowTitle(QStringLiteral("Set Output Voltage"));
  auto* form = new QFormLayout(this);
  cboChannel = new QComboBox(this);
  cboChannel->setObjectName(QStringLiteral("cboChannel"));
  const PartInfo* part = session.chip().part();
  for (int dac = 0; dac < kChannelCount; ++dac) {
    const int n = ChannelOfRecord(part, dac);
    if (n < 0) continue;
    cboChannel->addItem(QStringLiteral("DAC%1").arg(n), dac);
    if (dac == selectedDac) cboChannel->setCurrentIndex(cboChannel->count() - 1);
  }
  txtVolts = new QLineEdit(this);
  txtVolts->setObjectName(QStringLiteral("txtVolts"));
  lblCode = new QLabel(this);
  lblCode->setObjectName(QStringLiteral("lblCode"));
  lblResult = new QLabel(this);
  lblResult->setObjectName(QStringLiteral("lblResult"));
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  form->addRow(QStringLiteral("Channel"), cboChannel);
  form->addRow(QStringLiteral("Voltage (V)"), txtVolts);
  form->addRow(QStringLiteral("Code"), lblCode);
  form->addRow(QStringLiteral("Output"), lblResult);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(cboChannel, &QComboBox::currentIndexChanged, this, [this] { preview(); });
  connect(txtVolts, &QLineEdit::textChanged, this, [this] { preview(); });
  preview();
}

int frmSetVoltage::channelRecord() const {
  return cboChannel->currentData().toInt();
}

std::optional<double> frmSetVoltage::volts() const {
  return ParseReferenceVoltage(txtVolts->text().toStdString());
}

// What OK would write, as the session works it out.
void frmSetVoltage::preview() {
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  const std::optional<double> wanted = volts();
  if (!wanted) {
    lblCode->setText(QStringLiteral("-"));
    lblResult->setText(txtVolts->text().isEmpty() ? QString()
                                                  : QStringLiteral("not a number of volts"));
    ok->setEnabled(false);
    return;
  }
  const Session::VoltagePreview preview = session_.previewVoltage(channelRecord(), *wanted);
  ok->setEnabled(preview.write.has_value());
  if (!preview.write) {
    lblCode->setText(QStringLiteral("-"));
    lblResult->setText(QString::fromStdString(preview.refused->text));
    return;
  }
  const bool fromB = preview.write->reg == ChannelRegister::X1B;
  lblCode->setText(QStringLiteral("%1 hex into X1%2")
                       .arg(QString::fromStdString(RegisterText(preview.write->code)))
                       .arg(fromB ? QLatin1Char('B') : QLatin1Char('A')));
  lblResult->setText(QStringLiteral("%1 V after the next LDAC")
                         .arg(QString::fromStdString(FormatVoltage(preview.write->volts))));
}
