// The platform that players run: SDL2 for the display, input, timer and sound.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

// Makes the folder that holds the program the working directory, registers
// the audio back ends and makes the display service ready. Where no display
// can be had, says so on stderr and ends the process with status 1.
std::unique_ptr<Platform> MakeSdlPlatform();

}  // namespace platform
