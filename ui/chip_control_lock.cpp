// The lock of the window's chip controls (see chip_control_lock.h).

#include "chip_control_lock.h"

#include <QAction>
#include <QWidget>

void ChipControlLock::add(std::initializer_list<QWidget*> widgets) {
  widgets_.insert(widgets_.end(), widgets.begin(), widgets.end());
}

void ChipControlLock::add(std::initializer_list<QAction*> actions) {
  actions_.insert(actions_.end(), actions.begin(), actions.end());
}

void ChipControlLock::setLocked(bool locked) {
  if (!locked) {
    for (QWidget* widget : lockedWidgets_) widget->setEnabled(true);
    for (QAction* action : lockedActions_) action->setEnabled(true);
    lockedWidgets_.clear();
    lockedActions_.clear();
    return;
  }
  if (!lockedWidgets_.empty() || !lockedActions_.empty()) return;
  for (QWidget* widget : widgets_) {
    if (widget == nullptr || widget->testAttribute(Qt::WA_ForceDisabled)) continue;
    widget->setEnabled(false);
    lockedWidgets_.push_back(widget);
  }
  for (QAction* action : actions_) {
    if (action == nullptr || !action->isEnabled()) continue;
    action->setEnabled(false);
    lockedActions_.push_back(action);
  }
}
