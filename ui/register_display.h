#pragma once
// The display text of a register value, for the window's value labels.

#include <QString>

#include "hex_text.h"

inline QString registerDisplay(int32_t value) {
  return QString::fromStdString(RegisterText(value));
}
