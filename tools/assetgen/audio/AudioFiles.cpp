#include "AudioFiles.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace assetgen::audio {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { if (f) std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}
void PutU16(std::string& out, uint16_t v) {
  out.push_back(char(v & 0xFF));
  out.push_back(char(v >> 8));
}

bool WriteAll(std::FILE* f, const void* data, size_t size) {
  return size == 0 || std::fwrite(data, 1, size, f) == size;
}

} // namespace

std::vector<int16_t> ToPcm16(const Clip& clip) {
  std::vector<int16_t> pcm(clip.samples.size());
  for (size_t i = 0; i < pcm.size(); ++i) {
    float s = std::clamp(clip.samples[i], -1.0f, 1.0f);
    pcm[i] = int16_t(std::lround(s * 32767.0f));
  }
  return pcm;
}

bool WriteWav(const std::string& path, const Clip& clip, std::string* error) {
  std::vector<int16_t> pcm = ToPcm16(clip);
  uint32_t dataBytes = uint32_t(pcm.size() * 2);
  std::string header;
  header += "RIFF";
  PutU32(header, 36 + dataBytes);
  header += "WAVEfmt ";
  PutU32(header, 16);
  PutU16(header, 1); // PCM
  PutU16(header, uint16_t(clip.channels));
  PutU32(header, uint32_t(clip.rate));
  PutU32(header, uint32_t(clip.rate * clip.channels * 2));
  PutU16(header, uint16_t(clip.channels * 2));
  PutU16(header, 16);
  header += "data";
  PutU32(header, dataBytes);

  std::string bytes;
  bytes.reserve(dataBytes);
  for (int16_t s : pcm) PutU16(bytes, uint16_t(s));

  File f(std::fopen(path.c_str(), "wb"));
  if (!f || !WriteAll(f.get(), header.data(), header.size()) || !WriteAll(f.get(), bytes.data(), bytes.size())) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  if (std::fclose(f.release()) != 0) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}

bool WriteOgg(const std::string& path, const Clip& clip, float quality, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why + ": " + path;
    return false;
  };
  File f(std::fopen(path.c_str(), "wb"));
  if (!f) return fail("cannot write");

  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, clip.channels, clip.rate, quality) != 0) {
    vorbis_info_clear(&vi);
    return fail("the Vorbis encoder refused the format");
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", "Marrowdeck");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 0x4D44); // fixed serial: identical input, identical file

  bool ok = true;
  auto writePage = [&](const ogg_page& page) {
    ok = ok && WriteAll(f.get(), page.header, size_t(page.header_len)) &&
         WriteAll(f.get(), page.body, size_t(page.body_len));
  };

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&vd, &vc, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &headerComment);
  ogg_stream_packetin(&os, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) writePage(page);

  const int64_t frames = clip.Frames();
  const int64_t chunk = 4096;
  int64_t done = 0;
  bool eos = false, ended = false;
  while (!eos && ok) {
    if (done < frames) {
      int64_t n = std::min(chunk, frames - done);
      float** buffer = vorbis_analysis_buffer(&vd, int(n));
      for (int64_t i = 0; i < n; ++i)
        for (int c = 0; c < clip.channels; ++c)
          buffer[c][i] = clip.samples[size_t((done + i) * clip.channels + c)];
      vorbis_analysis_wrote(&vd, int(n));
      done += n;
    } else if (!ended) {
      vorbis_analysis_wrote(&vd, 0); // end of stream, told once
      ended = true;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (!eos && ogg_stream_pageout(&os, &page) != 0) {
          writePage(page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
    if (ended && !eos) {
      // Everything is analysed: push out whatever the stream still holds.
      while (ogg_stream_flush(&os, &page) != 0) writePage(page);
      eos = true;
    }
  }

  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  if (!ok) return fail("cannot write");
  if (std::fclose(f.release()) != 0) return fail("cannot write");
  return true;
}

} // namespace assetgen::audio
