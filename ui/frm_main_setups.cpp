// The model setup: applies one catalogue row to the register model and lays the window out for
// it. One procedure serves all eight rows.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "frm_main.h"
#include "register_display.h"
#include "shape_widget.h"
#include "value_label.h"
#include "window_caption.h"

void frmMain::applySetup(int catalogueIndex) {
  if (catalogueIndex < 0 || catalogueIndex >= kPartCount) return;
  const PartInfo& part = PartCatalogue()[static_cast<std::size_t>(catalogueIndex)];
  session_.chooseModel(part);

  // The model's channel buttons; on the 8-channel models the second group of four sits in
  // records 8..11 and is captioned as channels 4..7. "Selected DAC Group" is left alone.
  for (int i = 0; i < kChannelCount; ++i) {
    tab0.chkDAC[static_cast<std::size_t>(i)]->setVisible(ChannelUsed(part, i));
  }
  if (part.fourChannelGroups) {
    for (int j = 8; j <= 11; ++j) {
      tab0.chkDAC[static_cast<std::size_t>(j)]->setText(QStringLiteral("DAC%1").arg(j - 4));
    }
  }

  // The references: VREF0 and VREF1 always, VREF2 where the model has a third set.
  for (int k = 0; k < 3; ++k) {
    const bool shown = k < 2 || part.showVref2;
    diagram.Label5[static_cast<std::size_t>(k)]->setVisible(shown);
    diagram.txtVREF[static_cast<std::size_t>(k)]->setVisible(shown);
  }
  if (part.showOffsetDac2) {
    tab1.cmdOFFSET[2]->show();
    tab1.txtOffsetValue[2]->show();
    tab1.Line8->show();
    tab1.Label6[2]->show();
  }

  setWindowTitle(windowCaption(chip()));
  diagram.lblM->setText(registerDisplay(chip().DACs[0].M()));
  diagram.lblC->setText(registerDisplay(chip().DACs[0].C()));
}
