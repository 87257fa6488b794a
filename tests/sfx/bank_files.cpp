#include "bank_files.h"

#include <map>

#include "platform/sound_loader.h"

namespace sfx_test {

const std::vector<BankFile>& Files() {
  static const std::vector<BankFile> files = [] {
    std::vector<BankFile> f;
    for (int i = 1; i <= 3; ++i) f.push_back({"brt" + std::to_string(i), "breath"});
    for (int i = 1; i <= 8; ++i) f.push_back({"stp" + std::to_string(i), "footstep"});
    for (const char* single : {"drp", "dry", "exp", "lck", "pch", "sht", "wsh"}) {
      f.push_back({single, single});
    }
    return f;
  }();
  return files;
}

const platform::Sound& Loaded(const std::string& name, std::string* why) {
  struct Entry {
    platform::Sound sound;
    std::string why;
  };
  static std::map<std::string, Entry> cache;
  auto it = cache.find(name);
  if (it == cache.end()) {
    Entry entry;
    const std::string path = std::string(EARSHOT_SFX_DIR) + "/" + name + ".ogg";
    if (auto sound = platform::LoadOgg(path.c_str(), kRate, &entry.why)) entry.sound = *sound;
    it = cache.emplace(name, std::move(entry)).first;
  }
  if (why) *why = it->second.why;
  return it->second.sound;
}

std::vector<int16_t> Mono(const platform::Sound& sound) {
  if (sound.channels == 1) return sound.samples;
  std::vector<int16_t> mono(sound.Frames());
  for (std::size_t i = 0; i < mono.size(); ++i) {
    mono[i] = static_cast<int16_t>((sound.samples[2 * i] + sound.samples[2 * i + 1]) / 2);
  }
  return mono;
}

}  // namespace sfx_test
