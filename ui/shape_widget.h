#pragma once
// Lines, circles and rectangles of the window's drawings. Each is a small transparent widget that
// draws itself, so that it can be shown and hidden like any control.

#include <QWidget>

class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Line, Oval, Rectangle };

  // A line from (x1, y1) to (x2, y2), in twips of the parent.
  static ShapeWidget* line(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2);
  // A circle or rectangle at left, top, width, height in twips of the parent.
  static ShapeWidget* shape(QWidget* parent, const QString& name, Kind kind, int left, int top,
                            int width, int height);

  Kind kind() const { return kind_; }
  // The end points of a line in the parent's pixels.
  QPoint from() const { return from_; }
  QPoint to() const { return to_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ShapeWidget(QWidget* parent, Kind kind);
  Kind kind_;
  QPoint from_, to_;
};
