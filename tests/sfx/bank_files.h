// The eighteen files of the sound bank, loaded once for every test that
// listens to them.
#pragma once

#include <string>
#include <vector>

#include "platform/sound.h"

namespace sfx_test {

inline constexpr int kRate = 48000;

struct BankFile {
  std::string name;  // inside the sfx folder, without ".ogg"
  std::string kind;  // the files of one kind are variations of one sound
};

const std::vector<BankFile>& Files();

// The file decoded by the game's loader at the game's rate; a sound with no
// samples, and *why set, where it doesn't load.
const platform::Sound& Loaded(const std::string& name, std::string* why = nullptr);

std::vector<int16_t> Mono(const platform::Sound& sound);

}  // namespace sfx_test
