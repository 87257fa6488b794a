// The whole file is read into memory first: the sounds are short, and it lets
// the loader check the Ogg framing itself before the decoder sees it, since
// vorbisfile quietly plays a file cut short up to its last whole page.
#include "platform/sound_loader.h"

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace platform {
namespace {

using Bytes = std::vector<unsigned char>;

bool ReadFile(const char* path, Bytes* data, std::string* why) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) {
    *why = "no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    *why = "not a regular file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *why = "can't be opened";
    return false;
  }
  data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    *why = "can't be read";
    return false;
  }
  return true;
}

}  // namespace

uint32_t OggPageCrc(const unsigned char* page, std::size_t size) {
  uint32_t crc = 0;
  for (std::size_t i = 0; i < size; ++i) {
    // The checksum field itself counts as zeros.
    const unsigned char byte = i >= 22 && i < 26 ? 0 : page[i];
    crc ^= uint32_t{byte} << 24;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04c11db7u : crc << 1;
  }
  return crc;
}

namespace {

uint32_t StoredCrc(const unsigned char* page) {
  return uint32_t{page[22]} | uint32_t{page[23]} << 8 | uint32_t{page[24]} << 16 | uint32_t{page[25]} << 24;
}

// Walks the Ogg pages from the first byte to the last: the file must be a run
// of whole, intact pages, the last of which ends its stream. libogg would
// skip a damaged page by itself, and vorbisfile's search for the links
// around such a gap leaks.
bool CheckFraming(const Bytes& d, std::string* why) {
  constexpr std::size_t kHeader = 27;  // up to and including the segment count
  constexpr unsigned char kEndOfStream = 0x04;
  std::size_t at = 0;
  unsigned char lastFlags = 0;
  while (at < d.size()) {
    if (d.size() - at < kHeader || std::memcmp(&d[at], "OggS", 4) != 0) {
      *why = at == 0 ? "not an Ogg file" : "truncated or corrupt Ogg framing";
      return false;
    }
    const std::size_t segments = d[at + 26];
    if (d.size() - at < kHeader + segments) {
      *why = "truncated";
      return false;
    }
    std::size_t body = 0;
    for (std::size_t i = 0; i < segments; ++i) body += d[at + kHeader + i];
    const std::size_t page = kHeader + segments + body;
    if (d.size() - at < page) {
      *why = "truncated";
      return false;
    }
    if (OggPageCrc(&d[at], page) != StoredCrc(&d[at])) {
      *why = "corrupt Ogg page";
      return false;
    }
    lastFlags = d[at + 5];
    at += page;
  }
  if (!(lastFlags & kEndOfStream)) {
    *why = "truncated";
    return false;
  }
  return true;
}

// vorbisfile reads the bytes in memory through these.
struct Cursor {
  const Bytes* data;
  std::size_t pos;
};

// A short count with errno set is a read error to vorbisfile; memory never
// fails, so a stale errno from earlier must not be taken for one.
std::size_t ReadCb(void* ptr, std::size_t size, std::size_t nmemb, void* src) {
  Cursor& c = *static_cast<Cursor*>(src);
  errno = 0;
  if (size == 0) return 0;
  const std::size_t n = std::min(nmemb, (c.data->size() - c.pos) / size);
  std::memcpy(ptr, c.data->data() + c.pos, n * size);
  c.pos += n * size;
  return n;
}

const char* OpenError(int code) {
  switch (code) {
    case OV_ENOTVORBIS: return "not Ogg Vorbis";
    case OV_EVERSION: return "unsupported Vorbis version";
    case OV_EBADHEADER: return "bad Vorbis header";
    case OV_EREAD: return "read error";
    default: return "can't be decoded";
  }
}

// The channels kept: front left and front right, in Vorbis channel order.
void Kept(int channels, int* left, int* right) {
  *left = 0;
  if (channels == 1) *right = 0;
  else if (channels == 3 || (channels >= 5 && channels <= 8)) *right = 2;
  else *right = 1;
}

int16_t ToSample(float x) {
  const float s = std::nearbyint(x * 32768.0f);
  return static_cast<int16_t>(std::clamp(s, -32768.0f, 32767.0f));
}

// Decodes the whole stream into 16-bit samples, one or two a frame.
// channels and rate are the first link's: a stream read straight through
// holds only the current link's headers.
bool Decode(OggVorbis_File* vf, int channels, long rate, std::vector<int16_t>* out, std::string* why) {
  const int outChannels = channels == 1 ? 1 : 2;
  for (;;) {
    float** pcm = nullptr;
    int link = 0;
    const long n = ov_read_float(vf, &pcm, 4096, &link);
    if (n == 0) return true;
    // Read straight through, the step from one link to the next is reported
    // as a hole; the pages are whole and intact, so decoding goes on.
    if (n == OV_HOLE) continue;
    if (n < 0) {
      *why = "can't be decoded";
      return false;
    }
    // A chained file whose links differ would need a layout per link.
    const vorbis_info* vi = ov_info(vf, -1);
    if (!vi || vi->channels != channels || vi->rate != rate) {
      *why = "its chained links differ in channels or rate";
      return false;
    }
    int left = 0, right = 0;
    Kept(vi->channels, &left, &right);
    for (long i = 0; i < n; ++i) {
      out->push_back(ToSample(pcm[left][i]));
      if (outChannels == 2) out->push_back(ToSample(pcm[right][i]));
    }
  }
}

bool Resample(int channels, int from, int to, std::vector<int16_t>* samples, std::string* why) {
  SDL_AudioStream* stream = SDL_NewAudioStream(AUDIO_S16SYS, channels, from, AUDIO_S16SYS, channels, to);
  if (!stream) {
    *why = SDL_GetError();
    return false;
  }
  // SDL's stream keeps back the last few hundred frames even when flushed, so
  // the sound goes in with a quarter second of silence behind it, and the
  // output is cut back to the sound's own length, which the resampler keeps
  // in time.
  const std::size_t frames = samples->size() / static_cast<std::size_t>(channels);
  const auto wanted = static_cast<std::size_t>(std::llround(static_cast<double>(frames) * to / from));
  samples->resize(samples->size() + static_cast<std::size_t>(channels) * static_cast<std::size_t>(from / 4 + 1024), 0);
  const int bytes = static_cast<int>(samples->size() * sizeof(int16_t));
  bool ok = SDL_AudioStreamPut(stream, samples->data(), bytes) == 0 && SDL_AudioStreamFlush(stream) == 0;
  std::vector<int16_t> converted;
  while (ok) {
    const int available = SDL_AudioStreamAvailable(stream);
    if (available <= 0) break;
    const std::size_t at = converted.size();
    converted.resize(at + static_cast<std::size_t>(available) / sizeof(int16_t));
    const int got = SDL_AudioStreamGet(stream, converted.data() + at, available);
    ok = got >= 0;
    converted.resize(at + static_cast<std::size_t>(std::max(got, 0)) / sizeof(int16_t));
    if (got == 0) break;
  }
  if (ok) {
    converted.resize(std::min(converted.size(), wanted * static_cast<std::size_t>(channels)));
    *samples = std::move(converted);
  }
  if (!ok) *why = SDL_GetError();
  SDL_FreeAudioStream(stream);
  return ok;
}

}  // namespace

