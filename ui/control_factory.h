#pragma once
// Small helpers that create a named control at its place. Geometry is given in twips and goes
// through twips.h; the objectName is the control's name, members of an array as name(i).

#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class ValueLabel;

// Left, top, width, height in twips of the parent.
struct TwipsBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// "name(index)": the objectName of a control array member.
QString indexedName(const QString& name, int index);

// A caption that the window's font draws wider than the control widens the control to the
// right, so that no caption is cut off.
void fitCaption(QWidget* widget);

// Gives `widget` its name and its place.
void place(QWidget* widget, const QString& name, TwipsBox box);

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, TwipsBox box);
QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption,
                         TwipsBox box);
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, TwipsBox box);
ValueLabel* makeValueLabel(QWidget* parent, const QString& name, const QString& text, TwipsBox box);
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& text, TwipsBox box);
QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, TwipsBox box);
// A drop-down list that only offers its items (no typing).
QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& items, TwipsBox box);

// The widget's own font, bold, optionally at another size in points.
void makeBold(QWidget* widget, double pointSize = 0.0);
