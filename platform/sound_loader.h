// Ogg Vorbis files decoded whole into 16-bit samples at the mixer's rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound.h"

namespace platform {

// Mono stays mono and stereo stereo; a file with more channels keeps its front
// left and front right. Null, with *why set, for a missing, unreadable or
// non-Vorbis file.
std::unique_ptr<Sound> LoadOgg(const char* path, int rate, std::string* why);

// The same, from the bytes of a whole file already in memory.
std::unique_ptr<Sound> DecodeOgg(const std::vector<unsigned char>& data, int rate, std::string* why);

// The checksum of one whole Ogg page, as its header should carry it.
uint32_t OggPageCrc(const unsigned char* page, std::size_t size);

}  // namespace platform
