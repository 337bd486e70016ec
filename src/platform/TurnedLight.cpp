#include "platform/TurnedLight.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

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

  pixels_.resize(size_t(patch.w) * size_t(patch.h));
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

  if (!patch_ || patch.w > patchW_ || patch.h > patchH_) {
    const int w = std::max(patchW_, (patch.w + 63) / 64 * 64), h = std::max(patchH_, (patch.h + 63) / 64 * 64);
    patch_.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h));
    if (!patch_) {
      patchW_ = patchH_ = 0;
      return false;
    }
    patchW_ = w;
    patchH_ = h;
    SDL_SetTextureBlendMode(patch_.get(), SDL_BLENDMODE_ADD);
  }
  const SDL_Rect part{0, 0, litRight - litLeft + 1, litBottom - litTop + 1};
  const uint32_t* first = &pixels_[size_t(litTop) * size_t(patch.w) + size_t(litLeft)];
  if (SDL_UpdateTexture(patch_.get(), &part, first, patch.w * 4) != 0) return false;
  const SDL_Rect dest{patch.x + litLeft, patch.y + litTop, part.w, part.h};
  SDL_RenderCopy(renderer, patch_.get(), &part, &dest);
  return true;
}

} // namespace platform
