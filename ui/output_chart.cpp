#include "output_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QScatterSeries>
#include <QScreen>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "channel_label.h"
#include "channel_number.h"
#include "transfer_function.h"

namespace {

// A repaint per frame of the screen (60 a second where the screen does not say).
int ScreenFrameMs() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double rate =
      screen != nullptr && screen->refreshRate() > 1.0 ? screen->refreshRate() : 60.0;
  return std::max(1, static_cast<int>(std::lround(1000.0 / rate)));
}

QScatterSeries* LimitMarks(const QString& name, QChart* chart) {
  auto* marks = new QScatterSeries(chart);
  marks->setName(name);
  marks->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  marks->setMarkerSize(6.0);
  return marks;
}

// The axis's label of a bar: the channel's number, then its name where set. The axis takes
// each label once only, so the number keeps two channels of the same name (or a channel named
// after another's number) from losing their labels and shifting every label after them.
QString AxisLabel(int channel, const ChannelLabel& label) {
  if (label.name.empty()) return QString::number(channel);
  return QStringLiteral("%1: %2").arg(channel).arg(QString::fromStdString(label.name));
}

}  // namespace

OutputChart::OutputChart(Session& session, QWidget* parent)
    : QChartView(parent), session_(session) {
  setObjectName(QStringLiteral("chtOutputs"));
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setMargins(QMargins(2, 2, 2, 2));
  auto* bars = new QBarSeries(chart);
  outputs_ = new QBarSet(QStringLiteral("output"), bars);
  bars->append(outputs_);
  chart->addSeries(bars);
  low_ = LimitMarks(QStringLiteral("low limit"), chart);
  high_ = LimitMarks(QStringLiteral("high limit"), chart);
  chart->addSeries(low_);
  chart->addSeries(high_);
  channels_ = new QBarCategoryAxis(chart);
  volts_ = new QValueAxis(chart);
  volts_->setTitleText(QStringLiteral("V"));
  chart->addAxis(channels_, Qt::AlignBottom);
  chart->addAxis(volts_, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(channels_);
    series->attachAxis(volts_);
  }
  // The view gives up the empty chart it was made with rather than deleting it.
  QChart* empty = this->chart();
  setChart(chart);
  delete empty;
  repaint_.setInterval(ScreenFrameMs());
  connect(&repaint_, &QTimer::timeout, this, &OutputChart::refresh);
  connect(outputs_, &QBarSet::hovered, this, &OutputChart::showBarText);
  session_.addListener(*this);
}

OutputChart::~OutputChart() {
  session_.removeListener(*this);
}

void OutputChart::changed() {
  dirty_ = true;
  if (!repaint_.isActive()) repaint_.start();
}

void OutputChart::channelLabelChanged(int) {
  labelsDirty_ = true;
  changed();
}

void OutputChart::rebuild() {
  const PartInfo* part = session_.chip().part();
  records_.clear();
  for (int n = 0; part != nullptr && n < part->channels; ++n)
    records_.push_back(RecordOfChannel(part, n));
  outputs_->remove(0, outputs_->count());
  outputs_->append(QList<qreal>(static_cast<qsizetype>(records_.size()), 0.0));
  labelsDirty_ = true;
  dirty_ = true;
  refresh();
}

void OutputChart::refresh() {
  if (!dirty_) {
    repaint_.stop();  // nothing came in a whole screen frame: wait for the next change
    return;
  }
  dirty_ = false;
  ++refreshes_;
  double low = -1.0;
  double high = 1.0;
  QList<QPointF> lows;
  QList<QPointF> highs;
  QStringList names;
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const int dac = records_[i];
    const double volts =
        OutputVoltage(session_.chip(), static_cast<int16_t>(dac), session_.references())
            .value_or(0.0);
    outputs_->replace(static_cast<int>(i), volts);
    low = std::min(low, volts);
    high = std::max(high, volts);
    const ChannelLabel& label = session_.channelLabel(dac);
    const auto x = static_cast<double>(i);
    if (label.low) lows << QPointF(x, *label.low);
    if (label.high) highs << QPointF(x, *label.high);
    names << AxisLabel(static_cast<int>(i), label);
  }
  for (const QPointF& mark : lows + highs) {
    low = std::min(low, mark.y());
    high = std::max(high, mark.y());
  }
  if (labelsDirty_) {
    labelsDirty_ = false;
    low_->replace(lows);
    high_->replace(highs);
    channels_->setCategories(names);
  }
  const double room = 0.05 * (high - low);
  volts_->setRange(low - room, high + room);
}

QString OutputChart::barText(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) return {};
  const int dac = records_[static_cast<std::size_t>(index)];
  const ChannelLabel& label = session_.channelLabel(dac);
  const std::optional<std::string> volts =
      TransferFunction(session_.chip(), static_cast<int16_t>(dac), session_.references());
  std::string text = ChannelTitle(index, label) + ": " + (volts ? *volts + " V" : "no voltage");
  if (label.low || label.high) text += ", limits: " + RangeText(label);
  return QString::fromStdString(text);
}

// The bar under the mouse, whose text the next tooltip event shows (the chart's scene would
// otherwise answer it with no tooltip at all).
void OutputChart::showBarText(bool hovering, int index) {
  hovered_ = hovering ? index : -1;
  if (!hovering)
    QToolTip::hideText();
  else if (QToolTip::isVisible())
    QToolTip::showText(QCursor::pos(), barText(index), viewport());
}

bool OutputChart::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip || hovered_ < 0) return QChartView::viewportEvent(event);
  QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), barText(hovered_), viewport());
  return true;
}
