#pragma once
// Small event filters that turn a widget's focus loss or key presses into calls of a handler.

#include <QObject>
#include <functional>

class QKeyEvent;

// Calls `onFocusOut` when the operator moves the keyboard focus out of the watched widget
// (not when the whole window loses it).
void onFocusOut(QObject* watched, std::function<void()> onFocusOut);

// Calls `onKey` for every key press of the watched widget before the widget sees it; the key is
// swallowed when `onKey` returns true.
void onKeyPress(QObject* watched, std::function<bool(QKeyEvent&)> onKey);

// Whether the key event is Enter (character code 13), from either Return or the keypad.
bool isEnterKey(const QKeyEvent& event);
