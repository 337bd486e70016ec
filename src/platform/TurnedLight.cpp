#include "platform/TurnedLight.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// Four texels (0xAABBGGRR) mixed by bilinear weights summing to 256.
inline uint32_t Mix(uint32_t t00, uint32_t t10, uint32_t t01, uint32_t t11, uint32_t fx, uint32_t fy) {
  const uint32_t w11 = (fx * fy) >> 8, w10 = fx - w11, w01 = fy - w11, w00 = 256 - fx - fy + w11;
  const uint32_t rb = ((t00 & 0xFF00FFu) * w00 + (t10 & 0xFF00FFu) * w10 + (t01 & 0xFF00FFu) * w01 +
                       (t11 & 0xFF00FFu) * w11) >> 8;
  const uint32_t ga = (((t00 >> 8) & 0xFF00FFu) * w00 + ((t10 >> 8) & 0xFF00FFu) * w10 +
                       ((t01 >> 8) & 0xFF00FFu) * w01 + ((t11 >> 8) & 0xFF00FFu) * w11) >> 8;
  return (rb & 0xFF00FFu) | (ga & 0xFF00FFu) << 8;
}

// x / 255 rounded down, for any product of two bytes.
inline uint32_t Div255(uint32_t x) { return (x * 0x8081u) >> 23; }

// Adds `count` patch pixels (premultiplied, 0xAARRGGBB) to canvas pixels as
// the renderer's additive copy of an opaque patch does, into `out`: each
// colour channel summed and held at 255, the canvas's own alpha kept.
void AddLight(uint32_t* out, const uint32_t* canvas, const uint32_t* patch, int count) {
  int i = 0;
#ifdef __SSE2__
  const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
  for (; i + 4 <= count; i += 4) {
    const __m128i light = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(patch + i)), colours);
    const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(canvas + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_adds_epu8(under, light));
  }
#endif
  for (; i < count; ++i) {
    const uint32_t under = canvas[i], light = patch[i];
    uint32_t sum = under & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
      sum |= std::min((under >> shift & 255u) + (light >> shift & 255u), 255u) << shift;
    out[i] = sum;
  }
}

// A scratch buffer of at least `count` pixels. It never shrinks: lights of
// different sizes drawn in turn would otherwise zero its grown part each time.
uint32_t* Scratch(std::vector<uint32_t>& buffer, size_t count) {
  if (buffer.size() < count) buffer.resize(count);
  return buffer.data();
}

} // namespace

void TurnedLight::TextureDeleter::operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }

void TurnedLight::Clear() {
  for (Source& kept : sources_) kept = Source{};
  patch_.reset();
  patchW_ = patchH_ = 0;
}

