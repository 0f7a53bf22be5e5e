#pragma once
// The window's controls as the randomized operator works them, found by their objectNames (an
// array's members as name(i)) in the groups where they stand on the window.

#include "frm_main_controls.h"

class QWidget;

struct NamedControls {
  MenuControls menus;
  WindowControls win;
  MainDacsTab tab0;
  BlockDiagram diagram;
  OffsetTab tab1;
  SignalsTab tab2;
  VoltagesTab tab3;
};

// The controls the operator works; the others stay null.
NamedControls FindNamedControls(QWidget& window);

// The operator moves the keyboard focus out of the box.
void LeaveBox(QWidget* box);
