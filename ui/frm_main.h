#pragma once
// The main window: the operator console of the evaluation board. It composes one view per tab
// (main_dacs_view.h, offset_view.h, signals_view.h, voltages_view.h), the panes, the menus and
// the status bar; what the views share lives in one WindowContext.

#include <QMainWindow>
#include <QString>
#include <cstdint>

#include <memory>
#include <optional>

#include "frm_main_controls.h"
#include "saved_setup.h"
#include "session.h"
#include "window_context.h"
#include "window_services.h"

class ChannelsPane;
class MainDacsView;
class OffsetView;
class RequestLog;
class RequestLogPane;
class SequencePane;
class SignalsView;
class VoltagesView;

// The window is a view of the session: each tab's view reads its controls, calls the session's
// action and shows a refusal; the session tells the views what changed, whoever changed it, and
// the displays follow. The window itself follows the board link and the remote client in its
// status bar.
class frmMain : public QMainWindow, private SessionListener {
  Q_OBJECT

 public:
  // The window creates all its controls; nothing runs until Form_Load.
  // `log`: the program's request log, which the Request Log pane shows; it outlives the window.
  frmMain(Session& session, const RequestLog& log, WindowServices& services,
          QWidget* parent = nullptr);
  ~frmMain() override;

  // The model choice (the part chooser, or `preselected` catalogue row without it), the layout
  // for the model, the reset, the board connection (frm_main_startup.cpp).
  void Form_Load(std::optional<int> preselected = std::nullopt);
  // Restores a setup through the session as `origin`'s writes (a menu's caption, or the command
  // line's --setup); the displays follow. A refusal is shown and changes nothing.
  void restoreSetup(const SavedSetup& setup, const QString& origin);
  // A second line of the status bar, e.g. where remote control listens.
  void showStatus(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;  // Form_Unload: closes every other open window

 private slots:
  void mnuReload_Click();
  void mnuExit_Click();
  void mnuVersion_Click();
  void mnuSetVoltage_Click();  // Tools > "Set Output Voltage..."
  void mnuVerifyChip_Click();  // Tools > "Verify Chip Registers..."
  void mnuSaveSetup_Click();
  void mnuLoadSetup_Click();
  void Picture1_Click();
  void Picture2_Click();
  void Picture3_Click();
  void Command3_Click();  // the hidden readback test

 private:
  friend class frmPartSelect;  // the part chooser runs the chosen model's setup

  // Layout (frm_main_layout_window.cpp), run once by the constructor.
  void buildMenus();
  void buildWindowControls();
  void buildRequestLog();    // frm_main_request_log.cpp
  void buildChannelPanes();  // frm_main_channels.cpp

  // Signal wiring, run once by the constructor after the layout.
  void wireStartup();
  void wireMenus();
  void wireSetupFiles();
  void wireRequestLog();
  void wireChannelPanes();

  // Start-up (frm_main_startup.cpp).
  void SSTab1_Click(int previousTab);
  // The model's controls, shown before the board is connected.
  void showModelControls();
  void applySetup(int catalogueIndex);  // frm_main_setups.cpp: the setup of catalogue row

  // Session events (frm_main_session_events.cpp): the status bar and the output word.
  void wordShown(int32_t word) override;
  void requestDone(const RequestRecord& request) override;
  void linkChanged() override;
  void boardAnswering() override;
  // frm_main_remote.cpp: the status bar names a remote client in charge; its lock disables the
  // window's chip controls.
  void remoteModeChanged() override;
  // frm_main_channels.cpp: limit warnings; while a sequence plays, the chip controls are locked
  // as under a remote lock, Stop excepted.
  void limitWarning(const std::string& text) override;
  void sequenceChanged() override;
  void lockChipControls();

  const ChipModel& chip() const { return session_.chip(); }

  Session& session_;
  WindowServices& services_;
  WindowContext context_;
  const RequestLog& requestLog_;

  MenuControls menus;
  WindowControls win;
  std::unique_ptr<MainDacsView> mainDacs_;
  std::unique_ptr<OffsetView> offsets_;
  std::unique_ptr<SignalsView> signals_;
  std::unique_ptr<VoltagesView> voltages_;
  RequestLogPane* requestLogPane = nullptr;  // View > Request Log
  ChannelsPane* channelsPane = nullptr;      // Tools > Channels...
  SequencePane* sequencePane = nullptr;      // Tools > Sequence...

  int16_t Secret = 0;            // progress of the hidden click sequence
  bool requestFailing_ = false;  // the status bar names a failed request until one succeeds
};
