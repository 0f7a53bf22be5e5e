// The window's controls found by their objectNames.

#include "named_controls.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "shape_widget.h"
#include "value_label.h"

namespace {

template <class T>
void Find(QWidget& window, T*& control, const char* name) {
  control = window.findChild<T*>(QString::fromLatin1(name));
}

// name(0), name(1)... into the array.
template <class T, std::size_t N>
void Find(QWidget& window, std::array<T*, N>& controls, const char* name) {
  for (std::size_t i = 0; i < N; ++i) {
    controls[i] = window.findChild<T*>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
  }
}

#define FIND(group, member) Find(window, found.group.member, #member)

}  // namespace

NamedControls FindNamedControls(QWidget& window) {
  NamedControls found;
  FIND(menus, mnuReload);

  FIND(win, SSTab1);
  FIND(win, lblOutputCode);
  FIND(win, Command3);

  FIND(tab0, mnuPulseReset);
  FIND(tab0, chkDAC);
  FIND(tab0, txtInput);
  FIND(tab0, InputSel);

  FIND(diagram, txtVREF);
  FIND(diagram, optAB);
  FIND(diagram, cmdX1A);
  FIND(diagram, cmdM);
  FIND(diagram, cmdC);
  FIND(diagram, lblXA);
  FIND(diagram, lblXB);
  FIND(diagram, lblM);
  FIND(diagram, lblC);
  FIND(diagram, Areg);
  FIND(diagram, Breg);
  FIND(diagram, lblX2A);
  FIND(diagram, lblX2B);
  FIND(diagram, DACoptMux2);
  FIND(diagram, cmdLDAC);
  FIND(diagram, DACregister);

  FIND(tab1, txtOffsetValue);
  FIND(tab1, cmdOFFSET);
  FIND(tab1, fraMonControls);
  FIND(tab1, cboDisable);
  FIND(tab1, cboMonChannel);
  FIND(tab1, chkGPIO);
  FIND(tab1, cmdGPIOread);
  FIND(tab1, lblGPIOinput);
  FIND(tab1, Command5);
  FIND(tab1, Command4);
  FIND(tab1, cmdPowerDownTest);
  FIND(tab1, Command6);

  FIND(tab2, txtDirectLoad);
  FIND(tab2, optTxtSelect);
  FIND(tab2, cmdDirectLoad);
  FIND(tab2, cmdRESET);
  FIND(tab2, Command1);
  FIND(tab2, Command2);

  FIND(tab3, lblvout);
  return found;
}

void LeaveBox(QWidget* box) {
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(box, &focusOut);
}
