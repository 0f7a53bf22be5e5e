#pragma once
// The main window's caption for the current model, e.g.
// "ZR810 Evaluation Software - 16 x 16-Bit Channels".

#include <QString>

#include "chip_model.h"

inline QString windowCaption(const ChipModel& chip) {
  return QStringLiteral("%1 Evaluation Software - %2 x %3-Bit Channels")
      .arg(QString::fromStdString(chip.PartName))
      .arg(chip.PartChannels)
      .arg(chip.PartBits);
}
