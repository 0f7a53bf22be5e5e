// Tab 2, "Signals & Direct Load": the direct 24-bit load with its five boxes, the control-line
// buttons, and the hidden frame of group options.

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "control_factory.h"
#include "shape_widget.h"
#include "signals_view.h"

namespace {

// cmdRESET(0..5): "High" on the upper row, "Low" on the lower, one column per line.
constexpr std::array<const char*, 6> kLineCaptions{"RESET High", "RESET Low", "CLR High",
                                                   "CLR Low",    "LDAC High", "LDAC Low"};
constexpr std::array<int, 3> kLineColumns{2760, 4320, 5880};
constexpr std::array<int, 2> kLineRows{3720, 4200};

// Short lines from the five options to their bus: Line2(10..14) at these heights; Line2(12), the
// middle one, runs on through the bus to "Load Command".
constexpr std::array<int, 5> kOptionLineY{490, 840, 1200, 1560, 1980};
constexpr int kMiddleOption = 2;

constexpr int kAllChannelOptions = 22;
constexpr int kAllGroupsAllChannels = 21;

QString allChannelsCaption(int index) {
  if (index < 5) return QStringLiteral("Group %1 - All Channels").arg(index);
  if (index < 13) return QStringLiteral("All Groups - Channel %1").arg(index - 5);
  if (index < 21) return QStringLiteral("All Except Group 0 - Channel %1").arg(index - 13);
  return QStringLiteral("All Groups - All Channels");
}

// Three columns: the groups (and all of them), all groups by channel, all but group 0 by channel.
TwipsBox allChannelsBox(int index) {
  int column = 0;
  int row = index;
  if (index == kAllGroupsAllChannels)
    row = 5;
  else if (index >= 13)
    column = 2, row = index - 13;
  else if (index >= 5)
    column = 1, row = index - 5;
  return {240 + 2700 * column, 300 + 360 * row, 2640, 195};
}

}  // namespace

void SignalsView::buildSignalsTab(QWidget* page) {
  SignalsTab& t = tab2;
  t.Frame6 = makeFrame(page, QStringLiteral("Frame6"), QStringLiteral("Direct 24-Bit Load"),
                       {1740, 900, 8295, 2235});
  for (int k = 0; k < 5; ++k) {
    const int y = kOptionLineY[static_cast<std::size_t>(k)];
    t.Line2[static_cast<std::size_t>(k)] =
        ShapeWidget::line(t.Frame6, indexedName(QStringLiteral("Line2"), 10 + k), 1620, y,
                          k == kMiddleOption ? 2940 : 1860, y);
  }
  t.Line5 = ShapeWidget::line(t.Frame6, QStringLiteral("Line5"), 1860, 490, 1860, 1980);
  for (int k = 0; k < 5; ++k) {
    const auto at = static_cast<std::size_t>(k);
    t.txtDirectLoad[at] = makeTextBox(t.Frame6, indexedName(QStringLiteral("txtDirectLoad"), k),
                                      QStringLiteral("000000"), {120, 360 + 360 * k, 1155, 285});
    t.optTxtSelect[at] = makeOption(t.Frame6, indexedName(QStringLiteral("optTxtSelect"), k),
                                    QString(), {1440, 420 + 360 * k, 195, 195});
  }
  t.optTxtSelect[0]->setChecked(true);
  t.cmdDirectLoad = makeButton(t.Frame6, QStringLiteral("cmdDirectLoad"),
                               QStringLiteral("Load Command"), {2880, 840, 2355, 735});

  for (int k = 0; k < 6; ++k) {
    const auto at = static_cast<std::size_t>(k);
    t.cmdRESET[at] = makeButton(page, indexedName(QStringLiteral("cmdRESET"), k),
                                QString::fromLatin1(kLineCaptions[at]),
                                {kLineColumns[at / 2], kLineRows[at % 2], 1335, 375});
  }
  t.Command1 = makeButton(page, QStringLiteral("Command1"), QStringLiteral("Pulse RESET"),
                          {7560, 3720, 1335, 375});
  t.Command2 = makeButton(page, QStringLiteral("Command2"), QStringLiteral("Pulse LDAC"),
                          {7560, 4200, 1335, 375});

  t.Frame5 = makeFrame(page, QStringLiteral("Frame5"), QString(), {1860, 5520, 8295, 3375});
  for (int i = 0; i < kAllChannelOptions; ++i) {
    t.chkAllChannels[static_cast<std::size_t>(i)] =
        makeOption(t.Frame5, indexedName(QStringLiteral("chkAllChannels"), i),
                   allChannelsCaption(i), allChannelsBox(i));
  }
  t.chkAllChannels[kAllGroupsAllChannels]->setChecked(true);
  t.Frame5->hide();
}
