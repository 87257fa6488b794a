// Test sound files made at test time: Ogg Vorbis encoded from given PCM, and a
// few Ogg streams that are not Vorbis.
#pragma once

#include <filesystem>
#include <vector>

namespace platform::test {

using Bytes = std::vector<unsigned char>;
using Planar = std::vector<std::vector<float>>;  // one vector of samples per channel

// An Ogg Vorbis stream of the given channels; serial tells links of a chained
// file apart.
Bytes EncodeVorbis(const Planar& pcm, int rate, int serial = 1);

// An Ogg stream that carries Opus headers, so it is Ogg but not Vorbis.
Bytes OggOpusHeaders();

// A sine of freq Hz and amplitude amp, frames long at rate.
std::vector<float> Tone(double freq, double amp, int rate, std::size_t frames);

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace platform::test
