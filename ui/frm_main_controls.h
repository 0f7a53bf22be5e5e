#pragma once
// The controls of the main window, grouped by where they stand: each view of the window owns the
// group of its tab, the window the rest. Every control's objectName is its name, members of a
// control array as name(i). The layout files create them; the views wire and use them.

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class PictureBox;
class ShapeWidget;
class ValueLabel;

struct MenuControls {
  QMenu* mnuFile = nullptr;
  QAction* mnuReload = nullptr;
  QAction* mnudash = nullptr;  // separator
  QAction* mnuLoadSetup = nullptr;
  QAction* mnuSaveSetup = nullptr;
  QAction* mnuSetupDash = nullptr;  // separator
  QAction* mnuExit = nullptr;
  QMenu* mnuView = nullptr;
  QAction* mnuRequestLog = nullptr;  // shows or hides the request log pane
  QMenu* mnuTools = nullptr;
  QAction* mnuSetVoltage = nullptr;
  QAction* mnuVerifyChip = nullptr;  // reads the chip back against the register model
  QAction* mnuChannels = nullptr;    // the channels' names and limits
  QAction* mnuSequence = nullptr;    // sequences of frames played in time
  QMenu* mnuAbout = nullptr;
  QAction* mnuVersion = nullptr;
};

// Directly on the window, outside the tabs.
struct WindowControls {
  QTabWidget* SSTab1 = nullptr;
  std::array<QWidget*, 4> tabPage{};  // the four pages of SSTab1
  QLabel* Label7 = nullptr;           // "Output Data Word:"
  ValueLabel* lblOutputCode = nullptr;
  PictureBox* Picture1 = nullptr;    // top-left
  PictureBox* Picture3 = nullptr;    // top-right
  PictureBox* Picture2 = nullptr;    // bottom-left
  QPushButton* Command3 = nullptr;   // hidden readback test
  QLabel* lblBoardLink = nullptr;    // status bar: which board link is in use
  QLabel* lblBoardStatus = nullptr;  // status bar: no board, or the request that failed and why
  QLabel* lblStatus = nullptr;       // status bar: remote control and other news, once there is any
  QLabel* lblRemote = nullptr;       // status bar: the remote client in charge, while one is
};

// Tab 0, "Main DACs", outside the block diagram.
struct MainDacsTab {
  QPushButton* mnuPulseReset = nullptr;
  QGroupBox* Frame1 = nullptr;             // "DAC Selection"
  std::array<QRadioButton*, 41> chkDAC{};  // 40 = "Selected DAC Group", hidden
  QGroupBox* Frame4 = nullptr;             // "Input Code (Hex)"
  std::array<QLineEdit*, 10> txtInput{};
  std::array<QRadioButton*, 10> InputSel{};
  std::array<ShapeWidget*, 10> Line2{};  // Line2(0..9): from the entry boxes to their bus
  ShapeWidget* Line4 = nullptr;
  ShapeWidget* Line3 = nullptr;
  QGroupBox* frmGroup = nullptr;  // the block diagram of the selected channel
};

// Inside frmGroup.
struct BlockDiagram {
  std::array<QLabel*, 3> Label5{};  // "VREF0".."VREF2"
  std::array<QLineEdit*, 3> txtVREF{};
  QGroupBox* Frame3 = nullptr;
  std::array<QLabel*, 2> Label2{};  // "A", "B"
  std::array<QRadioButton*, 2> optAB{};
  QPushButton* cmdX1A = nullptr;
  QPushButton* cmdM = nullptr;
  QPushButton* cmdC = nullptr;
  ValueLabel* lblXA = nullptr;
  ValueLabel* lblXB = nullptr;
  ValueLabel* lblM = nullptr;
  ValueLabel* lblC = nullptr;
  ShapeWidget* Areg = nullptr;
  ShapeWidget* Breg = nullptr;
  ShapeWidget* Shape2 = nullptr;    // Shape2(0): multiplier circle
  ShapeWidget* Shape1 = nullptr;    // Shape1(0): summing circle
  std::array<QLabel*, 2> Label1{};  // "X" and the sigma
  QLabel* Label3 = nullptr;         // Label3(0): "X2A"
  QLabel* label4 = nullptr;         // label4(2): "X2B"
  ValueLabel* lblX2A = nullptr;
  ValueLabel* lblX2B = nullptr;
  QWidget* Frame2 = nullptr;  // Frame2(0): the multiplexer
  std::array<QRadioButton*, 2> DACoptMux2{};
  ShapeWidget* Shape3 = nullptr;  // Shape3(0): multiplexer outline
  QPushButton* cmdLDAC = nullptr;
  ValueLabel* DACregister = nullptr;
  std::array<ShapeWidget*, 20> Line1{};
};

// Tab 1, "Offset DACs".
struct OffsetTab {
  std::array<QLabel*, 5> Label6{};  // 0..2 "Hex Value"; 3, 4 in fraMonControls
  std::array<QLineEdit*, 3> txtOffsetValue{};
  std::array<ShapeWidget*, 2> Line6{};
  ShapeWidget* Line8 = nullptr;
  std::array<QPushButton*, 3> cmdOFFSET{};
  QGroupBox* fraMonControls = nullptr;
  QComboBox* cboDisable = nullptr;
  QComboBox* cboMonChannel = nullptr;
  QGroupBox* fraGPIO = nullptr;
  std::array<QRadioButton*, 3> chkGPIO{};
  QPushButton* cmdGPIOread = nullptr;
  QLabel* lblGPIOinput = nullptr;
  QPushButton* Command5 = nullptr;          // "Pulse RESET"
  QPushButton* Command4 = nullptr;          // "Pulse LDAC"
  QPushButton* cmdPowerDownTest = nullptr;  // hidden
  QPushButton* Command6 = nullptr;          // "Pulse CLR", hidden
};

// Tab 2, "Signals & Direct Load".
struct SignalsTab {
  QGroupBox* Frame6 = nullptr;  // "Direct 24-Bit Load"
  std::array<QLineEdit*, 5> txtDirectLoad{};
  std::array<QRadioButton*, 5> optTxtSelect{};
  std::array<ShapeWidget*, 5> Line2{};  // Line2(10..14): from the options to their bus
  ShapeWidget* Line5 = nullptr;
  QPushButton* cmdDirectLoad = nullptr;
  std::array<QPushButton*, 6> cmdRESET{};
  QPushButton* Command1 = nullptr;  // "Pulse RESET"
  QPushButton* Command2 = nullptr;  // "Pulse LDAC"
  QGroupBox* Frame5 = nullptr;      // hidden
  std::array<QRadioButton*, 22> chkAllChannels{};
};

// Tab 3, "Output Voltages".
struct VoltagesTab {
  std::array<QLabel*, 40> lblvout{};
};
