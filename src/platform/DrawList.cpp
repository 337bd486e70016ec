#include "platform/DrawList.h"
#include "platform/Texture.h"
#include "platform/TurnedLight.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

namespace {

// Further than any canvas reaches; keeps coordinates far inside int range.
constexpr float Far = 1 << 24;

int Down(float value) { return int(std::floor(std::clamp(value, -Far, Far))); }
int Up(float value) { return int(std::ceil(std::clamp(value, -Far, Far))); }

PixelRect FromEdges(int left, int top, int right, int bottom) {
  return PixelRect{left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// The smallest pixel rectangle around points, two pixels wider on each side
// so that filtering and the renderers' rounding stay inside.
PixelRect AroundPoints(const float* xy, int count) {
  float left = xy[0], right = xy[0], top = xy[1], bottom = xy[1];
  for (int i = 1; i < count; ++i) {
    left = std::min(left, xy[2 * i]);
    right = std::max(right, xy[2 * i]);
    top = std::min(top, xy[2 * i + 1]);
    bottom = std::max(bottom, xy[2 * i + 1]);
  }
  if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) || !std::isfinite(bottom))
    return PixelRect{-(1 << 24), -(1 << 24), 1 << 25, 1 << 25};
  return FromEdges(Down(left) - 2, Down(top) - 2, Up(right) + 2, Up(bottom) + 2);
}

SDL_Rect ToSdl(const PixelRect& rect) { return SDL_Rect{rect.x, rect.y, rect.w, rect.h}; }

} // namespace

bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return inner.Empty() || (inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
                           inner.y + inner.h <= outer.y + outer.h);
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  if (a.Empty() || b.Empty()) return PixelRect{};
  return FromEdges(std::max(a.x, b.x), std::max(a.y, b.y), std::min(a.x + a.w, b.x + b.w),
                   std::min(a.y + a.h, b.y + b.h));
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return FromEdges(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x + a.w, b.x + b.w),
                   std::max(a.y + a.h, b.y + b.h));
}

namespace {

int64_t AreaOf(const PixelRect& rect) { return rect.Empty() ? 0 : int64_t(rect.w) * int64_t(rect.h); }

// Pixels drawn for nothing when two rectangles are drawn as the box around
// them: up to a little more than a glyph's worth, one rectangle costs less
// than two (each is another pass over the frame's commands).
int64_t JoiningWaste(const PixelRect& a, const PixelRect& b) { return AreaOf(Union(a, b)) - AreaOf(a) - AreaOf(b); }
constexpr int64_t CheapWaste = 32 * 32;

} // namespace

void PixelRegion::Add(const PixelRect& rect) {
  if (rect.Empty()) return;
  PixelRect joined = rect;
  for (bool again = true; again;) {
    again = false;
    for (int i = 0; i < count_; ++i)
      if (!Intersect(rects_[i], joined).Empty() || JoiningWaste(rects_[i], joined) <= CheapWaste) {
        joined = Union(rects_[i], joined);
        Remove(i);
        again = true; // the larger box may now reach others
        break;
      }
  }
  rects_[count_++] = joined;
  if (count_ <= MaxRects) return;
  int first = 0, second = 1;
  for (int i = 0; i < count_; ++i)
    for (int j = i + 1; j < count_; ++j)
      if (JoiningWaste(rects_[i], rects_[j]) < JoiningWaste(rects_[first], rects_[second])) first = i, second = j;
  const PixelRect both = Union(rects_[first], rects_[second]);
  Remove(second); // the higher index first: removing moves the last one down
  Remove(first);
  Add(both);
}

int PixelRegion::Area() const {
  int64_t area = 0;
  for (const PixelRect& rect : *this) area += AreaOf(rect);
  return int(std::min<int64_t>(area, INT32_MAX));
}

bool PixelRegion::Intersects(const PixelRect& rect) const {
  for (const PixelRect& part : *this)
    if (!Intersect(part, rect).Empty()) return true;
  return false;
}

bool PixelRegion::Holds(const PixelRect& rect) const {
  for (const PixelRect& part : *this)
    if (Contains(part, rect)) return true;
  return false;
}


bool DrawCommand::SameAs(const DrawCommand& o) const {
  return kind == o.kind && blend == o.blend && r == o.r && g == o.g && b == o.b && a == o.a && flip == o.flip &&
         clipped == o.clipped && (!clipped || clip == o.clip) && sourced == o.sourced &&
         (!sourced || source == o.source) && x == o.x && y == o.y && w == o.w && h == o.h && angle == o.angle &&
         centreX == o.centreX && centreY == o.centreY && std::equal(quad, quad + 8, o.quad) &&
         textureW == o.textureW && textureH == o.textureH && opaque == o.opaque &&
         textureSerial == o.textureSerial;
}

