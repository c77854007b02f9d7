#include "j3db/J3DbApp.h"
#include "vkbasis/DisplayPlatform.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    CDisplayPlatform::UseOffscreenWithoutDisplay();
    CJ3DbApp app(std::vector<std::string>(argv + 1, argv + argc));
    return app.WinMain(argc, argv);
}
