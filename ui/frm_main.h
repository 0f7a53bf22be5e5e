#pragma once
// The main window: the operator console of the evaluation board. Its procedures are spread over
// files by concern (frm_main_*.cpp); this header is the one place that lists them all.

#include <QMainWindow>
#include <QString>
#include <cstdint>

#include <memory>
#include <optional>
#include <vector>

#include "chip_model.h"
#include "frm_main_controls.h"
#include "saved_setup.h"
#include "session.h"
#include "window_services.h"

struct PartInfo;
class ChannelsPane;
class OutputChart;
class SequencePane;
class RequestLog;
class RequestLogPane;

// The window is a view of the session: its handlers read the controls, call the session's action
// and show a refusal; the session tells it (as a SessionListener) what changed, whoever changed
// it, and the displays follow.
class frmMain : public QMainWindow, private SessionListener {
  Q_OBJECT

 public:
  // The window creates all its controls; nothing runs until Form_Load.
  // `log`: the program's request log, which the Request Log pane shows; it outlives the window.
  frmMain(Session& session, const RequestLog& log, WindowServices& services,
          QWidget* parent = nullptr);
  ~frmMain() override;

  // ---- start-up, re-initialisation, tabs, closing (frm_main_startup.cpp) ----
  // The model choice (the part chooser, or `preselected` catalogue row without it), the layout
  // for the model, the reset, the board connection.
  void Form_Load(std::optional<int> preselected = std::nullopt);
  void SSTab1_Click(int previousTab);
  void ShowRegistersOf(int index);  // the seven register displays from one record
  void refreshOutputVoltages();
  void showOutputChart();  // frm_main_channels.cpp: made on first showing, below the labels
  // A second line of the status bar, e.g. where remote control listens.
  void showStatus(const QString& text);

  // ---- the model setup (frm_main_setups.cpp) ----
  void applySetup(int catalogueIndex);  // runs the setup of catalogue row `catalogueIndex`

  // ---- channel and group selection (frm_main_selection.cpp) ----
  void chkDAC_Click(int index);
  void DACoptMux2_Click(int index);
  void optAB_Click(int index);

  // ---- entry boxes (frm_main_entry_boxes.cpp) ----
  void txtInput_KeyPress(int index, int keyCode);
  void txtInput_LostFocus(int index);
  void InputSel_Click(int index);

  // ---- register writes (frm_main_writes.cpp) ----
  void cmdX1A_Click();
  void cmdM_Click();
  void cmdC_Click();
  void cmdLDAC_Click();

  // ---- offset DACs and references (frm_main_offsets.cpp) ----
  void cmdOFFSET_Click(int index);
  void txtOffsetValue_LostFocus(int index);
  void txtVREF_KeyPress(int index, int keyCode);

  // ---- monitor and GPIO (frm_main_monitor.cpp) ----
  void cboDisable_Click();
  void cboMonChannel_Click();
  void chkGPIO_Click(int index);
  void cmdGPIOread_Click();

  // ---- control lines and direct load (frm_main_signals.cpp) ----
  void cmdRESET_Click(int index);
  void mnuPulseReset_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void cmdPowerDownTest_Click();
  void optTxtSelect_Click(int index);
  void txtDirectLoad_LostFocus(int index);
  void cmdDirectLoad_Click();

  // ---- menus and the hidden sequence (frm_main_menus.cpp) ----
  void mnuReload_Click();
  void mnuExit_Click();
  void mnuVersion_Click();
  void mnuSetVoltage_Click();  // Tools > "Set Output Voltage..."
  void mnuVerifyChip_Click();  // Tools > "Verify Chip Registers..."
  void Picture1_Click();
  void Picture2_Click();
  void Picture3_Click();

  // ---- setup files (frm_main_setup_files.cpp) ----
  void mnuSaveSetup_Click();
  void mnuLoadSetup_Click();
  // Restores a setup through the session as `origin`'s writes (a menu's caption, or the command
  // line's --setup); the displays follow. A refusal is shown and changes nothing.
  void restoreSetup(const SavedSetup& setup, const QString& origin);

