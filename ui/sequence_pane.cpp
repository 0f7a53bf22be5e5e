#include "sequence_pane.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app_title.h"
#include "sequence_file.h"

namespace {

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

SequencePane::SequencePane(Session& session, WindowServices& services, QWidget* parent)
    : QDockWidget(QStringLiteral("Sequence"), parent), session_(session), services_(services) {
  setObjectName(QStringLiteral("SequencePane"));
  auto* body = new QWidget(this);
  load_ = Button(QStringLiteral("cmdLoadSequence"), QStringLiteral("Load CSV..."), body);
  start_ = Button(QStringLiteral("cmdStartSequence"), QStringLiteral("Start"), body);
  stop_ = Button(QStringLiteral("cmdStopSequence"), QStringLiteral("Stop"), body);
  repeat_ = new QSpinBox(body);
  repeat_->setObjectName(QStringLiteral("spnRepeat"));
  repeat_->setRange(0, 1000000);
  repeat_->setValue(1);
  repeat_->setSpecialValueText(QStringLiteral("for ever"));
  progress_ = new QProgressBar(body);
  progress_->setObjectName(QStringLiteral("prgSequence"));
  table_ = new QTableWidget(body);
  table_->setObjectName(QStringLiteral("tblSequence"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignRight);
  timeAxis_ = new QValueAxis(chart);
  timeAxis_->setTitleText(QStringLiteral("s"));
  voltsAxis_ = new QValueAxis(chart);
  voltsAxis_->setTitleText(QStringLiteral("V"));
  chart->addAxis(timeAxis_, Qt::AlignBottom);
  chart->addAxis(voltsAxis_, Qt::AlignLeft);
  view_ = new QChartView(chart, body);
  view_->setObjectName(QStringLiteral("chtSequence"));
  view_->setMinimumHeight(160);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(load_);
  buttons->addWidget(new QLabel(QStringLiteral("Repeat:"), body));
  buttons->addWidget(repeat_);
  buttons->addWidget(start_);
  buttons->addWidget(stop_);
  auto* layout = new QVBoxLayout(body);
  layout->addLayout(buttons);
  layout->addWidget(progress_);
  layout->addWidget(table_, 1);
  layout->addWidget(view_, 1);
  setWidget(body);

  connect(load_, &QPushButton::clicked, this, [this] { loadFile(); });
  connect(start_, &QPushButton::clicked, this, &SequencePane::start);
  connect(stop_, &QPushButton::clicked, this, &SequencePane::stop);
  session_.addListener(*this);
  sequenceChanged();
}

SequencePane::~SequencePane() {
  session_.removeListener(*this);
}

QChart* SequencePane::chart() const {
  return view_->chart();
}

void SequencePane::loadFile() {
  const QString path =
      services_.openFileName(QStringLiteral("Load Sequence"), QStringLiteral("Sequences (*.csv)"));
  if (!path.isEmpty()) loadFile(path);
}

void SequencePane::loadFile(const QString& path) {
  SequenceRead read = ReadSequenceFile(path, session_);
  Sequencer& sequencer = session_.sequencer();
  Refused refused;
  if (read.error.isEmpty()) refused = sequencer.clear();
  for (SequenceFrame& frame : read.frames) {
    if (refused) break;
    refused = sequencer.append(std::move(frame));
  }
  if (!read.error.isEmpty() || refused) {
    const QString text = read.error.isEmpty() ? QString::fromStdString(refused->text) : read.error;
    services_.message({text, appTitle(), MessageIcon::Exclamation});
    return;
  }
  showTable(read.channels);
  showPlot(read.channels);
  showProgress();
}

void SequencePane::start() {
  const int passes = repeat_->value();
  Refused refused =
      session_.sequencer().setRepeat(passes == 0 ? std::nullopt : std::optional<int>(passes));
  if (!refused) {
    const Session::Origin origin(session_, start_->text().toStdString());
    refused = session_.sequencer().start();
  }
  if (refused) {
    services_.message(
        {QString::fromStdString(refused->text), appTitle(), MessageIcon::Exclamation});
  }
}

void SequencePane::stop() {
  session_.sequencer().stop();
}

void SequencePane::showTable(const std::vector<int>& channels) {
  const std::vector<SequenceFrame>& frames = session_.sequencer().frames();
  table_->clear();
  table_->setColumnCount(static_cast<int>(channels.size()) + 1);
  table_->setRowCount(static_cast<int>(frames.size()));
  QStringList header{QStringLiteral("dwell_s")};
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const ChannelLabel& label = session_.channelLabel(frames.front().volts.at(i).first);
    header
        << (label.name.empty()
                ? QString::number(channels[i])
                : QStringLiteral("%1 %2").arg(channels[i]).arg(QString::fromStdString(label.name)));
  }
  table_->setHorizontalHeaderLabels(header);
  for (int row = 0; row < table_->rowCount(); ++row) {
    const SequenceFrame& frame = frames.at(static_cast<std::size_t>(row));
    table_->setItem(row, 0,
                    new QTableWidgetItem(QString::number(
                        std::chrono::duration<double>(frame.dwell).count(), 'g', 15)));
    for (std::size_t i = 0; i < frame.volts.size(); ++i) {
      table_->setItem(row, static_cast<int>(i) + 1,
                      new QTableWidgetItem(QString::number(frame.volts[i].second, 'g', 15)));
    }
  }
}

// One step line per channel: each frame's volts held from its start to the next frame's.
void SequencePane::showPlot(const std::vector<int>& channels) {
  const std::vector<SequenceFrame>& frames = session_.sequencer().frames();
  QChart* chart = view_->chart();
  chart->removeAllSeries();
  frameStarts_.clear();
  double t = 0.0;
  for (const SequenceFrame& frame : frames) {
    frameStarts_.push_back(t);
    t += std::chrono::duration<double>(frame.dwell).count();
  }
  double low = 0.0;
  double high = 0.0;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    auto* series = new QLineSeries(chart);
    series->setName(QString::number(channels[i]));
    QList<QPointF> points;
    for (std::size_t row = 0; row < frames.size(); ++row) {
      const double volts = frames[row].volts[i].second;
      const double end = row + 1 < frames.size() ? frameStarts_[row + 1] : t;
      points << QPointF(frameStarts_[row], volts) << QPointF(end, volts);
      low = std::min(low, volts);
      high = std::max(high, volts);
    }
    series->replace(points);
    chart->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(voltsAxis_);
  }
  marker_ = new QLineSeries(chart);
  marker_->setName(QStringLiteral("now"));
  chart->addSeries(marker_);
  marker_->attachAxis(timeAxis_);
  marker_->attachAxis(voltsAxis_);
  timeAxis_->setRange(0.0, t);
  voltsAxis_->setRange(low - 0.5, high + 0.5);
}

