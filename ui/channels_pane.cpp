#include "channels_pane.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app_title.h"
#include "channel_number.h"
#include "reference_text.h"
#include "transfer_function.h"

namespace {

QString LimitCell(const std::optional<double>& limit) {
  return limit ? QString::fromStdString(ShortestDecimal(*limit)) : QString();
}

QTableWidgetItem* FixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace

ChannelsPane::ChannelsPane(Session& session, WindowServices& services, QWidget* parent)
    : QDockWidget(QStringLiteral("Channels"), parent), session_(session), services_(services) {
  setObjectName(QStringLiteral("ChannelsPane"));
  auto* body = new QWidget(this);
  table_ = new QTableWidget(0, 6, body);
  table_->setObjectName(QStringLiteral("tblChannels"));
  table_->setHorizontalHeaderLabels({QStringLiteral("Channel"), QStringLiteral("Name"),
                                     QStringLiteral("Low (V)"), QStringLiteral("High (V)"),
                                     QStringLiteral("Output (V)"), QStringLiteral("Frame (V)")});
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  applyFrame_ = new QPushButton(QStringLiteral("Apply Frame"), body);
  applyFrame_->setObjectName(QStringLiteral("cmdApplyFrame"));
  auto* layout = new QVBoxLayout(body);
  layout->addWidget(table_);
  layout->addWidget(applyFrame_);
  setWidget(body);
  connect(table_, &QTableWidget::itemChanged, this, &ChannelsPane::edited);
  connect(applyFrame_, &QPushButton::clicked, this, &ChannelsPane::applyFrame);
  session_.addListener(*this);
}

ChannelsPane::~ChannelsPane() {
  session_.removeListener(*this);
}

void ChannelsPane::rebuild() {
  const PartInfo* part = session_.chip().part();
  records_.clear();
  for (int n = 0; part != nullptr && n < part->channels; ++n)
    records_.push_back(RecordOfChannel(part, n));
  showing_ = true;
  table_->setRowCount(static_cast<int>(records_.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    table_->setItem(row, kChannelColumn, FixedItem(QString::number(row)));
    for (const int column : {kNameColumn, kLowColumn, kHighColumn, kFrameColumn})
      table_->setItem(row, column, new QTableWidgetItem);
    table_->setItem(row, kOutputColumn, FixedItem(QString()));
  }
  showing_ = false;
  for (int row = 0; row < table_->rowCount(); ++row) showRow(row);
  showOutputs();
}

int ChannelsPane::rowOf(int dac) const {
  const auto at = std::find(records_.begin(), records_.end(), dac);
  return at == records_.end() ? -1 : static_cast<int>(at - records_.begin());
}

void ChannelsPane::showRow(int row) {
  const ChannelLabel& label = session_.channelLabel(records_.at(static_cast<size_t>(row)));
  showing_ = true;
  table_->item(row, kNameColumn)->setText(QString::fromStdString(label.name));
  table_->item(row, kLowColumn)->setText(LimitCell(label.low));
  table_->item(row, kHighColumn)->setText(LimitCell(label.high));
  showing_ = false;
}

void ChannelsPane::showOutputs() {
  showing_ = true;
  for (int row = 0; row < table_->rowCount(); ++row) {
    const auto dac = static_cast<int16_t>(records_.at(static_cast<size_t>(row)));
    const auto volts = TransferFunction(session_.chip(), dac, session_.references());
    table_->item(row, kOutputColumn)
        ->setText(volts ? QString::fromStdString(*volts) : QStringLiteral("?"));
  }
  showing_ = false;
}

void ChannelsPane::channelLabelChanged(int dac) {
  if (const int row = rowOf(dac); row >= 0) showRow(row);
}

// A cell the operator typed: the name or a limit, through the session's checks.
void ChannelsPane::edited(QTableWidgetItem* item) {
  if (showing_ || item->column() == kFrameColumn) return;
  const int row = item->row();
  const int dac = records_.at(static_cast<size_t>(row));
  const std::string text = item->text().trimmed().toStdString();
  Refused refused;
  if (item->column() == kNameColumn) {
    refused = session_.setChannelName(dac, item->text().toStdString());
  } else {
    const auto side =
        item->column() == kLowColumn ? Session::LimitSide::Lower : Session::LimitSide::Upper;
    const std::optional<double> volts = ParseReferenceVoltage(text);
    if (!text.empty() && !volts) {
      refused = Refusal{Refusal::Kind::OutOfRange, "\"" + text + "\" is not a voltage", ""};
    } else {
      refused = session_.setChannelLimit(dac, side, volts);
    }
  }
  if (refused) {
    showRow(row);
    services_.message(
        {QString::fromStdString(refused->text), appTitle(), MessageIcon::Exclamation});
  }
}

void ChannelsPane::applyFrame() {
  Session::FrameVolts frame;
  for (int row = 0; row < table_->rowCount(); ++row) {
    const std::string text = table_->item(row, kFrameColumn)->text().trimmed().toStdString();
    if (text.empty()) continue;
    const std::optional<double> volts = ParseReferenceVoltage(text);
    if (!volts) {
      services_.message({QStringLiteral("channel %1: \"%2\" is not a voltage")
                             .arg(row)
                             .arg(QString::fromStdString(text)),
                         appTitle(), MessageIcon::Exclamation});
      return;
    }
    frame.emplace_back(records_.at(static_cast<size_t>(row)), *volts);
  }
  if (frame.empty()) return;
  const Session::Origin origin(session_, applyFrame_->text().toStdString());
  if (const Refused refused = session_.writeFrameVolts(frame)) {
    services_.message(
        {QString::fromStdString(refused->text), appTitle(), MessageIcon::Exclamation});
  }
}
