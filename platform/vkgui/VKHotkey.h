#pragma once
#include <QKeyCombination>

// The suite's hotkey, the same in every dialog of either kind: Ctrl+Shift+J.
// No accelerator table binds it and text boxes pass it on, so it reaches the
// dialog wherever the focus is.
inline constexpr QKeyCombination kVKHotkey(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_J);
