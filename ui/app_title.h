#pragma once
#include <QString>

// The program's own title: shown on messages that have no title of their own.
inline QString appTitle() {
  return QStringLiteral("DAC Evaluation Software");
}
