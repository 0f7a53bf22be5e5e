#pragma once
// Tools > Sequence...: a sequence read from a CSV file (the header "dwell_s" and the channels by
// number or name, one row of volts per frame), shown as a table and as a plot of volts against
// time per channel with the frame under way marked; the repeat count, Start, Stop and the
// progress of the sequence the session plays.

#include <QDockWidget>
#include <vector>

#include "session.h"
#include "window_services.h"

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

class SequencePane : public QDockWidget, private SessionListener {
  Q_OBJECT

 public:
  SequencePane(Session& session, WindowServices& services, QWidget* parent = nullptr);
  ~SequencePane() override;

  // Load CSV...: asks for the file; a file that is refused is shown and changes nothing.
  void loadFile();
  void loadFile(const QString& path);
  void start();
  void stop();

  QTableWidget* table() const { return table_; }
  QPushButton* loadButton() const { return load_; }
  QPushButton* startButton() const { return start_; }
  QPushButton* stopButton() const { return stop_; }
  QSpinBox* repeatBox() const { return repeat_; }
  QProgressBar* progress() const { return progress_; }
  QLineSeries* marker() const { return marker_; }
  QChart* chart() const;

 private:
  void sequenceChanged() override;
  void showTable(const std::vector<int>& channels);
  void showPlot(const std::vector<int>& channels);
  void showProgress();

  Session& session_;
  WindowServices& services_;
  QTableWidget* table_ = nullptr;
  QChartView* view_ = nullptr;
  QLineSeries* marker_ = nullptr;  // the frame under way
  QValueAxis* timeAxis_ = nullptr;
  QValueAxis* voltsAxis_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QSpinBox* repeat_ = nullptr;
  QProgressBar* progress_ = nullptr;
  std::vector<double> frameStarts_;  // seconds from the start, of every frame
};
