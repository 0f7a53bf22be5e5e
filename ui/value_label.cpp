#include "value_label.h"

#include <QEvent>
#include <QGlyphRun>
#include <QPainter>

ValueLabel::ValueLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAlignment(Qt::AlignCenter);
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Plain);
  setLineWidth(1);
  setAutoFillBackground(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  p.setColor(QPalette::WindowText, Qt::black);
  setPalette(p);
}

void ValueLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect box = rect();
  painter.fillRect(box, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  if (!drawAsGlyphRun(painter, box)) painter.drawText(box, Qt::AlignCenter, text());
}

void ValueLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) rawFont_ = QRawFont();
  QLabel::changeEvent(event);
}

// Hexadecimal digits need no shaping: their glyphs and advances come straight from the font.
// False when the font lacks a glyph, so that the caller draws the text the ordinary way.
bool ValueLabel::drawAsGlyphRun(QPainter& painter, const QRect& box) {
  if (!rawFont_.isValid()) rawFont_ = QRawFont::fromFont(font());
  if (!rawFont_.isValid()) return false;
  const QList<quint32> glyphs = rawFont_.glyphIndexesForString(text());
  if (glyphs.contains(0u)) return false;
  const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
  QList<QPointF> positions;
  positions.reserve(glyphs.size());
  qreal width = 0;
  for (const QPointF& advance : advances) {
    positions.append(QPointF(width, 0));
    width += advance.x();
  }
  QGlyphRun run;
  run.setRawFont(rawFont_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  const qreal x = (box.width() - width) / 2;
  const qreal y = (box.height() + rawFont_.ascent() - rawFont_.descent()) / 2;
  painter.drawGlyphRun(QPointF(x, y), run);
  return true;
}
