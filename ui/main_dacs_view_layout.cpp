// Tab 0, "Main DACs": the channel buttons, the entry boxes with their bus, and the frame of the
// block diagram (its contents are built in main_dacs_view_block_diagram.cpp).

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "control_factory.h"
#include "main_dacs_view.h"
#include "shape_widget.h"

namespace {

// Design-time texts of txtInput(0..9).
constexpr std::array<const char*, 10> kInputTexts{"3FFF", "2000", "FFFF", "8000", "2000",
                                                  "1555", "5554", "0000", "0000", "0000"};
constexpr int kEntryPitch = 420;

}  // namespace

void MainDacsView::buildMainDacsTab(QWidget* page) {
  tab0.mnuPulseReset = makeButton(page, QStringLiteral("mnuPulseReset"),
                                  QStringLiteral("Pulse RESET"), {540, 900, 1335, 375});

  tab0.Frame1 = makeFrame(page, QStringLiteral("Frame1"), QStringLiteral("DAC Selection"),
                          {2040, 840, 8895, 2295});
  // Five rows of eight, one row per group of channels.
  for (int i = 0; i < kChannelCount; ++i) {
    const int row = i / kGroupSize;
    const int column = i % kGroupSize;
    tab0.chkDAC[static_cast<std::size_t>(i)] = makeOption(
        tab0.Frame1, indexedName(QStringLiteral("chkDAC"), i), QStringLiteral("DAC%1").arg(i),
        {360 + 1000 * column, 540 + 300 * row, 1000, 195});
  }
  QRadioButton* groupOption =
      makeOption(tab0.Frame1, indexedName(QStringLiteral("chkDAC"), 40),
                 QStringLiteral("Selected DAC Group"), {360, 2040, 2445, 195});
  groupOption->hide();
  tab0.chkDAC[40] = groupOption;
  tab0.chkDAC[0]->setChecked(true);

  tab0.Frame4 = makeFrame(page, QStringLiteral("Frame4"), QStringLiteral("Input Code (Hex)"),
                          {480, 2220, 1395, 4515});
  // The bus first, so that it runs under the boxes and options.
  for (int k = 0; k < 10; ++k) {
    const int y = 420 + kEntryPitch * k;
    tab0.Line2[static_cast<std::size_t>(k)] =
        ShapeWidget::line(tab0.Frame4, indexedName(QStringLiteral("Line2"), k), 1140, y, 1380, y);
  }
  tab0.Line4 = ShapeWidget::line(tab0.Frame4, QStringLiteral("Line4"), 1380, 420, 1380, 4200);
  for (int k = 0; k < 10; ++k) {
    const auto at = static_cast<std::size_t>(k);
    tab0.txtInput[at] =
        makeTextBox(tab0.Frame4, indexedName(QStringLiteral("txtInput"), k),
                    QString::fromLatin1(kInputTexts[at]), {120, 240 + kEntryPitch * k, 795, 315});
    tab0.InputSel[at] = makeOption(tab0.Frame4, indexedName(QStringLiteral("InputSel"), k),
                                   QString(), {960, 300 + kEntryPitch * k, 195, 195});
  }
  tab0.InputSel[0]->setChecked(true);

  tab0.Line3 = ShapeWidget::line(page, QStringLiteral("Line3"), 1860, 5160, 2160, 5160);
  tab0.frmGroup = makeFrame(page, QStringLiteral("frmGroup"), QStringLiteral("Group 0 - Vout0"),
                            {2100, 3540, 8835, 3135});
  buildBlockDiagram(tab0.frmGroup);
}
