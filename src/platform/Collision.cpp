#include "platform/Collision.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace platform {

namespace {

// A transformed outline: one bit per screen pixel covered by an opaque pixel
// of the picture, in rows of 64-bit words. `left`/`top` place the first bit
// relative to the (rounded) position of the picture's handle.
struct Mask {
  int left = 0, top = 0, width = 0, height = 0;
  int words = 0; // per row
  std::vector<uint64_t> bits;

  const uint64_t* Row(int y) const { return bits.data() + size_t(y) * size_t(words); }
};

// 64 bits of a row starting at bit `offset` (bits past the row's end read 0).
inline uint64_t Bits64(const uint64_t* row, int words, int offset) {
  int word = offset >> 6, shift = offset & 63;
  uint64_t value = row[word] >> shift;
  if (shift && word + 1 < words) value |= row[word + 1] << (64 - shift);
  return value;
}

inline uint64_t LowBits(int count) { return count >= 64 ? ~0ull : ((1ull << count) - 1); }

struct Entry {
  int x0, y0, x1, y1;              // covered screen box, right and bottom exclusive
  std::shared_ptr<const Mask> mask; // nullptr: the whole box (a rectangle)
  CollisionOwner owner;
};

struct Layer {
  std::vector<Entry> entries;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // union of the entries' boxes
};

std::array<Layer, 32> layers;

struct MaskKey {
  uint64_t serial;
  int frame;
  float rotation, scaleX, scaleY;
  bool operator==(const MaskKey& other) const {
    return serial == other.serial && frame == other.frame && rotation == other.rotation &&
           scaleX == other.scaleX && scaleY == other.scaleY;
  }
};

struct MaskKeyHash {
  size_t operator()(const MaskKey& key) const {
    auto bitsOf = [](float value) {
      uint32_t bits;
      std::memcpy(&bits, &value, sizeof(bits));
      return uint64_t(bits);
    };
    uint64_t h = key.serial * 0x9E3779B97F4A7C15ull;
    h ^= (bitsOf(key.rotation) + uint64_t(key.frame) * 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull;
    h ^= (bitsOf(key.scaleX) << 32 | bitsOf(key.scaleY)) * 0x94D049BB133111EBull;
    return size_t(h ^ (h >> 31));
  }
};

// Outlines already computed; entries keep their own reference, so dropping the
// whole cache when it grows large never invalidates a layer.
constexpr size_t MaxCachedMasks = 4096;
std::unordered_map<MaskKey, std::shared_ptr<const Mask>, MaskKeyHash> maskCache;
// The one outline of nothing, made on first use.
const std::shared_ptr<const Mask>& EmptyMask() {
  static const std::shared_ptr<const Mask> empty = std::make_shared<Mask>();
  return empty;
}

std::shared_ptr<const Mask> BuildMask(const Pixmap& pixels, float handleX, float handleY, float rotation,
                                      float scaleX, float scaleY) {
  if (pixels.Empty() || std::fabs(scaleX) < 1e-6f || std::fabs(scaleY) < 1e-6f) return EmptyMask();
  // screen = R * S * (p - handle), R turning clockwise on a y-down screen.
  double radians = double(rotation) * M_PI / 180.0;
  double c = std::cos(radians), s = std::sin(radians);
  if (rotation == 0) c = 1, s = 0;
  double minX = 1e30, minY = 1e30, maxX = -1e30, maxY = -1e30;
  for (int corner = 0; corner < 4; ++corner) {
    double px = ((corner & 1) ? pixels.width : 0) - double(handleX);
    double py = ((corner & 2) ? pixels.height : 0) - double(handleY);
    double sx = px * scaleX, sy = py * scaleY;
    double qx = c * sx - s * sy, qy = s * sx + c * sy;
    minX = std::min(minX, qx), maxX = std::max(maxX, qx);
    minY = std::min(minY, qy), maxY = std::max(maxY, qy);
  }
  auto mask = std::make_shared<Mask>();
  mask->left = int(std::floor(minX + 1e-9));
  mask->top = int(std::floor(minY + 1e-9));
  mask->width = std::max(0, int(std::ceil(maxX - 1e-9)) - mask->left);
  mask->height = std::max(0, int(std::ceil(maxY - 1e-9)) - mask->top);
  mask->words = (mask->width + 63) / 64;
  mask->bits.assign(size_t(mask->words) * size_t(mask->height), 0);
  // Each screen pixel takes the picture pixel under its centre.
  double invX = 1.0 / scaleX, invY = 1.0 / scaleY;
  bool any = false;
  for (int row = 0; row < mask->height; ++row) {
    double cy = mask->top + row + 0.5;
    uint64_t* bits = mask->bits.data() + size_t(row) * size_t(mask->words);
    for (int col = 0; col < mask->width; ++col) {
      double cx = mask->left + col + 0.5;
      double px = (c * cx + s * cy) * invX + handleX;
      double py = (-s * cx + c * cy) * invY + handleY;
      if (px < 0 || py < 0 || px >= pixels.width || py >= pixels.height) continue;
      if (pixels.Pixel(int(px), int(py))[3] > 127) {
        bits[col >> 6] |= 1ull << (col & 63);
        any = true;
      }
    }
  }
  return any ? mask : EmptyMask();
}

const std::shared_ptr<const Mask>& MaskFor(const Picture& picture, int frame, const CollisionTransform& at) {
  if (picture.Frames() == 0) return EmptyMask();
  frame = std::clamp(frame, 0, picture.Frames() - 1);
  float rotation = std::fmod(at.rotation, 360.0f);
  if (rotation < 0) rotation += 360.0f;
  if (rotation == 0) rotation = 0; // one key for 0 and -0
  MaskKey key{picture.Serial(), frame, rotation, at.scaleX, at.scaleY};
  auto found = maskCache.find(key);
  if (found != maskCache.end()) return found->second;
  if (maskCache.size() >= MaxCachedMasks) maskCache.clear();
  auto mask = BuildMask(picture.FramePixels(frame), picture.HandleX(), picture.HandleY(), rotation, at.scaleX,
                        at.scaleY);
  return maskCache.emplace(key, std::move(mask)).first->second;
}

// The probe being tested: a mask at a screen position, or a plain box.
struct Probe {
  int x0, y0, x1, y1;
  const Mask* mask; // nullptr: the whole box
};

bool RowRangeSet(const uint64_t* row, int words, int from, int count) {
  for (int done = 0; done < count; done += 64)
    if (Bits64(row, words, from + done) & LowBits(count - done)) return true;
  return false;
}

bool Touches(const Probe& probe, const Entry& entry) {
  int x0 = std::max(probe.x0, entry.x0), x1 = std::min(probe.x1, entry.x1);
  int y0 = std::max(probe.y0, entry.y0), y1 = std::min(probe.y1, entry.y1);
  if (x0 >= x1 || y0 >= y1) return false;
  const Mask* a = probe.mask;
  const Mask* b = entry.mask.get();
  if (!a && !b) return true;
  int count = x1 - x0;
  if (!a || !b) {
    const Mask* mask = a ? a : b;
    int mx = a ? probe.x0 : entry.x0, my = a ? probe.y0 : entry.y0;
    for (int y = y0; y < y1; ++y)
      if (RowRangeSet(mask->Row(y - my), mask->words, x0 - mx, count)) return true;
    return false;
  }
  int aFrom = x0 - probe.x0, bFrom = x0 - entry.x0;
  for (int y = y0; y < y1; ++y) {
    const uint64_t* rowA = a->Row(y - probe.y0);
    const uint64_t* rowB = b->Row(y - entry.y0);
    for (int done = 0; done < count; done += 64) {
      uint64_t both = Bits64(rowA, a->words, aFrom + done) & Bits64(rowB, b->words, bFrom + done);
      if (both & LowBits(count - done)) return true;
    }
  }
  return false;
}

bool TestAndWrite(const Probe& probe, const std::shared_ptr<const Mask>& keep, uint32_t testMask, uint32_t writeMask,
                  CollisionOwner owner, std::vector<CollisionOwner>* hits) {
  bool hit = false;
  if (probe.x0 >= probe.x1 || probe.y0 >= probe.y1) return false;
  size_t firstNew = hits ? hits->size() : 0; // owners found by this call start here
  for (uint32_t bits = testMask; bits; bits &= bits - 1) {
    const Layer& layer = layers[size_t(__builtin_ctz(bits))];
    if (layer.entries.empty() || probe.x1 <= layer.x0 || probe.x0 >= layer.x1 || probe.y1 <= layer.y0 ||
        probe.y0 >= layer.y1)
      continue;
    for (const Entry& entry : layer.entries) {
      if (probe.x1 <= entry.x0 || probe.x0 >= entry.x1 || probe.y1 <= entry.y0 || probe.y0 >= entry.y1) continue;
      // An owner this call already found needs no closer look.
      if (hits && std::find(hits->begin() + long(firstNew), hits->end(), entry.owner) != hits->end()) continue;
      if (!Touches(probe, entry)) continue;
      hit = true;
      if (!hits) break;
      if (std::find(hits->begin(), hits->begin() + long(firstNew), entry.owner) == hits->begin() + long(firstNew))
        hits->push_back(entry.owner);
    }
    if (hit && !hits) break;
  }
  for (uint32_t bits = writeMask; bits; bits &= bits - 1) {
    Layer& layer = layers[size_t(__builtin_ctz(bits))];
    if (layer.entries.empty()) {
      layer.x0 = probe.x0, layer.y0 = probe.y0, layer.x1 = probe.x1, layer.y1 = probe.y1;
    } else {
      layer.x0 = std::min(layer.x0, probe.x0), layer.y0 = std::min(layer.y0, probe.y0);
      layer.x1 = std::max(layer.x1, probe.x1), layer.y1 = std::max(layer.y1, probe.y1);
    }
    layer.entries.push_back(Entry{probe.x0, probe.y0, probe.x1, probe.y1, keep, owner});
  }
  return hit;
}

} // namespace

void ResetCollisions(uint32_t layerMask) {
  for (uint32_t bits = layerMask; bits; bits &= bits - 1) layers[size_t(__builtin_ctz(bits))].entries.clear();
}

bool CollidePicture(const Picture& picture, int frame, const CollisionTransform& at, uint32_t testMask,
                    uint32_t writeMask, CollisionOwner owner, std::vector<CollisionOwner>* hits) {
  if (!testMask && !writeMask) return false;
  const std::shared_ptr<const Mask>& mask = MaskFor(picture, frame, at);
  if (mask->height == 0) return false; // nothing opaque to touch with
  int x = int(std::lround(at.x)), y = int(std::lround(at.y));
  Probe probe{x + mask->left, y + mask->top, x + mask->left + mask->width, y + mask->top + mask->height, mask.get()};
  return TestAndWrite(probe, mask, testMask, writeMask, owner, hits);
}

bool CollideRect(float x, float y, float w, float h, uint32_t testMask, uint32_t writeMask, CollisionOwner owner,
                 std::vector<CollisionOwner>* hits) {
  if (!(w > 0) || !(h > 0)) return false;
  int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  int x1 = std::max(x0 + 1, int(std::ceil(x + w))), y1 = std::max(y0 + 1, int(std::ceil(y + h)));
  Probe probe{x0, y0, x1, y1, nullptr};
  static const std::shared_ptr<const Mask> wholeBox;
  return TestAndWrite(probe, wholeBox, testMask, writeMask, owner, hits);
}

} // namespace platform