  // ---- state, read by tests ----
  Session& session() { return session_; }
  const RequestLog& requestLog() const { return requestLog_; }
  const ChipModel& chip() const { return session_.chip(); }
  ChipModel& chipModel() { return session_.chipModel(); }
  WindowServices& services() { return services_; }
  bool XRegisterB() const { return session_.inputRegisterB(); }  // "X >>" writes register B
  int32_t MonitorState() const { return session_.monitorState(); }
  // The window's own state.
  int16_t SelectedDac = 0;      // the channel the register displays and writes address
  bool SuppressEvents = false;  // raised around selections the program makes itself
  int16_t TextSelIndex = 0;     // the active entry box
  int16_t DirectLoadIndex = 0;  // the direct-load box "Load Command" sends
  int16_t Secret = 0;           // progress of the hidden click sequence

  // ---- controls ----
  MenuControls menus;
  WindowControls win;
  MainDacsTab tab0;
  BlockDiagram diagram;
  OffsetTab tab1;
  SignalsTab tab2;
  VoltagesTab tab3;
  RequestLogPane* requestLogPane = nullptr;  // View > Request Log
  ChannelsPane* channelsPane = nullptr;      // Tools > Channels...
  SequencePane* sequencePane = nullptr;      // Tools > Sequence...
  // The bar chart of the Output Voltages tab, made the first time the tab is shown.
  OutputChart* outputChart = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;  // Form_Unload: closes every other open window

 private:
  // Layout (frm_main_layout_*.cpp), run once by the constructor.
  void buildMenus();
  void buildWindowControls();
  void buildMainDacsTab(QWidget* page);
  void buildBlockDiagram(QWidget* frame);
  void buildOffsetTab(QWidget* page);
  void buildSignalsTab(QWidget* page);
  void buildVoltagesTab(QWidget* page);
  void buildRequestLog();    // frm_main_request_log.cpp
  void buildChannelPanes();  // frm_main_channels.cpp

  // Signal wiring, one per behaviour file, run once by the constructor after the layout.
  void wireStartup();
  void wireSelection();
  void wireWrites();
  void wireOffsets();
  void wireMonitor();
  void wireSignals();
  void wireMenus();
  void wireSetupFiles();
  void wireRequestLog();
  void wireChannelPanes();

  // Session events (frm_main_session_events.cpp): the displays follow the session.
  void registerStored(int dac, ChannelRegister reg) override;
  void correctedCodeChanged(int dac, bool registerB) override;
  void dacRegisterLoaded(int dac) override;
  void dacSourceChanged(int dac) override;
  void inputRegisterChanged() override;
  void registersReset() override;
  void defaultsApplied() override;
  void offsetDacWritten(int k) override;
  void referenceChanged(int k) override;
  void monitorChanged() override;
  void gpioModeChanged() override;
  void gpioLevelRead() override;
  void wordShown(int32_t word) override;
  void requestDone(const RequestRecord& request) override;
  void linkChanged() override;
  // frm_main_remote.cpp: the status bar names a remote client in charge; its lock disables the
  // window's chip controls.
  void remoteModeChanged() override;
  void lockChipControls(bool locked);
  void boardAnswering() override;
  // frm_main_channels.cpp: names as tooltips of the channel's controls; limit warnings.
  void channelLabelChanged(int dac) override;
  void limitWarning(const std::string& text) override;
  // While a sequence plays, the chip controls are locked as under a remote lock, Stop excepted.
  void sequenceChanged() override;

  // Start-up: the model's controls, before the board is connected (frm_main_startup.cpp).
  void showModelControls();
  // "X >>" (no register: the present route), "M >>", "C >>" from the active entry box.
  void writeRegisterFromEntry(std::optional<ChannelRegister> reg, const QString& button);

  // Window actions (frm_main_actions.cpp).
  void showRefusal(const Refused& refused);
  Session::Yield yieldToEvents();
  Session::FailedLoadReport failedLoadBox();  // "No Evaluation Board Found" as a message box
  bool ownChange() const { return acting_ > 0; }

  Session& session_;
  WindowServices& services_;
  const RequestLog& requestLog_;
  // While a handler of the window runs: changes then are the window's own (its boxes already
  // hold what the operator typed), and a register label shows the text as typed.
  int acting_ = 0;
  std::optional<QString> typedText_;
  bool requestFailing_ = false;  // the status bar names a failed request until one succeeds
  // What a remote lock disabled, to be enabled again when it ends.
  std::vector<QWidget*> lockedWidgets_;
  std::vector<QAction*> lockedActions_;
  friend class WindowAction;
};
