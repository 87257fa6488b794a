// Ogg Vorbis files decoded whole into 16-bit samples at the mixer's rate.
#pragma once

#include <memory>
#include <string>

#include "platform/sound.h"

namespace platform {

// Mono stays mono and stereo stereo; a file with more channels keeps its front
// left and front right. Null, with *why set, for a missing, unreadable or
// non-Vorbis file.
std::unique_ptr<Sound> LoadOgg(const char* path, int rate, std::string* why);

}  // namespace platform
