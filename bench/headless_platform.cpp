#include "bench/headless_platform.h"

#include <string>

#include "platform/sound_loader.h"

namespace bench {

void HeadlessPlatform::Advance() {
  now_ += 20;
  mixer_->Mix(block_.data(), block_.size() / 2);
}

const platform::Sound* HeadlessPlatform::LoadSound(const char* path, int) {
  const std::string file = std::string(sfxDir_) + "/" + (std::string(path).substr(std::string(path).find('/') + 1));
  std::unique_ptr<platform::Sound> snd = platform::LoadOgg(file.c_str(), platform::kMixRate, nullptr);
  if (!snd) return nullptr;
  sounds_.push_back(std::move(snd));
  return sounds_.back().get();
}

}  // namespace bench
