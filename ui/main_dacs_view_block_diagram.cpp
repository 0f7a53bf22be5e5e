// The block diagram of the selected channel inside frmGroup: the data path from the input bus
// through the A/B switch, the input registers, gain and offset, the corrected codes and the
// multiplexer to the DAC register, with the reference voltage boxes above it.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "channel_register.h"
#include "control_factory.h"
#include "main_dacs_view.h"
#include "shape_widget.h"
#include "value_label.h"

namespace {

struct LineEnds {
  int index;
  int x1, y1, x2, y2;
};

// The connecting lines of the diagram, Line1(0..19), in the order of the data path.
constexpr std::array<LineEnds, 20> kDiagramLines{{
    {13, 0, 1620, 480, 1620},      // bus entry
    {14, 480, 1620, 480, 2520},    // vertical bus
    {15, 480, 1800, 1320, 1800},   // to "X >>" and the A/B switch
    {16, 480, 2220, 840, 2220},    // to "M >>"
    {17, 480, 2520, 840, 2520},    // to "C >>"
    {18, 1500, 660, 1500, 1560},   // A/B choice down to the switch
    {6, 2520, 1680, 2700, 1800},   // lblXA to the junction
    {7, 2520, 1920, 2700, 1800},   // lblXB to the junction
    {0, 2700, 1800, 3360, 1800},   // junction to the multiplier
    {8, 1080, 2220, 3600, 2220},   // M row
    {9, 3600, 2220, 3600, 2040},   // up into the multiplier
    {1, 3780, 1800, 4020, 1800},   // multiplier to summing junction
    {10, 900, 2520, 4200, 2520},   // C row
    {11, 4200, 2520, 4200, 2040},  // up into the summing junction
    {2, 4380, 1680, 4680, 1680},   // to lblX2A
    {3, 4380, 1920, 4680, 1920},   // to lblX2B
    {4, 5520, 1740, 5820, 1740},   // lblX2A to the multiplexer
    {5, 5520, 1980, 5820, 1980},   // lblX2B to the multiplexer
    {12, 6180, 1860, 6480, 1860},  // multiplexer to the DAC register
    {19, 6900, 960, 6900, 1740},   // "Pulse LDAC" down to the DAC register
}};

constexpr std::array<int, 3> kReferenceLefts{2640, 3600, 4560};

}  // namespace

