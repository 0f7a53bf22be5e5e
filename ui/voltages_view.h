#pragma once
// Tab 3, "Output Voltages": one label per output, worked out from the register model and the
// references each time the tab is shown, and the bar chart below them.

#include <QObject>

#include "frm_main_controls.h"
#include "session.h"

class OutputChart;
class WindowContext;

class VoltagesView : public QObject, private SessionListener {
  Q_OBJECT

 public:
  VoltagesView(WindowContext& context, QWidget* page);
  ~VoltagesView() override;

  void hideUnusedLabels(int outputLabels);  // the labels past the model's outputs
  // The tab was selected: the labels are worked out again; the chart is made the first time.
  void SSTab1_Click();

 private:
  void buildVoltagesTab(QWidget* page);  // voltages_view_layout.cpp
  void refreshOutputVoltages();
  void showOutputChart();  // made on first showing, below the labels

  void channelLabelChanged(int dac) override;

  const ChipModel& chip() const;

  WindowContext& context_;
  Session& session_;
  VoltagesTab tab3;
  OutputChart* outputChart = nullptr;
};