const uint32_t* TurnedLight::Padded(const Pixmap& pixels, const PixelRect& source, uint64_t serial) {
  for (Source& kept : sources_)
    if (kept.serial == serial && kept.rect == source) {
      kept.lastUse = ++uses_;
      return kept.texels.data();
    }
  Source* slot = &sources_[0];
  for (Source& kept : sources_)
    if (kept.lastUse < slot->lastUse) slot = &kept;
  const int w = source.w + 2, h = source.h + 2;
  slot->texels.assign(size_t(w) * size_t(h), 0);
  for (int y = 0; y < source.h; ++y)
    for (int x = 0; x < source.w; ++x) {
      const uint8_t* p = pixels.Pixel(source.x + x, source.y + y);
      slot->texels[size_t(y + 1) * size_t(w) + size_t(x + 1)] =
          uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
  slot->serial = serial;
  slot->rect = source;
  slot->lastUse = ++uses_;
  return slot->texels.data();
}

bool TurnedLight::Draw(SDL_Renderer* renderer, const DrawCommand& c, const Pixmap& pixels, const PixelRect* clip) {
  if (c.kind != DrawCommand::Kind::CopyEx || c.blend != int(SDL_BLENDMODE_ADD) || pixels.Empty()) return false;
  SDL_Texture* target = SDL_GetRenderTarget(renderer);
  int targetW = 0, targetH = 0;
  if (!target || SDL_QueryTexture(target, nullptr, nullptr, &targetW, &targetH) != 0) return false;
  if (!(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.w) && std::isfinite(c.h) &&
        std::isfinite(c.angle) && std::isfinite(c.centreX) && std::isfinite(c.centreY)))
    return false;
  if (std::fabs(c.x) > 1e6f || std::fabs(c.y) > 1e6f || c.w > 1e5f || c.h > 1e5f) return false;
  // The whole-pixel destination SDL's software renderer takes.
  const int destX = int(c.x), destY = int(c.y), destW = int(c.w), destH = int(c.h);
  if (destW <= 0 || destH <= 0) return true; // nothing to draw, as SDL draws nothing
  const PixelRect source = c.sourced ? c.source : PixelRect{0, 0, pixels.width, pixels.height};
  if (source.Empty() || source.x < 0 || source.y < 0 || source.x + source.w > pixels.width ||
      source.y + source.h > pixels.height)
    return false;
  const uint64_t serial = c.textureSerial;
  const Uint8 tint[4] = {c.r, c.g, c.b, c.a};
  if ((tint[0] | tint[1] | tint[2]) == 0 || tint[3] == 0) return true; // adds nothing

  // Destination-rectangle coordinates of a canvas point: turned back about
  // the centre, then mirrored; then source texel coordinates (texel centres
  // at half steps).
  const double radians = double(c.angle) * M_PI / 180.0;
  const double cosA = std::cos(radians), sinA = std::sin(radians);
  const double pivotX = destX + double(c.centreX), pivotY = destY + double(c.centreY);
  const double scaleU = double(source.w) / destW, scaleV = double(source.h) / destH;
  const bool flipX = (c.flip & SDL_FLIP_HORIZONTAL) != 0, flipY = (c.flip & SDL_FLIP_VERTICAL) != 0;
  auto toSource = [&](double sx, double sy, double& u, double& v) {
    double qx = c.centreX + cosA * (sx - pivotX) + sinA * (sy - pivotY);
    double qy = c.centreY - sinA * (sx - pivotX) + cosA * (sy - pivotY);
    if (flipX) qx = destW + 1 - qx;
    if (flipY) qy = destH - qy;
    u = source.x + qx * scaleU - 0.5;
    v = source.y + qy * scaleV - 0.5;
  };

  // The canvas rectangle the turned source rectangle covers, one pixel wider
  // for the filter's edge, within the target and the clip.
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  const double corners[4][2] = {{0, 0}, {double(destW), 0}, {double(destW), double(destH)}, {0, double(destH)}};
  for (const auto& corner : corners) {
    const double qx = corner[0] - c.centreX, qy = corner[1] - c.centreY;
    const double sx = pivotX + cosA * qx - sinA * qy, sy = pivotY + sinA * qx + cosA * qy;
    left = std::min(left, sx);
    right = std::max(right, sx);
    top = std::min(top, sy);
    bottom = std::max(bottom, sy);
  }
  PixelRect patch{int(std::floor(left)) - 1, int(std::floor(top)) - 1, 0, 0};
  patch.w = int(std::ceil(right)) + 1 - patch.x;
  patch.h = int(std::ceil(bottom)) + 1 - patch.y;
  patch = Intersect(patch, PixelRect{0, 0, targetW, targetH});
  if (clip) patch = Intersect(patch, *clip);
  if (patch.Empty()) return true;

  // Tint and fade folded into the patch, premultiplied, so that the copy
  // adds exactly what the tinted, faded picture would: colour x tint x
  // alpha x fade, as 16-bit fixed-point factors.
  uint32_t factor[3];
  for (int i = 0; i < 3; ++i)
    factor[i] = uint32_t((uint64_t(tint[i]) * tint[3] * 65536 + 255ull * 255 * 255 / 2) / (255ull * 255 * 255));
  const uint32_t* texels = Padded(pixels, source, serial);

  Scratch(pixels_, size_t(patch.w) * size_t(patch.h));
  double u0, v0, u1, v1, u2, v2;
  toSource(patch.x + 0.5, patch.y + 0.5, u0, v0);
  toSource(patch.x + 1.5, patch.y + 0.5, u1, v1);
  toSource(patch.x + 0.5, patch.y + 1.5, u2, v2);
  const int32_t stepUx = int32_t(std::lround((u1 - u0) * 65536)), stepVx = int32_t(std::lround((v1 - v0) * 65536));
  const double stepUy = u2 - u0, stepVy = v2 - v0;
  // Padded texel coordinates: the source's top-left texel is at (1, 1).
  u0 += 1 - source.x;
  v0 += 1 - source.y;
  const int paddedW = source.w + 2, paddedH = source.h + 2;
  // The part of the patch that adds any light: only that is copied.
  int litLeft = patch.w, litRight = -1, litTop = patch.h, litBottom = -1;
  for (int row = 0; row < patch.h; ++row) {
    int32_t u = int32_t(std::lround((u0 + stepUy * row) * 65536));
    int32_t v = int32_t(std::lround((v0 + stepVy * row) * 65536));
    uint32_t* out = &pixels_[size_t(row) * size_t(patch.w)];
    for (int col = 0; col < patch.w; ++col, u += stepUx, v += stepVx) {
      const int ix = u >> 16, iy = v >> 16;
      if (ix < 0 || iy < 0 || ix >= paddedW - 1 || iy >= paddedH - 1) {
        out[col] = 0;
        continue;
      }
      const uint32_t* t = texels + size_t(iy) * size_t(paddedW) + size_t(ix);
      const uint32_t t00 = t[0], t10 = t[1], t01 = t[paddedW], t11 = t[paddedW + 1];
      if (((t00 | t10 | t01 | t11) >> 24) == 0) {
        out[col] = 0;
        continue;
      }
      const uint32_t mixed = Mix(t00, t10, t01, t11, (uint32_t(u) >> 8) & 255, (uint32_t(v) >> 8) & 255);
      const uint32_t alpha = mixed >> 24;
      const uint32_t r = ((mixed & 255) * alpha * factor[0]) >> 16;
      const uint32_t g = (((mixed >> 8) & 255) * alpha * factor[1]) >> 16;
      const uint32_t b = (((mixed >> 16) & 255) * alpha * factor[2]) >> 16;
      const uint32_t lit = std::min(r, 255u) << 16 | std::min(g, 255u) << 8 | std::min(b, 255u);
      out[col] = 0xFF000000u | lit;
      if (lit != 0) {
        litLeft = std::min(litLeft, col);
        litRight = std::max(litRight, col);
        litTop = std::min(litTop, row);
        litBottom = row;
      }
    }
  }
  if (litRight < 0) return true;

  return AddPatch(renderer, &pixels_[size_t(litTop) * size_t(patch.w) + size_t(litLeft)], patch.w,
                  PixelRect{patch.x + litLeft, patch.y + litTop, litRight - litLeft + 1, litBottom - litTop + 1});
}

