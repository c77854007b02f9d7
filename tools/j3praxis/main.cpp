#include "j3praxis/J3PraxisApp.h"

#include <iostream>

int main(int argc, char** argv)
{
    CJ3PraxisApp app(std::cout, std::cerr, std::vector<std::string>(argv + 1, argv + argc));
    return app.Main(argc, argv);
}
