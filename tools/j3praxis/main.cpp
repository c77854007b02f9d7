#include "j3praxis/J3PraxisApp.h"
#include "j3screenshot/J3DialogScreenshot.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    CJ3DialogScreenshot::ChoosePlatform(args);
    CJ3PraxisApp app(std::cout, std::cerr, args);
    return app.WinMain(argc, argv);
}