namespace {

// One row of an additive copy neither turned nor scaled: each texel tinted
// and faded, then weighed by its own alpha, every step rounded down as the
// renderer's additive blit does, so that the sum is the very pixels it would
// give. Written opaque (0xFFRRGGBB); returns the lights of the row or'ed.
uint32_t StraightLight(const uint8_t* texel, uint32_t* out, int count, uint32_t tintR, uint32_t tintG,
                       uint32_t tintB, uint32_t fade) {
  uint32_t any = 0;
  int col = 0;
#ifdef __SSE2__
  // Four texels at a time in 16-bit lanes, the same steps: (x * 0x8081) >> 23
  // is x / 255 rounded down, and weighing by an alpha of 255 changes nothing.
  const __m128i tint = _mm_set_epi16(short(fade), short(tintB), short(tintG), short(tintR), short(fade),
                                     short(tintB), short(tintG), short(tintR));
  const __m128i by255 = _mm_set1_epi16(short(0x8081)), zero = _mm_setzero_si128();
  auto div255 = [&](__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, by255), 7); };
  auto two = [&](__m128i rgba) { // two texels R G B A -> lights B G R (alpha lane left over)
    const __m128i faded = div255(_mm_mullo_epi16(rgba, tint));
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(faded, 0xFF), 0xFF);
    const __m128i weighed = div255(_mm_mullo_epi16(faded, alpha));
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(weighed, _MM_SHUFFLE(3, 0, 1, 2)), _MM_SHUFFLE(3, 0, 1, 2));
  };
  const __m128i colours = _mm_set1_epi32(0x00FFFFFF), opaque = _mm_set1_epi32(int(0xFF000000u));
  __m128i seen = zero;
  for (; col + 4 <= count; col += 4, texel += 16) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texel));
    const __m128i lights =
        _mm_and_si128(_mm_packus_epi16(two(_mm_unpacklo_epi8(four, zero)), two(_mm_unpackhi_epi8(four, zero))),
                      colours);
    seen = _mm_or_si128(seen, lights);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + col), _mm_or_si128(lights, opaque));
  }
  alignas(16) uint32_t lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), seen);
  any |= lanes[0] | lanes[1] | lanes[2] | lanes[3];
