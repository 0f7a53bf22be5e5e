#pragma once
// The chart of the Output Voltages tab: one bar per channel of the model showing its output, the
// limits of the limited channels as marks, the channels' numbers and names on the axis, and a bar's
// channel, output and limits in its tooltip (where 40 bars leave the axis no room). It follows
// the session (every DAC register loaded, reference, offset DAC, name or limit), repainting at
// most at the screen's rate, so that a sequence that changes the outputs a thousand times a
// second costs it no more than a repaint per screen frame.

#include <QChartView>
#include <QTimer>
#include <vector>

#include "session.h"

class QBarCategoryAxis;
class QBarSet;
class QScatterSeries;
class QValueAxis;

class OutputChart : public QChartView, private SessionListener {
  Q_OBJECT

 public:
  explicit OutputChart(Session& session, QWidget* parent = nullptr);
  ~OutputChart() override;

  // Rebuilds the bars for the model's channels and shows the outputs now.
  void rebuild();
  // Shows the outputs now, if anything changed since they were last shown.
  void refresh();

  QBarSet* outputs() const { return outputs_; }
  QScatterSeries* lowLimits() const { return low_; }
  QScatterSeries* highLimits() const { return high_; }
  QBarCategoryAxis* channelAxis() const { return channels_; }
  int refreshes() const { return refreshes_; }
  // What the bar at `index` shows on hover: "channel 5 (mirror x): 2.5000 V, limits: at most 3 V".
  QString barText(int index) const;

 private:
  void changed();
  void dacRegisterLoaded(int /*dac*/) override { changed(); }
  void referenceChanged(int /*k*/) override { changed(); }
  void offsetDacWritten(int /*k*/) override { changed(); }
  void registersReset() override { changed(); }
  void defaultsApplied() override { changed(); }
  void channelLabelChanged(int /*dac*/) override;
  void showBarText(bool hovering, int index);
  bool viewportEvent(QEvent* event) override;

  Session& session_;
  QBarSet* outputs_ = nullptr;
  QScatterSeries* low_ = nullptr;
  QScatterSeries* high_ = nullptr;
  QBarCategoryAxis* channels_ = nullptr;
  QValueAxis* volts_ = nullptr;
  std::vector<int> records_;  // the record of each bar
  QTimer repaint_;            // at the screen's rate while changes come
  bool dirty_ = false;
  bool labelsDirty_ = false;
  int hovered_ = -1;  // the bar under the mouse, if any
  int refreshes_ = 0;
};
