#pragma once
// Tab 0, "Main DACs": the channel buttons, the scratch pad of entry boxes and the block diagram of
// the selected channel with its register writes and reference boxes. Its handlers read the
// controls, call the session's action and show a refusal; the session tells it what changed,
// whoever changed it, and the displays follow.

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

#include "frm_main_controls.h"
#include "session.h"

struct PartInfo;
class WindowContext;

class MainDacsView : public QObject, private SessionListener {
  Q_OBJECT

 public:
  // Lays the tab out on `page` and starts following the session.
  MainDacsView(WindowContext& context, QWidget* page);
  ~MainDacsView() override;

  // The model's channel buttons, references and the first channel's M and C.
  void showModel(const PartInfo& part);
  // At start-up: entry box 0 active and the first record's registers shown.
  void clearActiveEntry() { TextSelIndex = 0; }
  void ShowRegistersOf(int index);  // the seven register displays from one record

 private slots:
  void cmdX1A_Click();
  void cmdM_Click();
  void cmdC_Click();
  void cmdLDAC_Click();
  void mnuPulseReset_Click();

 private:
  // Layout (main_dacs_view_layout.cpp, main_dacs_view_block_diagram.cpp).
  void buildMainDacsTab(QWidget* page);
  void buildBlockDiagram(QWidget* frame);
  // Signal wiring, one per behaviour file.
  void wireSelection();
  void wireWrites();
  void wireReferences();

  // Channel and group selection (main_dacs_view_selection.cpp).
  void chkDAC_Click(int index);
  void DACoptMux2_Click(int index);
  void optAB_Click(int index);
  // Entry boxes (main_dacs_view_entry_boxes.cpp).
  void txtInput_KeyPress(int index, int keyCode);
  void txtInput_LostFocus(int index);
  void InputSel_Click(int index);
  // "X >>" (no register: the present route), "M >>", "C >>" from the active entry box
  // (main_dacs_view_writes.cpp).
  void writeRegisterFromEntry(std::optional<ChannelRegister> reg, const QString& button);
  // The reference boxes (main_dacs_view.cpp).
  void txtVREF_KeyPress(int index, int keyCode);
  void txtVREF_Change(int index, const QString& text);

  // Session events (main_dacs_view.cpp).
  void registerStored(int dac, ChannelRegister reg) override;
  void correctedCodeChanged(int dac, bool registerB) override;
  void dacRegisterLoaded(int dac) override;
  void dacSourceChanged(int dac) override;
  void inputRegisterChanged() override;
  void registersReset() override;
  void defaultsApplied() override;
  void referenceChanged(int k) override;
  void channelLabelChanged(int dac) override;

  const ChipModel& chip() const;
  ValueLabel* registerLabel(ChannelRegister reg) const;

  WindowContext& context_;
  Session& session_;
  MainDacsTab tab0;
  BlockDiagram diagram;
  bool SuppressEvents = false;  // raised around selections the program makes itself
  int16_t TextSelIndex = 0;     // the active entry box
};
