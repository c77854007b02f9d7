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

std::string CDisplayPlatform::ChooseForWindow(bool picturesOnly, const std::string& window)
{
    if (!picturesOnly && !IsAvailable())
        return "Keine Anzeige ($DISPLAY, $WAYLAND_DISPLAY): " + window +
               " braucht ein Fenster; --screenshot BILD.png speichert ihn ohne Anzeige als Bild.";
    UseOffscreenWithoutDisplay();
    return {};
}
