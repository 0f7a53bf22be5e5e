#pragma once
// A value label: white background, single-line border, centred text. Every register and code
// display of the window is one.

#include <QLabel>

class ValueLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ValueLabel(const QString& text, QWidget* parent = nullptr);
};