void SequencePane::showProgress() {
  const Sequencer& sequencer = session_.sequencer();
  const int frames = static_cast<int>(sequencer.frames().size());
  const std::optional<int> passes = sequencer.repeat();
  if (!sequencer.running()) {
    progress_->setRange(0, std::max(frames, 1));
    progress_->setValue(0);
  } else {
    // For ever: the frame within its pass; otherwise the frames of every pass.
    const int total = passes ? frames * *passes : frames;
    const int done = static_cast<int>(sequencer.frameIndex()) + 1 +
                     (passes ? (sequencer.pass() - 1) * frames : 0);
    progress_->setRange(0, std::max(total, 1));
    progress_->setValue(done);
  }
  if (marker_ != nullptr && sequencer.running() && sequencer.frameIndex() < frameStarts_.size()) {
    const double at = frameStarts_[sequencer.frameIndex()];
    marker_->replace({QPointF(at, voltsAxis_->min()), QPointF(at, voltsAxis_->max())});
  } else if (marker_ != nullptr) {
    marker_->clear();
  }
}

void SequencePane::sequenceChanged() {
  const bool running = session_.sequencer().running();
  load_->setEnabled(!running);
  start_->setEnabled(!running);
  repeat_->setEnabled(!running);
  stop_->setEnabled(running);
  showProgress();
}
