#pragma once
// The character code a KeyPress handler receives: 13 for Enter, else the key's first character
// (0 for keys that type nothing).

#include <QKeyEvent>

#include "event_hook.h"

inline constexpr int kEnterKeyCode = 13;

inline int KeyCharCode(const QKeyEvent& event) {
  if (isEnterKey(event)) return kEnterKeyCode;
  const QString text = event.text();
  return text.isEmpty() ? 0 : static_cast<int>(text.at(0).unicode());
}
