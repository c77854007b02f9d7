#include "win32/WindowHandle.h"

#include <QApplication>
#include <QWidget>

HWND HwndFromWidget(QWidget* widget)
{
    return reinterpret_cast<HWND>(widget);
}

QWidget* WidgetFromHwnd(HWND window)
{
    return reinterpret_cast<QWidget*>(window);
}

HWND GetFocus()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? HwndFromWidget(QApplication::focusWidget())
                                                                     : nullptr;
}
