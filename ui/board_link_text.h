#pragma once
// "Board link: ..." for the status bar; the simulated board says plainly that no board is used.

#include <QString>

#include "vendor_driver.h"

inline QString boardLinkText(VendorDriver& driver) {
  QString text = QStringLiteral("Board link: ") + QString::fromStdString(driver.description());
  if (driver.linkName() == "simulated") text += QStringLiteral(" (no driver library)");
  return text;
}
