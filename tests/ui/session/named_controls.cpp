// The window's controls found by their objectNames.

#include "named_controls.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "picture_box.h"
#include "shape_widget.h"
#include "value_label.h"

namespace {

template <class T>
void Find(QWidget& window, T*& control, const char* name) {
  control = window.findChild<T*>(QString::fromLatin1(name));
}

// name(first), name(first + 1)... into the array.
template <class T, std::size_t N>
void Find(QWidget& window, std::array<T*, N>& controls, const char* name, int first = 0) {
  for (std::size_t i = 0; i < N; ++i) {
    controls[i] = window.findChild<T*>(
        QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(first + static_cast<int>(i)));
  }
}

#define FIND(group, member) Find(window, found.group.member, #member)

}  // namespace

NamedControls FindNamedControls(QWidget& window) {
  NamedControls found;
  FIND(menus, mnuFile);
  FIND(menus, mnuReload);
  FIND(menus, mnuLoadSetup);
  FIND(menus, mnuSaveSetup);
  FIND(menus, mnuExit);
  FIND(menus, mnuView);
  FIND(menus, mnuRequestLog);
  FIND(menus, mnuTools);
  FIND(menus, mnuSetVoltage);
  FIND(menus, mnuVerifyChip);
  FIND(menus, mnuChannels);
  FIND(menus, mnuSequence);
  FIND(menus, mnuAbout);
  FIND(menus, mnuVersion);

  FIND(win, SSTab1);
  FIND(win, tabPage);
  FIND(win, Label7);
  FIND(win, lblOutputCode);
  FIND(win, Picture1);
  FIND(win, Picture3);
  FIND(win, Picture2);
  FIND(win, Command3);
  FIND(win, lblBoardLink);
  FIND(win, lblBoardStatus);

  FIND(tab0, mnuPulseReset);
  FIND(tab0, Frame1);
  FIND(tab0, chkDAC);
  FIND(tab0, Frame4);
  FIND(tab0, txtInput);
  FIND(tab0, InputSel);
  FIND(tab0, Line2);
  FIND(tab0, Line4);
  FIND(tab0, Line3);
  FIND(tab0, frmGroup);

  FIND(diagram, Label5);
  FIND(diagram, txtVREF);
  FIND(diagram, Frame3);
  FIND(diagram, Label2);
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

  FIND(tab1, Label6);
  FIND(tab1, txtOffsetValue);
  FIND(tab1, cmdOFFSET);
  FIND(tab1, fraMonControls);
  FIND(tab1, cboDisable);
  FIND(tab1, cboMonChannel);
  FIND(tab1, fraGPIO);
  FIND(tab1, chkGPIO);
  FIND(tab1, cmdGPIOread);
  FIND(tab1, lblGPIOinput);
  FIND(tab1, Command5);
  FIND(tab1, Command4);
  FIND(tab1, cmdPowerDownTest);
  FIND(tab1, Command6);

  FIND(tab2, Frame6);
  FIND(tab2, txtDirectLoad);
  FIND(tab2, optTxtSelect);
  Find(window, found.tab2.Line2, "Line2", 10);
  FIND(tab2, Line5);
  FIND(tab2, cmdDirectLoad);
  FIND(tab2, cmdRESET);
  FIND(tab2, Command1);
  FIND(tab2, Command2);
  FIND(tab2, Frame5);
  FIND(tab2, chkAllChannels);

  FIND(tab3, lblvout);
  return found;
}

void LeaveBox(QWidget* box) {
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(box, &focusOut);
}
