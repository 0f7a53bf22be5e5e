#pragma once
// The controls that act on the chip, disabled together while a remote client holds the window
// locked or a sequence plays. Frames are listed whole where everything in them acts on the chip;
// elsewhere each control. Only what was enabled is disabled, and only that is enabled again.

#include <initializer_list>
#include <vector>

class QAction;
class QWidget;

class ChipControlLock {
 public:
  // Each view lists its chip controls once, when it has made them.
  void add(std::initializer_list<QWidget*> widgets);
  template <class Range>
  void addAll(const Range& widgets) {
    for (QWidget* widget : widgets) widgets_.push_back(widget);
  }
  void add(std::initializer_list<QAction*> actions);

  void setLocked(bool locked);

 private:
  std::vector<QWidget*> widgets_;
  std::vector<QAction*> actions_;
  // What the lock disabled, to be enabled again when it ends.
  std::vector<QWidget*> lockedWidgets_;
  std::vector<QAction*> lockedActions_;
};
