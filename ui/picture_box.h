#pragma once
// A small blank picture area that reports clicks.

#include <QFrame>

class PictureBox : public QFrame {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr) : QFrame(parent) {}

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent*) override { emit clicked(); }
};
