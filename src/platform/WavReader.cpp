#include "platform/WavReader.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace platform::audio {

namespace {

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

bool Fail(std::string* error, const char* reason) {
  if (error) *error = reason;
  return false;
}

bool SaneFormat(int channels, long rate) { return (channels == 1 || channels == 2) && rate >= 1000 && rate <= 192000; }

// libvorbisfile reads through these from a block of memory.
struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
};

size_t MemRead(void* ptr, size_t size, size_t count, void* source) {
  auto* reader = static_cast<MemoryReader*>(source);
  if (size == 0) return 0;
  size_t items = std::min(count, (reader->size - reader->pos) / size);
  std::memcpy(ptr, reader->data + reader->pos, items * size);
  reader->pos += items * size;
  return items;
}

int MemSeek(void* source, ogg_int64_t offset, int whence) {
  auto* reader = static_cast<MemoryReader*>(source);
  ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? ogg_int64_t(reader->pos) : ogg_int64_t(reader->size);
  ogg_int64_t target = base + offset;
  if (target < 0 || target > ogg_int64_t(reader->size)) return -1;
  reader->pos = size_t(target);
  return 0;
}

long MemTell(void* source) { return long(static_cast<MemoryReader*>(source)->pos); }

struct OggCloser {
  void operator()(OggVorbis_File* file) const { ov_clear(file); }
};

} // namespace

bool ReadWav(const uint8_t* data, size_t size, PcmData& out, std::string* error, double maxSeconds) {
  if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
    return Fail(error, "not a RIFF WAVE file");
  int channels = 0, bits = 0;
  long rate = 0;
  bool haveFormat = false;
  const uint8_t* samples = nullptr;
  size_t sampleBytes = 0;
  size_t pos = 12;
  while (size - pos >= 8) {
    const uint8_t* chunk = data + pos;
    uint64_t length = U32(chunk + 4);
    size_t room = size - pos - 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16 || length > room) return Fail(error, "bad format chunk");
      const uint8_t* f = chunk + 8;
      int tag = U16(f);
      if (tag == 0xFFFE) { // extensible: the sub-format's first two bytes hold the tag
        if (length < 40) return Fail(error, "bad extensible format chunk");
        tag = U16(f + 24);
      }
      if (tag != 1) return Fail(error, "not PCM");
      channels = U16(f + 2);
      rate = long(U32(f + 4));
      bits = U16(f + 14);
      int blockAlign = U16(f + 12);
      if (!SaneFormat(channels, rate) || (bits != 8 && bits != 16) || blockAlign != channels * bits / 8)
        return Fail(error, "unsupported PCM format");
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      samples = chunk + 8;
      sampleBytes = size_t(std::min<uint64_t>(length, room)); // a short file keeps what it has
      break;
    } else if (length > room) {
      return Fail(error, "chunk runs past the end of the file");
    }
    pos += 8 + size_t(length) + size_t(length & 1);
    if (pos > size) break;
  }
  if (!haveFormat) return Fail(error, "no format chunk before the data");
  if (!samples) return Fail(error, "no data chunk");
  size_t frameBytes = size_t(channels) * size_t(bits / 8);
  size_t frames = sampleBytes / frameBytes;
  if (frames == 0) return Fail(error, "no samples");
  if (double(frames) > maxSeconds * double(rate)) return Fail(error, "sound too long");
  out.rate = int(rate);
  out.channels = channels;
  out.samples.resize(frames * size_t(channels));
  for (size_t i = 0; i < out.samples.size(); ++i)
    out.samples[i] = bits == 8 ? int16_t((int(samples[i]) - 128) << 8) : int16_t(U16(samples + 2 * i));
  return true;
}

bool ReadOgg(const uint8_t* data, size_t size, PcmData& out, std::string* error, double maxSeconds) {
  MemoryReader reader{data, size};
  ov_callbacks callbacks{MemRead, MemSeek, nullptr, MemTell};
  OggVorbis_File file;
  if (!data || ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0)
    return Fail(error, "not an Ogg Vorbis stream");
  std::unique_ptr<OggVorbis_File, OggCloser> guard(&file);
  vorbis_info* info = ov_info(&file, -1);
  if (!info || !SaneFormat(info->channels, info->rate)) return Fail(error, "unsupported Vorbis format");
  int channels = info->channels;
  long rate = info->rate;
  size_t maxSamples = size_t(maxSeconds * double(rate)) * size_t(channels);
  ogg_int64_t total = ov_pcm_total(&file, -1);
  out.samples.clear();
  if (total > 0) out.samples.reserve(std::min(size_t(total) * size_t(channels), maxSamples));
  char buffer[8192];
  int holes = 0;
  for (;;) {
    int section = 0;
    long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
    if (got == 0) break;
    if (got == OV_HOLE && ++holes < 64) continue;
    if (got < 0) return Fail(error, "corrupt Vorbis data");
    vorbis_info* now = ov_info(&file, section);
    if (!now || now->channels != channels || now->rate != rate) return Fail(error, "Vorbis format changes midway");
    size_t count = size_t(got) / 2;
    if (out.samples.size() + count > maxSamples) return Fail(error, "sound too long");
    size_t at = out.samples.size();
    out.samples.resize(at + count);
    std::memcpy(out.samples.data() + at, buffer, count * 2);
  }
  out.samples.resize(out.samples.size() - out.samples.size() % size_t(channels));
  if (out.samples.empty()) return Fail(error, "no samples");
  out.rate = int(rate);
  out.channels = channels;
  return true;
}

} // namespace platform::audio