#endif
  for (; col < count; ++col, texel += 4) {
    const uint32_t alpha = Div255(texel[3] * fade);
    uint32_t r = Div255(texel[0] * tintR), g = Div255(texel[1] * tintG), b = Div255(texel[2] * tintB);
    if (alpha < 255) r = Div255(r * alpha), g = Div255(g * alpha), b = Div255(b * alpha);
    const uint32_t light = r << 16 | g << 8 | b;
    out[col] = 0xFF000000u | light;
    any |= light;
  }
  return any;
}

// Whether the renderer's target holds 32-bit pixels the lights are added to
// directly (its format then in `format`).
bool DirectTarget(SDL_Texture* target, Uint32& format) {
  return target && SDL_QueryTexture(target, &format, nullptr, nullptr, nullptr) == 0 &&
         (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888);
}

} // namespace

bool TurnedLight::DrawStraight(SDL_Renderer* renderer, const DrawCommand& c, const Pixmap& pixels,
                               const PixelRect* clip, SDL_Texture* under, const PixelRect* area) {
  if (c.kind != DrawCommand::Kind::Copy || c.blend != int(SDL_BLENDMODE_ADD) || pixels.Empty()) return false;
  if (under && !area) return false;
  SDL_Texture* target = SDL_GetRenderTarget(renderer);
  int targetW = 0, targetH = 0;
  if (!target || SDL_QueryTexture(target, nullptr, nullptr, &targetW, &targetH) != 0) return false;
  if (!(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.w) && std::isfinite(c.h))) return false;
  if (std::fabs(c.x) > 1e6f || std::fabs(c.y) > 1e6f || c.w > 1e5f || c.h > 1e5f) return false;
  const PixelRect source = c.sourced ? c.source : PixelRect{0, 0, pixels.width, pixels.height};
  if (source.Empty() || source.x < 0 || source.y < 0 || source.x + source.w > pixels.width ||
      source.y + source.h > pixels.height)
    return false;
  // The whole-pixel destination the renderer takes; a scaled copy is its own.
  const PixelRect whole{int(c.x), int(c.y), int(c.w), int(c.h)};
  if (whole.w != source.w || whole.h != source.h) return false;
  const bool addsNothing = c.a == 0 || (c.r | c.g | c.b) == 0;
  PixelRect dest = Intersect(whole, PixelRect{0, 0, targetW, targetH});
  if (clip) dest = Intersect(dest, *clip);
  // Over other pixels, a light that adds nothing leaves the copying of them to the caller.
  if (addsNothing || dest.Empty()) return !under;
  const PixelRect region = under ? *area : dest;
  if (under && (region.Empty() || !Contains(PixelRect{0, 0, targetW, targetH}, region) || !Contains(region, dest)))
    return false;
  auto texelAt = [&](int x, int y) { return pixels.Pixel(source.x + x - whole.x, source.y + y - whole.y); };

  // Where the target holds plain 32-bit pixels, the pixels under the light
  // (or `under`'s, for the whole `area`) are read, the light added to them
  // row by row, and the sum written back to the target: the renderer's own
  // additive copy goes through a general per-pixel blitter several times
  // slower. (The caller keeps `dest` inside the clip; reading the target
  // first draws what is waiting to be drawn into it.)
  Uint32 format = 0;
  if (DirectTarget(target, format)) {
    uint32_t* canvas = Scratch(canvas_, size_t(region.w) * size_t(region.h));
    const SDL_Rect read{region.x, region.y, region.w, region.h};
    bool ok = true;
    if (under) {
      ok = SDL_SetRenderTarget(renderer, under) == 0 &&
           SDL_RenderReadPixels(renderer, &read, format, canvas, region.w * 4) == 0;
      if (SDL_SetRenderTarget(renderer, target) != 0) return false;
    } else {
      ok = SDL_RenderReadPixels(renderer, &read, format, canvas, region.w * 4) == 0;
    }
    if (ok) {
      uint32_t* light = Scratch(pixels_, size_t(dest.w));
      uint32_t any = 0;
      for (int y = dest.y; y < dest.y + dest.h; ++y) {
        uint32_t* line = canvas + size_t(y - region.y) * size_t(region.w) + size_t(dest.x - region.x);
        any |= StraightLight(texelAt(dest.x, y), light, dest.w, c.r, c.g, c.b, c.a);
        AddLight(line, line, light, dest.w);
      }
      if (any == 0 && !under) return true;
      if (SDL_UpdateTexture(target, &read, canvas, region.w * 4) == 0) return true;
    }
    if (under) return false;
  } else if (under) {
    return false;
  }

  // Else the whole light is made first and added through a texture.
  Scratch(pixels_, size_t(dest.w) * size_t(dest.h));
  uint32_t any = 0;
  for (int row = 0; row < dest.h; ++row)
    any |= StraightLight(texelAt(dest.x, dest.y + row), &pixels_[size_t(row) * size_t(dest.w)], dest.w, c.r, c.g,
                         c.b, c.a);
  if (any == 0) return true;
  return AddPatch(renderer, pixels_.data(), dest.w, dest);
}

