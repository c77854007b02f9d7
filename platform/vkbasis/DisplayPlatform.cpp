#include "vkbasis/DisplayPlatform.h"

#include <QByteArray>
#include <QtGlobal>

bool CDisplayPlatform::IsAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void CDisplayPlatform::UseOffscreenWithoutDisplay()
{
    if (!IsAvailable())
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}
