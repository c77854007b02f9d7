#include "j3pick/J3PickApp.h"

#include <iostream>

int main(int argc, char** argv)
{
    CJ3PickApp app(std::cout, std::cerr, std::vector<std::string>(argv + 1, argv + argc));
    return app.Main(argc, argv);
}
