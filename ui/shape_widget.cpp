#include "shape_widget.h"

#include <QPainter>

#include "twips.h"

ShapeWidget::ShapeWidget(QWidget* parent, Kind kind) : QWidget(parent), kind_(kind) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
}

ShapeWidget* ShapeWidget::line(QWidget* parent, const QString& name, int x1, int y1, int x2,
                               int y2) {
  auto* w = new ShapeWidget(parent, Kind::Line);
  w->setObjectName(name);
  w->from_ = twipsPoint(x1, y1);
  w->to_ = twipsPoint(x2, y2);
  const QRect box = QRect(w->from_, w->to_).normalized().adjusted(0, 0, 1, 1);
  w->setGeometry(box);
  return w;
}

ShapeWidget* ShapeWidget::shape(QWidget* parent, const QString& name, Kind kind, int left, int top,
                                int width, int height) {
  auto* w = new ShapeWidget(parent, kind);
  w->setObjectName(name);
  w->setGeometry(twipsRect(left, top, width, height));
  return w;
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  switch (kind_) {
    case Kind::Line:
      painter.drawLine(from_ - pos(), to_ - pos());
      break;
    case Kind::Oval:
      painter.setRenderHint(QPainter::Antialiasing);
      painter.drawEllipse(rect().adjusted(0, 0, -1, -1));
      break;
    case Kind::Rectangle:
      painter.drawRect(rect().adjusted(0, 0, -1, -1));
      break;
  }
}
