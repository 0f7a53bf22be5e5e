// Tab 1, "Offset DACs": the three offset DAC rows, the monitor and GPIO frames (shown at start-up
// on the 16- and 8-channel models only) and the shortcut buttons.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "control_factory.h"
#include "offset_view.h"
#include "shape_widget.h"

namespace {

// One offset DAC row: the label and box at the left, the button at the right, a line between.
struct OffsetRow {
  int labelTop, boxTop, buttonTop, lineY, lineEnd;
};
constexpr std::array<OffsetRow, 3> kOffsetRows{{
    {1620, 1800, 1740, 1980, 2700},
    {2880, 3060, 2880, 3180, 2700},
    {4140, 4320, 4140, 4440, 2760},
}};

struct GpioOption {
  const char* caption;
  int top, width;
};
constexpr std::array<GpioOption, 3> kGpioOptions{{
    {"Pin is Input", 360, 1335},
    {"Pin is Output = Low", 660, 1695},
    {"Pin is Output = High", 960, 1755},
}};

}  // namespace

void OffsetView::buildOffsetTab(QWidget* page) {
  OffsetTab& t = tab1;
  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<std::size_t>(k);
    const OffsetRow& row = kOffsetRows[at];
    ShapeWidget* line = ShapeWidget::line(
        page, k < 2 ? indexedName(QStringLiteral("Line6"), k) : QStringLiteral("Line8"), 1740,
        row.lineY, row.lineEnd, row.lineY);
    if (k < 2)
      t.Line6[at] = line;
    else
      t.Line8 = line;
    t.Label6[at] = makeLabel(page, indexedName(QStringLiteral("Label6"), k),
                             QStringLiteral("Hex Value"), {660, row.labelTop, 735, 195});
    t.txtOffsetValue[at] = makeTextBox(page, indexedName(QStringLiteral("txtOffsetValue"), k),
                                       QStringLiteral("1555"), {660, row.boxTop, 1095, 315});
    t.cmdOFFSET[at] =
        makeButton(page, indexedName(QStringLiteral("cmdOFFSET"), k),
                   QStringLiteral(">> Offset DAC %1").arg(k), {2700, row.buttonTop, 1695, 555});
  }
  // The third row belongs to the model with a third offset DAC; its setup shows it.
  t.Label6[2]->hide();
  t.txtOffsetValue[2]->hide();
  t.cmdOFFSET[2]->hide();
  t.Line8->hide();

  t.fraMonControls = makeFrame(page, QStringLiteral("fraMonControls"),
                               QStringLiteral("Monitor Controls"), {6300, 1620, 3975, 1815});
  t.Label6[3] = makeLabel(t.fraMonControls, QStringLiteral("Label6(3)"),
                          QStringLiteral("Enable/Disable"), {300, 480, 1095, 195});
  t.cboDisable = makeList(t.fraMonControls, QStringLiteral("cboDisable"),
                          {QStringLiteral("Monitor Disabled"), QStringLiteral("Monitor Enabled")},
                          {300, 660, 2475, 315});
  // No item is chosen at first; the list still reads "Monitor Disabled".
  t.cboDisable->setPlaceholderText(QStringLiteral("Monitor Disabled"));
  t.cboDisable->setCurrentIndex(-1);
  t.Label6[4] = makeLabel(t.fraMonControls, QStringLiteral("Label6(4)"),
                          QStringLiteral("Monitored Channel"), {300, 1080, 1335, 195});
  t.cboMonChannel =
      makeList(t.fraMonControls, QStringLiteral("cboMonChannel"),
               {QStringLiteral("Mon_In0"), QStringLiteral("Mon_In1")}, {300, 1260, 2475, 315});
  t.cboMonChannel->setEnabled(false);
  t.fraMonControls->hide();

  t.fraGPIO = makeFrame(page, QStringLiteral("fraGPIO"), QStringLiteral("GPIO Configuration"),
                        {6300, 3540, 3975, 1515});
  for (int k = 0; k < 3; ++k) {
    const GpioOption& option = kGpioOptions[static_cast<std::size_t>(k)];
    t.chkGPIO[static_cast<std::size_t>(k)] =
        makeOption(t.fraGPIO, indexedName(QStringLiteral("chkGPIO"), k),
                   QString::fromLatin1(option.caption), {240, option.top, option.width, 255});
  }
  t.chkGPIO[0]->setChecked(true);
  t.cmdGPIOread = makeButton(t.fraGPIO, QStringLiteral("cmdGPIOread"), QStringLiteral("Read"),
                             {1500, 360, 855, 255});
  t.lblGPIOinput = makeLabel(t.fraGPIO, QStringLiteral("lblGPIOinput"), QStringLiteral("= LOW"),
                             {2520, 360, 1035, 195});
  t.fraGPIO->hide();

  t.Command5 = makeButton(page, QStringLiteral("Command5"), QStringLiteral("Pulse RESET"),
                          {1440, 5460, 1335, 375});
  t.Command4 = makeButton(page, QStringLiteral("Command4"), QStringLiteral("Pulse LDAC"),
                          {3060, 5460, 1335, 375});
  t.cmdPowerDownTest = makeButton(page, QStringLiteral("cmdPowerDownTest"),
                                  QStringLiteral("Power Down Test"), {7200, 5280, 3075, 375});
  t.cmdPowerDownTest->hide();
  t.Command6 = makeButton(page, QStringLiteral("Command6"), QStringLiteral("Pulse CLR"),
                          {7200, 5760, 3075, 375});
  t.Command6->hide();
}
