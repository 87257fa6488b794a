#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <fstream>

#include "dsp.h"

namespace sfxgen {

namespace {

constexpr float kQuality = 0.5f;  // about 80 kbit/s mono: transparent for these
constexpr std::size_t kChunk = 1024;

// libvorbis's encoder state, released in reverse order of creation.
class Encoder {
 public:
  explicit Encoder(int serial) {
    vorbis_info_init(&info_);
    ok_ = vorbis_encode_init_vbr(&info_, 1, kRate, kQuality) == 0;
    vorbis_comment_init(&comment_);
    if (!ok_) return;
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, serial);
  }
  ~Encoder() {
    if (ok_) {
      ogg_stream_clear(&stream_);
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
    }
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  bool Ok() const { return ok_; }

  void WriteHeaders(std::ofstream& out) {
    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &id, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &id);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    // The audio starts on a page of its own, as the format asks.
    while (ogg_stream_flush(&stream_, &page_) != 0) WritePage(out);
  }

  // An empty block of samples marks the end of the stream.
  void Encode(const int16_t* samples, std::size_t count, std::ofstream& out) {
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
      for (std::size_t i = 0; i < count; ++i) buffer[0][i] = samples[i] / 32768.0f;
    }
    vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        while (ogg_stream_pageout(&stream_, &page_) != 0) WritePage(out);
      }
    }
  }

  void Flush(std::ofstream& out) {
    while (ogg_stream_flush(&stream_, &page_) != 0) WritePage(out);
  }

 private:
  void WritePage(std::ofstream& out) {
    out.write(reinterpret_cast<const char*>(page_.header), page_.header_len);
    out.write(reinterpret_cast<const char*>(page_.body), page_.body_len);
  }

  bool ok_ = false;
  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  ogg_stream_state stream_;
  ogg_page page_;
};

}  // namespace

bool WriteOgg(const std::string& path, const std::vector<int16_t>& samples,
              int serial, std::string* why) {
  Encoder encoder(serial);
  if (!encoder.Ok()) {
    *why = "the Vorbis encoder refused mono at 48 kHz";
    return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    *why = "cannot open " + path + " for writing";
    return false;
  }
  encoder.WriteHeaders(out);
  for (std::size_t at = 0; at < samples.size(); at += kChunk) {
    encoder.Encode(samples.data() + at, std::min(kChunk, samples.size() - at), out);
  }
  encoder.Encode(nullptr, 0, out);
  encoder.Flush(out);
  out.close();
  if (!out) {
    *why = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace sfxgen
