#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// zlib streams for the resource packs.
namespace platform {

// Inflates a zlib stream into at most `expectedSize` bytes. Returns the number
// of bytes the stream produced (capped at expectedSize; the rest is checked
// and dropped), or -1 when the stream is corrupt or truncated anywhere, its
// checksum included. Never writes past `expectedSize`.
int64_t Inflate(const uint8_t* data, size_t size, uint8_t* out, size_t expectedSize);
// Compresses with the given level (0..9) into a zlib stream.
std::vector<uint8_t> Deflate(const uint8_t* data, size_t size, int level = 9);

} // namespace platform
