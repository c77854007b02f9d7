#include "j3db/J3DbApp.h"
#include "j3params/J3MachineConfig.h"
#include "vkbasis/DisplayPlatform.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    CDisplayPlatform::UseOffscreenWithoutDisplay();
    // Loaded before the application starts, so that a faulty configuration is
    // reported once, by the tool, which then stops.
    std::string configError;
    CJ3MachineConfig::ReloadCurrent(configError);
    CJ3DbApp app(std::vector<std::string>(argv + 1, argv + argc));
    return app.WinMain(argc, argv);
}