bool TurnedLight::AddPatch(SDL_Renderer* renderer, const uint32_t* first, int stride, const PixelRect& dest) {
  const SDL_Rect to{dest.x, dest.y, dest.w, dest.h};
  // The target's pixels under the patch read back, the light added to them,
  // and the sum written straight back: the renderer's own additive copy goes
  // through a general per-pixel blitter several times slower, and a copy
  // through a texture of the patch's own costs two more passes. (The caller
  // keeps `dest` inside the clip; nothing may be waiting to be drawn into
  // the target, which reading it sees to.)
  SDL_Texture* target = SDL_GetRenderTarget(renderer);
  Uint32 format = 0;
  if (DirectTarget(target, format)) {
    uint32_t* canvas = Scratch(canvas_, size_t(dest.w) * size_t(dest.h));
    if (SDL_RenderReadPixels(renderer, &to, format, canvas, dest.w * 4) == 0) {
      for (int row = 0; row < dest.h; ++row) {
        uint32_t* line = canvas + size_t(row) * size_t(dest.w);
        AddLight(line, line, first + size_t(row) * size_t(stride), dest.w);
      }
      if (SDL_UpdateTexture(target, &to, canvas, dest.w * 4) == 0) return true;
    }
  }
  // Else the light goes through a texture of its own, added by the renderer.
  if (!patch_ || dest.w > patchW_ || dest.h > patchH_) {
    const int w = std::max(patchW_, (dest.w + 63) / 64 * 64), h = std::max(patchH_, (dest.h + 63) / 64 * 64);
    patch_.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h));
    if (!patch_) {
      patchW_ = patchH_ = 0;
      return false;
    }
    patchW_ = w;
    patchH_ = h;
  }
  const SDL_Rect part{0, 0, dest.w, dest.h};
  if (SDL_UpdateTexture(patch_.get(), &part, first, stride * 4) != 0) return false;
  SDL_SetTextureBlendMode(patch_.get(), SDL_BLENDMODE_ADD);
  SDL_RenderCopy(renderer, patch_.get(), &part, &to);
  return true;
}

} // namespace platform
