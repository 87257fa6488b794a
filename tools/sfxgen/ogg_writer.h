// Ogg Vorbis files: mono, at the game's mixing rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfxgen {

// Encodes in quality (VBR) mode under a fixed stream serial number, so the
// same samples give the same bytes. False, with *why set, on any failure.
bool WriteOgg(const std::string& path, const std::vector<int16_t>& samples,
              int serial, std::string* why);

}  // namespace sfxgen
