#pragma once
// Tab 2, "Signals & Direct Load": the chip's control lines held high or low or pulsed, and the
// direct 24-bit load that sends any typed word past the register model. Nothing on the tab shows
// what the session holds (its boxes keep what the operator typed), so it follows no session event.

#include <QObject>
#include <cstdint>

#include "frm_main_controls.h"
#include "session.h"

class WindowContext;

class SignalsView : public QObject {
  Q_OBJECT

 public:
  SignalsView(WindowContext& context, QWidget* page);

 private slots:
  void Command1_Click();
  void Command2_Click();
  void cmdDirectLoad_Click();

 private:
  void buildSignalsTab(QWidget* page);  // signals_view_layout.cpp
  void wireSignals();

  // signals_view_lines.cpp
  void cmdRESET_Click(int index);
  void optTxtSelect_Click(int index);
  void txtDirectLoad_LostFocus(int index);

  WindowContext& context_;
  Session& session_;
  SignalsTab tab2;
  int16_t DirectLoadIndex = 0;  // the direct-load box "Load Command" sends
};
