#include "platform/Zlib.h"

#include <zlib.h>

#include <climits>

namespace platform {

namespace {

// zlib counts in uInt; feed very large buffers in slices.
constexpr size_t MaxSlice = UINT_MAX / 2;

uInt Slice(size_t n) { return uInt(n < MaxSlice ? n : MaxSlice); }

} // namespace

int64_t Inflate(const uint8_t* data, size_t size, uint8_t* out, size_t expectedSize) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return -1;

  // Output beyond `expectedSize` goes to a scratch buffer and is dropped, but
  // the stream is still read to its end so a damaged tail or checksum is
  // caught.
  uint8_t scratch[16384];
  size_t produced = 0;
  size_t consumed = 0;
  int64_t result = -1;
  for (;;) {
    const bool full = produced >= expectedSize;
    stream.next_in = const_cast<Bytef*>(data + consumed);
    stream.avail_in = Slice(size - consumed);
    stream.next_out = full ? scratch : out + produced;
    stream.avail_out = full ? uInt(sizeof scratch) : Slice(expectedSize - produced);
    const uInt inBefore = stream.avail_in;
    const uInt outBefore = stream.avail_out;
    const int status = inflate(&stream, Z_NO_FLUSH);
    consumed += inBefore - stream.avail_in;
    if (!full) produced += outBefore - stream.avail_out;

    if (status == Z_STREAM_END) {
      result = int64_t(produced);
      break;
    }
    if (status == Z_OK) continue;
    if (status == Z_BUF_ERROR && stream.avail_in == 0 && consumed < size) continue;
    // Truncated input, bad data, bad header or checksum.
    break;
  }
  inflateEnd(&stream);
  return result;
}

std::vector<uint8_t> Deflate(const uint8_t* data, size_t size, int level) {
  if (level < 0) level = 0;
  if (level > 9) level = 9;
  z_stream stream{};
  if (deflateInit(&stream, level) != Z_OK) return {};
  std::vector<uint8_t> out(deflateBound(&stream, uLong(size)) + 16);

  size_t consumed = 0;
  size_t produced = 0;
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    if (produced == out.size()) out.resize(out.size() * 2);
    stream.next_in = const_cast<Bytef*>(data + consumed);
    stream.avail_in = Slice(size - consumed);
    stream.next_out = out.data() + produced;
    stream.avail_out = Slice(out.size() - produced);
    const uInt inBefore = stream.avail_in;
    const uInt outBefore = stream.avail_out;
    const bool last = size - consumed <= MaxSlice;
    status = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
    consumed += inBefore - stream.avail_in;
    produced += outBefore - stream.avail_out;
    if (status == Z_STREAM_ERROR) {
      deflateEnd(&stream);
      return {};
    }
  }
  deflateEnd(&stream);
  out.resize(produced);
  return out;
}

} // namespace platform
