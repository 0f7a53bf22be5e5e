#pragma once
// Window geometry is laid out in twips (1/1440 inch): 15 twips to a pixel at 96 dots per inch.
// Qt's high-DPI scaling takes it from there.

#include <QPoint>
#include <QRect>
#include <cmath>

inline constexpr int kTwipsPerPixel = 15;

inline int tw(int twips) {
  return static_cast<int>(std::lround(twips / double(kTwipsPerPixel)));
}
inline QPoint twipsPoint(int x, int y) {
  return {tw(x), tw(y)};
}
inline QRect twipsRect(int left, int top, int width, int height) {
  return {tw(left), tw(top), tw(width), tw(height)};
}