std::unique_ptr<Sound> LoadOgg(const char* path, int rate, std::string* why) {
  std::string reason;
  if (!why) why = &reason;
  Bytes data;
  if (!ReadFile(path, &data, why)) return nullptr;
  return DecodeOgg(data, rate, why);
}

std::unique_ptr<Sound> DecodeOgg(const std::vector<unsigned char>& data, int rate, std::string* why) {
  std::string reason;
  if (!why) why = &reason;
  if (data.empty()) {
    *why = "empty file";
    return nullptr;
  }
  if (!CheckFraming(data, why)) return nullptr;

  Cursor cursor{&data, 0};
  // Read straight through, without seeking: the framing is checked already,
  // and vorbisfile's search for the links of a seekable file leaks where a
  // link's pages are out of order (the fuzzer's third finding).
  const ov_callbacks callbacks{ReadCb, nullptr, nullptr, nullptr};
  OggVorbis_File vf;
  const int opened = ov_open_callbacks(&cursor, &vf, nullptr, 0, callbacks);
  if (opened < 0) {
    *why = OpenError(opened);
    return nullptr;
  }
  struct Clear {
    OggVorbis_File* vf;
    ~Clear() { ov_clear(vf); }
  } clear{&vf};

  const vorbis_info* first = ov_info(&vf, 0);
  if (!first || first->channels < 1) {
    *why = "can't be decoded";
    return nullptr;
  }
  // The rates of real audio files; SDL's resampler fails on ratios far
  // beyond these, and a file at megahertz rates is no sound of ours.
  if (first->rate < 8000 || first->rate > 192000) {
    *why = "unsupported sample rate " + std::to_string(first->rate) + " Hz";
    return nullptr;
  }
  const int channels = first->channels;
  const int from = static_cast<int>(first->rate);
  auto snd = std::make_unique<Sound>();
  snd->channels = channels == 1 ? 1 : 2;
  if (!Decode(&vf, channels, from, &snd->samples, why)) return nullptr;
  if (from != rate && !snd->samples.empty() && !Resample(snd->channels, from, rate, &snd->samples, why)) {
    return nullptr;
  }
  return snd;
}

}  // namespace platform
