#include "frm_verify_chip.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "session.h"
#include "window_services.h"

namespace {

const QString kTitle = QStringLiteral("Verify Chip Registers");
constexpr int kProgressSteps = 8;  // the bar repaints about this many times per verification

QPushButton* NamedButton(QWidget* parent, const QString& text, const char* name) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QString Code(int32_t code) {
  return QStringLiteral("%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
}

QTableWidgetItem* Cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

QString VerificationSummary(const ChipVerification& v) {
  if (!v.failure.empty()) {
    return QStringLiteral("The verification ended after %1 of %2 registers: %3")
        .arg(v.read)
        .arg(v.total)
        .arg(QString::fromStdString(v.failure));
  }
  if (v.differences.empty()) return QStringLiteral("All %1 registers agree").arg(v.total);
  return QStringLiteral("%1 of %2 registers differ").arg(v.differences.size()).arg(v.total);
}

frmVerifyChip::frmVerifyChip(Session& session, WindowServices& services, AsAction asAction,
                             QWidget* parent)
    : QDialog(parent), session_(session), services_(services), asAction_(std::move(asAction)) {
  setObjectName(QStringLiteral("frmVerifyChip"));
  setWindowTitle(kTitle);
  auto* layout = new QVBoxLayout(this);
  prgVerify = new QProgressBar(this);
  prgVerify->setObjectName(QStringLiteral("prgVerify"));
  lblVerifyResult = new QLabel(this);
  lblVerifyResult->setObjectName(QStringLiteral("lblVerifyResult"));
  lblVerifyResult->setWordWrap(true);
  grdDifferences = new QTableWidget(0, 4, this);
  grdDifferences->setObjectName(QStringLiteral("grdDifferences"));
  grdDifferences->setHorizontalHeaderLabels({QStringLiteral("Channel"), QStringLiteral("Register"),
                                             QStringLiteral("Model"), QStringLiteral("Chip")});
  grdDifferences->verticalHeader()->hide();
  grdDifferences->horizontalHeader()->setStretchLastSection(true);
  cmdWriteModel = NamedButton(this, QStringLiteral("Write Model to Chip"), "cmdWriteModel");
  cmdTakeChip = NamedButton(this, QStringLiteral("Take Chip Values"), "cmdTakeChip");
  cmdVerifyAgain = NamedButton(this, QStringLiteral("Verify Again"), "cmdVerifyAgain");
  cmdClose = NamedButton(this, QStringLiteral("Close"), "cmdClose");
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {cmdWriteModel, cmdTakeChip, cmdVerifyAgain, cmdClose}) {
    buttons->addWidget(button);
  }
  layout->addWidget(prgVerify);
  layout->addWidget(lblVerifyResult);
  layout->addWidget(grdDifferences);
  layout->addLayout(buttons);
  resize(520, 360);
  connect(cmdWriteModel, &QPushButton::clicked, this, [this] { writeModel(); });
  connect(cmdTakeChip, &QPushButton::clicked, this, [this] { takeChip(); });
  connect(cmdVerifyAgain, &QPushButton::clicked, this, [this] { verify(); });
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmVerifyChip::verify() {
  for (QPushButton* button : {cmdWriteModel, cmdTakeChip, cmdVerifyAgain, cmdClose}) {
    button->setEnabled(false);
  }
  lblVerifyResult->setText(QStringLiteral("Reading the chip back..."));
  grdDifferences->setRowCount(0);
  prgVerify->setValue(0);
  const ChipVerification* found = nullptr;
  asAction_(QStringLiteral("Verify Chip Registers..."), [this, &found] {
    found = &session_.verifyChip([this](int done, int total) {
      prgVerify->setMaximum(total);
      prgVerify->setValue(done);
      if (done % std::max(1, total / kProgressSteps) == 0) services_.processEvents();
    });
  });
  showResult(*found);
}

void frmVerifyChip::showResult(const ChipVerification& v) {
  lblVerifyResult->setText(VerificationSummary(v));
  grdDifferences->setRowCount(static_cast<int>(v.differences.size()));
  int row = 0;
  for (const RegisterDifference& d : v.differences) {
    const QString channel = d.channel >= 0 ? QString::number(d.channel) : QString();
    const QString name = QString::fromUtf8(ReadbackRow(d.item).name.data(),
                                           static_cast<qsizetype>(ReadbackRow(d.item).name.size()));
    grdDifferences->setItem(row, 0, Cell(channel));
    grdDifferences->setItem(row, 1, Cell(name));
    grdDifferences->setItem(row, 2, Cell(Code(d.model)));
    grdDifferences->setItem(row, 3, Cell(Code(d.chip)));
    ++row;
  }
  grdDifferences->setVisible(!v.differences.empty());
  cmdWriteModel->setEnabled(!v.differences.empty() || !v.failure.empty());
  cmdTakeChip->setEnabled(!v.differences.empty());
  cmdVerifyAgain->setEnabled(true);
  cmdClose->setEnabled(true);
}

void frmVerifyChip::writeModel() {
  Refused refused;
  asAction_(cmdWriteModel->text(), [this, &refused] { refused = WriteModelToChip(session_); });
  if (refused) {
    services_.message({QString::fromStdString(refused->text), kTitle, MessageIcon::Exclamation});
    return;
  }
  verify();
}

void frmVerifyChip::takeChip() {
  const std::vector<RegisterDifference> differences = session_.lastVerification().differences;
  asAction_(cmdTakeChip->text(), [this, &differences] { session_.takeChipValues(differences); });
  verify();
}
