#pragma once
// A value label: white background, single-line border, centred text. Every register and code
// display of the window is one.

#include <QLabel>
#include <QRawFont>

class ValueLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ValueLabel(const QString& text, QWidget* parent = nullptr);

 protected:
  // Paints itself directly: a register display repaints inside every write (the write yields to
  // pending window events before its word goes out), so it draws its digits as a glyph run from
  // the font's character map instead of going through the style and the text shaper.
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool drawAsGlyphRun(QPainter& painter, const QRect& box);
  QRawFont rawFont_;  // the label's font, looked up on first paint
};