void MainDacsView::buildBlockDiagram(QWidget* frame) {
  BlockDiagram& d = diagram;
  // Lines first: they run under the buttons and value labels on their path.
  for (const LineEnds& l : kDiagramLines) {
    d.Line1[static_cast<std::size_t>(l.index)] = ShapeWidget::line(
        frame, indexedName(QStringLiteral("Line1"), l.index), l.x1, l.y1, l.x2, l.y2);
  }
  d.Areg = ShapeWidget::line(frame, QStringLiteral("Areg"), 1620, 1620, 1320, 1800);
  d.Breg = ShapeWidget::line(frame, QStringLiteral("Breg"), 1320, 1800, 1620, 1980);
  d.Breg->hide();

  for (int k = 0; k < 3; ++k) {
    const auto at = static_cast<std::size_t>(k);
    d.Label5[at] = makeLabel(frame, indexedName(QStringLiteral("Label5"), k),
                             QStringLiteral("VREF%1").arg(k), {kReferenceLefts[at], 180, 510, 195});
    d.txtVREF[at] = makeTextBox(frame, indexedName(QStringLiteral("txtVREF"), k),
                                QStringLiteral("3"), {kReferenceLefts[at], 360, 855, 315});
  }
  d.Label5[2]->hide();
  d.txtVREF[2]->hide();

  d.Frame3 = makeFrame(frame, QStringLiteral("Frame3"), QString(), {1140, 420, 675, 735});
  for (int k = 0; k < 2; ++k) {
    const auto at = static_cast<std::size_t>(k);
    d.Label2[at] = makeLabel(d.Frame3, indexedName(QStringLiteral("Label2"), k),
                             k == 0 ? QStringLiteral("A") : QStringLiteral("B"),
                             {180 + 240 * k, 180, 135, 195});
    makeBold(d.Label2[at]);
    d.optAB[at] = makeOption(d.Frame3, indexedName(QStringLiteral("optAB"), k), QString(),
                             {120 + 240 * k, 420, 195, 195});
  }
  d.optAB[0]->setChecked(true);

  // The write buttons' captions stand in the table of channel registers; "X >>" writes the input
  // register of the present route.
  const auto caption = [](ChannelRegister reg) {
    const std::string_view text = RegisterRow(reg).caption;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  };
  d.cmdX1A = makeButton(frame, QStringLiteral("cmdX1A"), caption(ChannelRegister::X1A),
                        {600, 1680, 675, 255});
  d.cmdM =
      makeButton(frame, QStringLiteral("cmdM"), caption(ChannelRegister::M), {600, 2100, 675, 255});
  d.cmdC =
      makeButton(frame, QStringLiteral("cmdC"), caption(ChannelRegister::C), {600, 2400, 675, 255});
  for (QPushButton* b : {d.cmdX1A, d.cmdM, d.cmdC}) makeBold(b);

  const QString zero = QStringLiteral("0000");
  d.lblXA = makeValueLabel(frame, QStringLiteral("lblXA"), zero, {1680, 1500, 855, 255});
  d.lblXB = makeValueLabel(frame, QStringLiteral("lblXB"), zero, {1680, 1800, 855, 255});
  d.lblM = makeValueLabel(frame, QStringLiteral("lblM"), zero, {1680, 2100, 855, 255});
  d.lblC = makeValueLabel(frame, QStringLiteral("lblC"), zero, {1680, 2400, 855, 255});

  d.Shape2 = ShapeWidget::shape(frame, QStringLiteral("Shape2(0)"), ShapeWidget::Kind::Oval, 3360,
                                1620, 495, 435);
  d.Shape1 = ShapeWidget::shape(frame, QStringLiteral("Shape1(0)"), ShapeWidget::Kind::Oval, 3960,
                                1620, 495, 435);
  d.Label1[0] =
      makeLabel(frame, QStringLiteral("Label1(0)"), QStringLiteral("X"), {3540, 1740, 150, 240});
  makeBold(d.Label1[0], 9.75);
  // The summation sign: a capital sigma in the window's own font.
  d.Label1[1] =
      makeLabel(frame, QStringLiteral("Label1(1)"), QString(QChar(0x03A3)), {4140, 1680, 165, 300});
  makeBold(d.Label1[1], 12.0);
  for (QLabel* sign : d.Label1) sign->setAlignment(Qt::AlignCenter);

  d.Label3 =
      makeLabel(frame, QStringLiteral("Label3(0)"), QStringLiteral("X2A"), {4680, 1380, 360, 195});
  d.label4 =
      makeLabel(frame, QStringLiteral("label4(2)"), QStringLiteral("X2B"), {4680, 2100, 360, 195});
  makeBold(d.Label3);
  makeBold(d.label4);
  d.lblX2A = makeValueLabel(frame, QStringLiteral("lblX2A"), zero, {4680, 1560, 855, 255});
  d.lblX2B = makeValueLabel(frame, QStringLiteral("lblX2B"), zero, {4680, 1860, 855, 255});

  // The multiplexer: an outline with the two source options inside, no border of its own.
  d.Frame2 = new QWidget(frame);
  place(d.Frame2, QStringLiteral("Frame2(0)"), {5820, 1560, 435, 795});
  d.Shape3 = ShapeWidget::shape(d.Frame2, QStringLiteral("Shape3(0)"), ShapeWidget::Kind::Rectangle,
                                0, 0, 435, 675);
  for (int k = 0; k < 2; ++k) {
    d.DACoptMux2[static_cast<std::size_t>(k)] =
        makeOption(d.Frame2, indexedName(QStringLiteral("DACoptMux2"), k), QString(),
                   {120, 120 + 240 * k, 195, 195});
  }
  d.DACoptMux2[0]->setChecked(true);

  d.cmdLDAC = makeButton(frame, QStringLiteral("cmdLDAC"), QStringLiteral("Pulse LDAC"),
                         {6300, 900, 1155, 315});
  d.DACregister =
      makeValueLabel(frame, QStringLiteral("DACregister"), zero, {6480, 1740, 795, 255});
}
