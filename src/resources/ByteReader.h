#pragma once
#include <cstdint>
#include <cstring>
#include <string>

// A bounded little-endian reader over bytes in memory. Every read checks the
// bytes left first; a read past the end fails and leaves the reader failed,
// so parsing untrusted files can never step outside the buffer.
class ByteReader {
public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return size_ - pos_; }
  bool Failed() const { return failed_; }

  bool ReadInt32(int32_t& value) {
    uint8_t b[4];
    if (!ReadBytes(b, 4)) return false;
    value = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    return true;
  }

  bool ReadBytes(void* out, size_t count) {
    const uint8_t* p = Take(count);
    if (!p) return false;
    if (count) std::memcpy(out, p, count);
    return true;
  }

  // A pointer to the next `count` bytes, advancing past them; nullptr when
  // fewer are left.
  const uint8_t* Take(size_t count) {
    if (failed_ || count > Remaining()) {
      failed_ = true;
      return nullptr;
    }
    const uint8_t* p = data_ + pos_;
    pos_ += count;
    return p;
  }

private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool failed_ = false;
};
