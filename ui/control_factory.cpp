#include "control_factory.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

#include "twips.h"
#include "value_label.h"

QString indexedName(const QString& name, int index) {
  return QStringLiteral("%1(%2)").arg(name).arg(index);
}

void fitCaption(QWidget* widget) {
  const int needed = widget->sizeHint().width();
  if (needed > widget->width()) widget->resize(needed, widget->height());
}

namespace {

// An option button is at least as large as its round mark, so that the mark is never clipped.
void fitMark(QRadioButton* option) {
  QStyle* style = option->style();
  const int width = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option);
  const int height = style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, option);
  option->resize(std::max(option->width(), width), std::max(option->height(), height));
}

}  // namespace

void place(QWidget* widget, const QString& name, TwipsBox box) {
  widget->setObjectName(name);
  widget->setGeometry(twipsRect(box.left, box.top, box.width, box.height));
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        TwipsBox box) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  place(button, name, box);
  return button;
}

QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption,
                         TwipsBox box) {
  auto* option = new QRadioButton(caption, parent);
  place(option, name, box);
  fitMark(option);
  if (!caption.isEmpty()) fitCaption(option);
  return option;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, TwipsBox box) {
  auto* label = new QLabel(caption, parent);
  label->setTextFormat(Qt::PlainText);
  place(label, name, box);
  fitCaption(label);
  return label;
}

ValueLabel* makeValueLabel(QWidget* parent, const QString& name, const QString& text,
                           TwipsBox box) {
  auto* label = new ValueLabel(text, parent);
  place(label, name, box);
  return label;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& text, TwipsBox box) {
  auto* edit = new QLineEdit(text, parent);
  edit->setTextMargins(0, 0, 0, 0);
  place(edit, name, box);
  return edit;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, TwipsBox box) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setAutoFillBackground(true);  // opaque: lines behind a frame do not show through it
  place(frame, name, box);
  return frame;
}

QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& items, TwipsBox box) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  list->addItems(items);
  place(list, name, box);
  return list;
}

void makeBold(QWidget* widget, double pointSize) {
  QFont font = widget->font();
  font.setBold(true);
  if (pointSize > 0.0) font.setPointSizeF(pointSize);
  widget->setFont(font);
  if (qobject_cast<QLabel*>(widget) != nullptr) fitCaption(widget);
}
