#pragma once
// Tab 1, "Offset DACs": the offset DAC writes, "Monitor Controls", "GPIO Configuration" and the
// pulse buttons of the tab.

#include <QObject>

#include "frm_main_controls.h"
#include "session.h"

struct PartInfo;
class WindowContext;

class OffsetView : public QObject, private SessionListener {
  Q_OBJECT

 public:
  OffsetView(WindowContext& context, QWidget* page);
  ~OffsetView() override;

  void showModel(const PartInfo& part);  // the third offset DAC row where the model has one
  // The monitor and GPIO frames, with one channel item per monitored channel.
  void showMonitorControls(int monitorEntries);

 private slots:
  void cboDisable_Click();
  void cboMonChannel_Click();
  void cmdGPIOread_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void cmdPowerDownTest_Click();

 private:
  void buildOffsetTab(QWidget* page);  // offset_view_layout.cpp
  void wireOffsets();
  void wireMonitor();
  void wirePulses();

  // offset_view_offsets.cpp
  void cmdOFFSET_Click(int index);
  void txtOffsetValue_LostFocus(int index);
  // offset_view_monitor.cpp
  void chkGPIO_Click(int index);

  // Session events (offset_view.cpp).
  void defaultsApplied() override;
  void offsetDacWritten(int k) override;
  void monitorChanged() override;
  void gpioModeChanged() override;
  void gpioLevelRead() override;

  const ChipModel& chip() const;

  WindowContext& context_;
  Session& session_;
  OffsetTab tab1;
  bool SuppressEvents = false;  // raised around selections the program makes itself
};
