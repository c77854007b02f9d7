#include "vkbasis/ExitFunctions.h"

#include <cstdlib>

bool AtVKExit(VKExitFunction function)
{
    return function != nullptr && std::atexit(function) == 0;
}
