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

  // With nothing expected, still check that the stream starts sanely: a
  // one-byte scratch buffer tells a valid stream from garbage.
  uint8_t scratch = 0;
  uint8_t* target = expectedSize ? out : &scratch;
  size_t room = expectedSize ? expectedSize : 1;

  size_t produced = 0;
  size_t consumed = 0;
  int64_t result = -1;
  for (;;) {
    stream.next_in = const_cast<Bytef*>(data + consumed);
    stream.avail_in = Slice(size - consumed);
    stream.next_out = target + produced;
    stream.avail_out = Slice(room - produced);
    const uInt inBefore = stream.avail_in;
    const uInt outBefore = stream.avail_out;
    const int status = inflate(&stream, Z_NO_FLUSH);
    consumed += inBefore - stream.avail_in;
    produced += outBefore - stream.avail_out;

    if (status == Z_STREAM_END) {
      result = int64_t(produced);
      break;
    }
    if (produced == room) {
      // Output full: the item keeps exactly the declared size, whatever the
      // stream would have added.
      result = int64_t(produced);
      break;
    }
    if (status == Z_OK) continue;
    if (status == Z_BUF_ERROR && consumed < size && stream.avail_in == 0) continue;
    // Truncated input (Z_BUF_ERROR with nothing left), bad data, bad header.
    result = -1;
    break;
  }
  inflateEnd(&stream);
  if (result >= 0 && !expectedSize) return 0;
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
