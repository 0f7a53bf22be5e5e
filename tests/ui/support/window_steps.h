#pragma once
// The operator's steps on the main window as the register-write tests take them.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>

#include "ui_test_support.h"

namespace steps {

inline QString indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// The checked option of the array name(0..count-1) (the channel button, the active entry box, the
// direct-load box); -1 while none is.
inline int checkedOption(WindowUnderTest& w, const char* name, int count) {
  for (int i = 0; i < count; ++i) {
    if (w.find<QRadioButton>(indexed(name, i))->isChecked()) return i;
  }
  return -1;
}

inline QLineEdit* entryBox(WindowUnderTest& w, int box) {
  return w.find<QLineEdit>(indexed("txtInput", box));
}

// Types `text` into entry box `box` and presses Enter, which makes it the active box.
inline void enterCode(WindowUnderTest& w, int box, const QString& text) {
  QLineEdit* edit = entryBox(w, box);
  WindowUnderTest::setText(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}

// Types `text` into box `box` and marks the box active with its option, without leaving the box:
// the write buttons then see the text unchecked.
inline void typeUnchecked(WindowUnderTest& w, int box, const QString& text) {
  WindowUnderTest::setText(entryBox(w, box), text);
  w.find<QRadioButton>(indexed("InputSel", box))->click();
}

inline void pickChannel(WindowUnderTest& w, int index) {
  w.find<QRadioButton>(indexed("chkDAC", index))->click();
}

inline void chooseInputRegister(WindowUnderTest& w, bool registerB) {
  w.find<QRadioButton>(indexed("optAB", registerB ? 1 : 0))->click();
}

inline void chooseDacSource(WindowUnderTest& w, bool fromX2B) {
  w.find<QRadioButton>(indexed("DACoptMux2", fromX2B ? 1 : 0))->click();
}

inline void press(WindowUnderTest& w, const QString& button) {
  w.find<QPushButton>(button)->click();
}

inline QString labelText(WindowUnderTest& w, const QString& label) {
  return w.find<QLabel>(label)->text();
}

// Runs `action` inside the `yieldNumber`-th yield to pending window events from now, once (not in
// the yields that `action` itself causes).
inline void insideYield(WindowUnderTest& w, std::function<void()> action, int yieldNumber = 1) {
  auto yieldsLeft = std::make_shared<int>(yieldNumber);
  w.services().onProcessEvents = [yieldsLeft, action = std::move(action)] {
    if (--*yieldsLeft != 0) return;
    action();
  };
}

}  // namespace steps