PixelRect DrawCommand::Bounds() const {
  PixelRect bounds;
  switch (kind) {
  case Kind::Clear: return PixelRect{0, 0, 1 << 24, 1 << 24}; // the whole target, whatever the clip
  case Kind::Copy:
  case Kind::FillRect: {
    const float corners[4] = {x, y, x + w, y + h};
    bounds = AroundPoints(corners, 2);
    break;
  }
  case Kind::CopyEx: {
    // The destination turned about its centre point.
    const float radians = angle * float(M_PI) / 180.0f;
    const float c = std::cos(radians), s = std::sin(radians);
    const float px = x + centreX, py = y + centreY;
    float corners[8];
    const float local[4][2] = {{-centreX, -centreY}, {w - centreX, -centreY}, {w - centreX, h - centreY},
                               {-centreX, h - centreY}};
    for (int i = 0; i < 4; ++i) {
      corners[2 * i] = px + c * local[i][0] - s * local[i][1];
      corners[2 * i + 1] = py + s * local[i][0] + c * local[i][1];
    }
    bounds = AroundPoints(corners, 4);
    break;
  }
  case Kind::Quad: bounds = AroundPoints(quad, 4); break;
  case Kind::Line: {
    const float ends[4] = {x, y, w, h};
    bounds = AroundPoints(ends, 2);
    break;
  }
  case Kind::Point: {
    const float point[2] = {x, y};
    bounds = AroundPoints(point, 1);
    break;
  }
  }
  if (clipped && !clip.Empty()) bounds = Intersect(bounds, clip);
  return bounds;
}

bool DrawCommand::ExactUnderClip() const {
  // How a renderer treats an empty clip is its own affair: never cut such a command.
  if (clipped && clip.Empty()) return false;
  switch (kind) {
  case Kind::Clear:
  case Kind::FillRect:
  case Kind::Point: return true;
  case Kind::Copy:
    // An unscaled copy; a scaled one may sample differently once its edges are cut.
    return w == float(sourced ? source.w : textureW) && h == float(sourced ? source.h : textureH);
  default: return false; // turned pictures, shapes and lines are rasterised from their clipped outline
  }
}

bool DrawCommand::Covers(int width, int height) const {
  if (kind == Kind::Clear) return true;
  if (kind != Kind::Copy && kind != Kind::FillRect) return false;
  if (clipped && !Contains(clip, PixelRect{0, 0, width, height})) return false;
  bool paintsOver = blend == SDL_BLENDMODE_NONE ||
                    (blend == SDL_BLENDMODE_BLEND && a == 255 && (kind == Kind::FillRect || opaque));
  return paintsOver && x <= 0 && y <= 0 && x + w >= float(width) && y + h >= float(height);
}

void DrawList::TextureDeleter::operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }

DrawList::DrawList() : lights_(std::make_unique<TurnedLight>()) {}

DrawList::~DrawList() = default;

void DrawList::Clear() {
  lights_->Clear();
  current_.clear();
  previous_.clear();
  previousValid_ = false;
  prefix_.clear();
  prefixPixels_.reset();
  prefixValid_ = false;
  lastSame_ = -1;
}

void DrawList::Abandon() {
  (void)prefixPixels_.release();
  lights_->Abandon();
  Clear();
}

void DrawList::KeepFrameStarts(bool on) {
  if (on == keepStarts_) return;
  keepStarts_ = on;
  prefix_.clear();
  prefixPixels_.reset();
  prefixValid_ = false;
}

int DrawList::LastCover(const std::vector<DrawCommand>& commands, int width, int height) {
  for (int i = int(commands.size()) - 1; i >= 0; --i)
    if (commands[size_t(i)].Covers(width, height)) return i;
  return -1;
}

