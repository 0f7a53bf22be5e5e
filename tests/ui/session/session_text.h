#pragma once
// Small pieces shared by the session's action and check files: texts for the action log, the
// checked member of an option group, and the board's request codes as the session expects them.

#include <QLatin1Char>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace session {

inline QString Quoted(const QString& text) {
  return QLatin1Char('"') + text + QLatin1Char('"');
}

inline QString Hex(int64_t value) {
  return QString::number(value, 16).toUpper();
}

// The index of the one checked option of a group, -1 when none is, -2 when several are.
template <class Array>
int CheckedIndex(const Array& options) {
  int checked = -1;
  for (std::size_t k = 0; k < options.size(); ++k) {
    if (options[k]->isChecked()) checked = checked == -1 ? static_cast<int>(k) : -2;
  }
  return checked;
}

inline constexpr int kRequestResetHigh = 0xDA;
inline constexpr int kRequestResetLow = 0xDB;
inline constexpr int kRequestClrHigh = 0xDC;
inline constexpr int kRequestLdacPulse = 0xDE;
inline constexpr int kRequestClrLow = 0xDF;
inline constexpr int kRequestStart = 0xE0;
inline constexpr int kRequestLdacHigh = 0xE2;
inline constexpr int kRequestLdacLow = 0xE3;

}  // namespace session
