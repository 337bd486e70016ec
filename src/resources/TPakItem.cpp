#include "resources/TPakItem.h"

#include <sstream>

namespace {

void AppendLatin1(std::string& out, uint32_t code) { out.push_back(code <= 255 ? char(code) : '?'); }

std::string DecodeUtf8(const uint8_t* p, size_t n) {
  std::string out;
  size_t i = 0;
  while (i < n) {
    const uint8_t b = p[i];
    int extra = 0;
    uint32_t code = b;
    if (b < 0x80) {
      extra = 0;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1;
      code = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      code = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      code = b & 0x07;
    } else {
      AppendLatin1(out, '?');
      ++i;
      continue;
    }
    if (extra && i + size_t(extra) >= n) {
      // Sequence cut off at the end.
      AppendLatin1(out, '?');
      break;
    }
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      code = code << 6 | (p[i + k] & 0x3F);
    }
    if (!ok) {
      AppendLatin1(out, '?');
      ++i;
      continue;
    }
    AppendLatin1(out, code);
    i += size_t(extra) + 1;
  }
  return out;
}

std::string DecodeUtf16(const uint8_t* p, size_t n, bool bigEndian) {
  std::string out;
  for (size_t i = 0; i + 1 < n; i += 2) {
    const uint32_t unit = bigEndian ? (uint32_t(p[i]) << 8 | p[i + 1]) : (uint32_t(p[i + 1]) << 8 | p[i]);
    // Surrogate pairs are above 255 anyway: each half becomes "?", so skip
    // the low half to keep one "?" per character.
    if (unit >= 0xDC00 && unit <= 0xDFFF) continue;
    AppendLatin1(out, unit);
  }
  return out;
}

} // namespace

std::string PakLowerCase(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return lower;
}

int32_t VarTypeForName(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  const size_t slash = name.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return 0;
  const std::string ext = PakLowerCase(name.substr(dot + 1));
  if (ext == "dat" || ext == "bin") return 0;
  if (ext == "txt") return 1;
  if (ext == "png" || ext == "jpg" || ext == "tga" || ext == "bmp") return 2;
  if (ext == "ttf") return 3;
  if (ext == "wav" || ext == "ogg") return 4;
  return 0;
}

std::string DecodeTextBytes(const std::vector<uint8_t>& bytes) {
  const uint8_t* p = bytes.data();
  const size_t n = bytes.size();
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return DecodeUtf8(p + 3, n - 3);
  if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) return DecodeUtf16(p + 2, n - 2, false);
  if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) return DecodeUtf16(p + 2, n - 2, true);
  return std::string(bytes.begin(), bytes.end());
}

std::shared_ptr<std::vector<uint8_t>> TPakItem::GetBank() const {
  return std::make_shared<std::vector<uint8_t>>(Data);
}

std::shared_ptr<std::istream> TPakItem::GetStream() const {
  return std::make_shared<std::istringstream>(GetString(), std::ios::in | std::ios::binary);
}

std::string TPakItem::GetText() const { return DecodeTextBytes(Data); }
