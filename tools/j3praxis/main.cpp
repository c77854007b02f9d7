#include "j3praxis/J3PraxisApp.h"
#include "vkbasis/PlatformChatterFilter.h"

#include <iostream>

int main(int argc, char** argv)
{
    CPlatformChatterFilter::Install();
    CJ3PraxisApp app(std::cout, std::cerr, std::vector<std::string>(argv + 1, argv + argc));
    return app.Main(argc, argv);
}
