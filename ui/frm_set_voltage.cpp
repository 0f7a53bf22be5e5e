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
#include "voltage_code.h"

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

// What OK would write, worked out as the session will work it out.
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
  const int dac = channelRecord();
  const VoltageSolution solution =
      CodeForVoltage(session_.chip(), static_cast<int16_t>(dac), session_.references(), *wanted);
  ok->setEnabled(solution.found.has_value());
  if (!solution.found) {
    lblCode->setText(QStringLiteral("-"));
    lblResult->setText(QString::fromStdString(solution.miss.reason));
    return;
  }
  const bool fromB = session_.chip().DACs.at(static_cast<size_t>(dac)).ABsel() != 0;
  lblCode->setText(QStringLiteral("%1 hex into X1%2")
                       .arg(QString::fromStdString(RegisterText(solution.found->code)))
                       .arg(fromB ? QLatin1Char('B') : QLatin1Char('A')));
  lblResult->setText(QStringLiteral("%1 V after the next LDAC")
                         .arg(QString::fromStdString(FormatVoltage(solution.found->volts))));
}
