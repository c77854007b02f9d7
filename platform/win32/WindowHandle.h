#pragma once
#include "win32/WinTypes.h"

class QWidget;

// A window handle is the Qt widget it stands for.
HWND HwndFromWidget(QWidget* widget);
QWidget* WidgetFromHwnd(HWND window);
// The widget that has the keyboard focus, or null.
HWND GetFocus();
