#pragma once
// Option buttons report a click when they become the selected one of their group, whether the
// operator or the program selected them (the program raises SuppressEvents around its own).

#include <QObject>
#include <QRadioButton>

template <class Handler>
void onSelected(QRadioButton* option, QObject* context, Handler handler) {
  QObject::connect(option, &QRadioButton::toggled, context, [handler](bool checked) {
    if (checked) handler();
  });
}
