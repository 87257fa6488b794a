#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>

namespace platform::test {
namespace {

void Append(Bytes* out, const ogg_page& page) {
  out->insert(out->end(), page.header, page.header + page.header_len);
  out->insert(out->end(), page.body, page.body + page.body_len);
}

}  // namespace

Bytes EncodeVorbis(const Planar& pcm, int rate, int serial) {
  const int channels = static_cast<int>(pcm.size());
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.6f) != 0) {
    vorbis_info_clear(&vi);
    throw std::runtime_error("vorbisenc refuses " + std::to_string(channels) + " channels at " + std::to_string(rate));
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);

  Bytes out;
  ogg_page page;
  ogg_packet id, comment, code;
  vorbis_analysis_headerout(&vd, &vc, &id, &comment, &code);
  ogg_stream_packetin(&os, &id);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &code);
  while (ogg_stream_flush(&os, &page)) Append(&out, page);  // audio starts on a page of its own

  auto drain = [&] {
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page)) Append(&out, page);
      }
    }
  };
  const std::size_t frames = pcm.empty() ? 0 : pcm[0].size();
  for (std::size_t at = 0; at < frames; at += 1024) {
    const int n = static_cast<int>(std::min<std::size_t>(1024, frames - at));
    float** buffer = vorbis_analysis_buffer(&vd, n);
    for (int c = 0; c < channels; ++c) std::copy_n(pcm[c].begin() + at, n, buffer[c]);
    vorbis_analysis_wrote(&vd, n);
    drain();
  }
  vorbis_analysis_wrote(&vd, 0);  // end of stream
  drain();
  while (ogg_stream_flush(&os, &page)) Append(&out, page);

  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

Bytes OggOpusHeaders() {
  ogg_stream_state os;
  ogg_stream_init(&os, 7);
  // OpusHead: version 1, one channel, no pre-skip, 48000 Hz, no gain, mapping 0.
  unsigned char head[19] = {'O', 'p', 'u', 's', 'H', 'e', 'a', 'd', 1, 1, 0, 0, 0x80, 0xbb, 0, 0, 0, 0, 0};
  unsigned char tags[16] = {'O', 'p', 'u', 's', 'T', 'a', 'g', 's', 0, 0, 0, 0, 0, 0, 0, 0};
  unsigned char audio[3] = {0xf8, 0xff, 0xfe};
  ogg_packet p{};
  p.packet = head;
  p.bytes = sizeof head;
  p.b_o_s = 1;
  ogg_stream_packetin(&os, &p);
  p = {};
  p.packet = tags;
  p.bytes = sizeof tags;
  p.packetno = 1;
  ogg_stream_packetin(&os, &p);
  p = {};
  p.packet = audio;
  p.bytes = sizeof audio;
  p.packetno = 2;
  p.granulepos = 960;
  p.e_o_s = 1;
  ogg_stream_packetin(&os, &p);

  Bytes out;
  ogg_page page;
  while (ogg_stream_flush(&os, &page)) Append(&out, page);
  ogg_stream_clear(&os);
  return out;
}

std::vector<float> Tone(double freq, double amp, int rate, std::size_t frames) {
  std::vector<float> s(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    s[i] = static_cast<float>(amp * std::sin(2 * std::acos(-1.0) * freq * static_cast<double>(i) / rate));
  }
  return s;
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace platform::test