PixelRegion DrawList::Changed(int base, int width, int height, int& same) const {
  const PixelRect canvas{0, 0, width, height};
  const int count = int(current_.size()) - base, previousCount = int(previous_.size()) - previousBase_;
  same = 0;
  while (same < count && same < previousCount &&
         current_[size_t(base + same)].SameAs(previous_[size_t(previousBase_ + same)]))
    ++same;
  PixelRegion dirty;
  // Pixels outside every command that differs are painted by the same
  // commands in the same order as last time, over the same cover.
  for (int i = same; i < std::max(count, previousCount); ++i) {
    const DrawCommand* now = i < count ? &current_[size_t(base + i)] : nullptr;
    const DrawCommand* before = i < previousCount ? &previous_[size_t(previousBase_ + i)] : nullptr;
    if (now && before && now->SameAs(*before)) continue;
    if (now) dirty.Add(Intersect(now->Bounds(), canvas));
    if (before) dirty.Add(Intersect(before->Bounds(), canvas));
  }
  if (dirty.Empty()) return dirty;
  // A command that cannot be cut exactly is drawn whole or not at all: the
  // rectangles do not overlap, so the one that holds it is the only one it meets.
  for (bool grown = true; grown;) {
    grown = false;
    for (size_t i = size_t(base); i < current_.size(); ++i) {
      const DrawCommand& command = current_[i];
      if (command.ExactUnderClip()) continue;
      PixelRect bounds = Intersect(command.Bounds(), canvas);
      if (dirty.Intersects(bounds) && !dirty.Holds(bounds)) {
        dirty.Add(bounds);
        grown = true;
      }
    }
  }
  return dirty;
}

bool DrawList::PrefixKept(int base) const {
  if (!prefixValid_ || prefix_.size() > current_.size() - size_t(base)) return false;
  for (size_t i = 0; i < prefix_.size(); ++i)
    if (!current_[size_t(base) + i].SameAs(prefix_[i])) return false;
  return true;
}

void DrawList::DrawPart(SDL_Renderer* renderer, int base, int same, const PixelRegion& dirty, int width,
                        int height) {
  int start = base;
  if (keepStarts_ && same > 0 && !PrefixKept(base) && same == lastSame_) {
    // The same first commands two frames in a row: keep the canvas as they
    // leave it, drawn whole into a texture of its own.
    // In the canvas's own format, so that the kept pixels go back by a plain
    // copy (a new canvas clears the list, and these pixels with it).
    SDL_Texture* canvas = SDL_GetRenderTarget(renderer);
    Uint32 format = SDL_PIXELFORMAT_ARGB8888;
    if (canvas) SDL_QueryTexture(canvas, &format, nullptr, nullptr, nullptr);
    if (!prefixPixels_)
      prefixPixels_.reset(SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, width, height));
    if (canvas && prefixPixels_ && SDL_SetRenderTarget(renderer, prefixPixels_.get()) == 0) {
      SDL_SetTextureBlendMode(prefixPixels_.get(), SDL_BLENDMODE_NONE);
      for (int i = base; i < base + same; ++i) Execute(renderer, current_[size_t(i)], nullptr, Lights());
      SDL_SetRenderTarget(renderer, canvas);
      prefix_.assign(current_.begin() + base, current_.begin() + base + same);
      for (DrawCommand& command : prefix_) command.texture = nullptr; // compared, never drawn
      prefixValid_ = true;
    }
  }
  const bool kept = PrefixKept(base);
  if (kept) start = base + int(prefix_.size());
  for (const PixelRect& part : dirty) {
    size_t next = size_t(start);
    while (next < current_.size() && Intersect(current_[next].Bounds(), part).Empty()) ++next;
    if (kept) {
      if (next < current_.size() && LightOverKept(renderer, current_[next], part)) {
        ++next;
      } else {
        // Unclipped, unscaled and unblended: the kept pixels exactly.
        const SDL_Rect rect = ToSdl(part);
        SDL_RenderSetClipRect(renderer, nullptr);
        SDL_RenderCopy(renderer, prefixPixels_.get(), &rect, &rect);
      }
    }
    const bool whole = part == PixelRect{0, 0, width, height};
    for (size_t i = next; i < current_.size(); ++i)
      if (!Intersect(current_[i].Bounds(), part).Empty())
        Execute(renderer, current_[i], whole ? nullptr : &part, Lights());
  }
}

bool DrawList::LightOverKept(SDL_Renderer* renderer, const DrawCommand& c, const PixelRect& part) {
  TurnedLight* lights = Lights();
  if (!lights || !prefixPixels_ || c.kind != DrawCommand::Kind::Copy || !c.texture || !c.texture->Pixels())
    return false;
  if (c.clipped && c.clip.Empty()) return false; // drawn as the renderer draws it
  const PixelRect clip = c.clipped ? Intersect(c.clip, part) : part;
  if (clip.Empty()) return false;
  return lights->DrawStraight(renderer, c, *c.texture->Pixels(), &clip, prefixPixels_.get(), &part);
}

