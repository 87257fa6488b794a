// The sound loader fed arbitrary bytes: whatever a file under sfx/ holds, the
// load either gives a well-formed sound or says why not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/mixer.h"
#include "platform/sound_loader.h"

extern "C" std::size_t LLVMFuzzerMutate(uint8_t* data, std::size_t size, std::size_t max_size);

// Most mutations break a page's checksum, and a damaged page is refused before
// the decoder sees it. Half the time the checksums are put right again, so
// the mutations reach the Vorbis headers and packets too.
extern "C" std::size_t LLVMFuzzerCustomMutator(uint8_t* data, std::size_t size, std::size_t max_size,
                                               unsigned int seed) {
  size = LLVMFuzzerMutate(data, size, max_size);
  if (seed % 2 == 0) return size;
  std::size_t at = 0;
  while (size - at >= 27 && std::memcmp(data + at, "OggS", 4) == 0) {
    const std::size_t segments = data[at + 26];
    if (size - at < 27 + segments) break;
    std::size_t page = 27 + segments;
    for (std::size_t i = 0; i < segments; ++i) page += data[at + 27 + i];
    if (size - at < page) break;
    const uint32_t crc = platform::OggPageCrc(data + at, page);
    for (int i = 0; i < 4; ++i) data[at + 22 + i] = static_cast<uint8_t>(crc >> (8 * i));
    at += page;
  }
  return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::vector<unsigned char> bytes(data, data + size);
  std::string why;
  const auto snd = platform::DecodeOgg(bytes, platform::kMixRate, &why);
  // The mixer trusts these: a layout it paints and a whole number of frames.
  if (snd && snd->channels != 1 && snd->channels != 2) std::abort();
  if (snd && snd->samples.size() % static_cast<std::size_t>(snd->channels) != 0) std::abort();
  // The game prints the reason of every failed load.
  if (!snd && why.empty()) std::abort();
  return 0;
}
