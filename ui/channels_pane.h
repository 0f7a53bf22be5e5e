#pragma once
// Tools > Channels...: a table of every channel of the model with its name, its output limits and
// its present output. Names and limits are edited in place; an empty limit is no limit. What the
// session refuses is shown as a message box and the cell goes back to what the session holds.
// The last column takes a frame: voltages typed for any channels, applied together by "Apply
// Frame" (one LDAC), or refused as a whole.

#include <QDockWidget>
#include <optional>

#include "session.h"
#include "window_services.h"

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class ChannelsPane : public QDockWidget, private SessionListener {
  Q_OBJECT

 public:
  enum Column { kChannelColumn, kNameColumn, kLowColumn, kHighColumn, kOutputColumn, kFrameColumn };

  ChannelsPane(Session& session, WindowServices& services, QWidget* parent = nullptr);
  ~ChannelsPane() override;

  // Rows for the model's channels, as the session holds them.
  void rebuild();
  QTableWidget* table() const { return table_; }
  QPushButton* applyFrameButton() const { return applyFrame_; }
  // The frame of the last column as the session's action; a cell that is not a voltage is shown.
  void applyFrame();

 private:
  void edited(QTableWidgetItem* item);
  void showRow(int row);
  void showOutputs();
  int rowOf(int dac) const;

  void channelLabelChanged(int dac) override;
  void dacRegisterLoaded(int /*dac*/) override { showOutputs(); }
  void referenceChanged(int /*k*/) override { showOutputs(); }
  void offsetDacWritten(int /*k*/) override { showOutputs(); }
  void registersReset() override { showOutputs(); }
  void defaultsApplied() override { showOutputs(); }

  Session& session_;
  WindowServices& services_;
  QTableWidget* table_ = nullptr;
  QPushButton* applyFrame_ = nullptr;
  std::vector<int> records_;  // the record of each row
  bool showing_ = false;      // the program fills cells: not an edit
};