PixelRegion DrawList::Rasterise(SDL_Renderer* renderer, int width, int height) {
  const PixelRect canvas{0, 0, width, height};
  const int cover = LastCover(current_, width, height);
  const int base = std::max(cover, 0);
  int same = -1;
  PixelRegion dirty = cover >= 0 && previousValid_ ? Changed(base, width, height, same) : PixelRegion(canvas);
  if (dirty.Holds(canvas) && same <= 0) {
    for (size_t i = size_t(base); i < current_.size(); ++i) Execute(renderer, current_[i], nullptr, Lights());
  } else if (!dirty.Empty()) {
    DrawPart(renderer, base, same, dirty, width, height);
  }
  // A frame drawn whole because nothing was kept says nothing of how frames begin.
  if (!dirty.Empty() && same >= 0) lastSame_ = same;
  // Without a cover the canvas now depends on what lay under the frame.
  previousValid_ = cover >= 0;
  previousBase_ = base;
  std::swap(current_, previous_);
  current_.clear();
  return dirty;
}

void DrawList::Execute(SDL_Renderer* renderer, const DrawCommand& c, const PixelRect* limit, TurnedLight* lights) {
  bool clipping = c.clipped && c.kind != DrawCommand::Kind::Clear;
  PixelRect clip = c.clip;
  if (limit && !(c.clipped && c.clip.Empty())) {
    clip = clipping ? Intersect(clip, *limit) : *limit;
    clipping = true;
    if (clip.Empty()) return;
  }
  if (clipping) {
    SDL_Rect rect = ToSdl(clip);
    SDL_RenderSetClipRect(renderer, &rect);
  } else {
    SDL_RenderSetClipRect(renderer, nullptr);
  }
  if (lights && c.texture && c.texture->Pixels()) {
    const PixelRect* within = clipping ? &clip : nullptr;
    if (c.kind == DrawCommand::Kind::CopyEx && lights->Draw(renderer, c, *c.texture->Pixels(), within)) return;
    if (c.kind == DrawCommand::Kind::Copy && lights->DrawStraight(renderer, c, *c.texture->Pixels(), within)) return;
  }
  const auto blend = SDL_BlendMode(c.blend);
  SDL_Texture* texture = c.texture ? c.texture->Handle() : nullptr;
  if (texture) {
    SDL_SetTextureColorMod(texture, c.r, c.g, c.b);
    SDL_SetTextureAlphaMod(texture, c.a);
    SDL_SetTextureBlendMode(texture, blend);
  } else {
    SDL_SetRenderDrawBlendMode(renderer, blend);
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
  }
  const SDL_FRect dest{c.x, c.y, c.w, c.h};
  const SDL_Rect source = ToSdl(c.source);
  switch (c.kind) {
  case DrawCommand::Kind::Clear:
    // A clear ignores the clip: within a limit it is a fill of the limit.
    if (limit) {
      SDL_Rect rect = ToSdl(clip);
      SDL_RenderFillRect(renderer, &rect);
    } else {
      SDL_RenderClear(renderer);
    }
    break;
  case DrawCommand::Kind::Copy:
    if (texture) SDL_RenderCopyF(renderer, texture, c.sourced ? &source : nullptr, &dest);
    break;
  case DrawCommand::Kind::CopyEx: {
    const SDL_FPoint centre{c.centreX, c.centreY};
    if (texture)
      SDL_RenderCopyExF(renderer, texture, c.sourced ? &source : nullptr, &dest, c.angle, &centre,
                        SDL_RendererFlip(c.flip));
    break;
  }
  case DrawCommand::Kind::FillRect: SDL_RenderFillRectF(renderer, &dest); break;
  case DrawCommand::Kind::Quad: {
    const SDL_Color color{c.r, c.g, c.b, c.a};
    SDL_Vertex vertices[4];
    for (int i = 0; i < 4; ++i) {
      vertices[i].position = SDL_FPoint{c.quad[2 * i], c.quad[2 * i + 1]};
      vertices[i].color = color;
      vertices[i].tex_coord = SDL_FPoint{0, 0};
    }
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer, nullptr, vertices, 4, indices, 6);
    break;
  }
  case DrawCommand::Kind::Line: SDL_RenderDrawLineF(renderer, c.x, c.y, c.w, c.h); break;
  case DrawCommand::Kind::Point: SDL_RenderDrawPointF(renderer, c.x, c.y); break;
  }
}

} // namespace platform
