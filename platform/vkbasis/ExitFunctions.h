#pragma once

using VKExitFunction = void (*)();

// Registers function to run when the process ends normally (return from main
// or exit()), after every function registered later, as the C run time does.
// A null function is refused. Returns whether the function was registered.
bool AtVKExit(VKExitFunction function);
