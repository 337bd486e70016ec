#pragma once
#include "platform/Picture.h"

#include <cstdint>
#include <vector>

// Per-pixel collision layers. A picture's opaque outline (alpha above half) is
// written into one or more numbered layers at a position, rotation and scale,
// tagged with an owner; later a picture or a rectangle is tested against layers
// and reports whether it touches anything, and which owners it touches.
// Layers are bits of a mask: layer 1 is bit 0 (mask 1), layer 2 mask 2, ...
// Tests are pixel-exact on the transformed outline (a card rotated 45 degrees
// does not cover the corners of its unrotated rectangle) with bounding-box
// rejection first and outlines cached per picture, frame, rotation and scale.
namespace platform {

using CollisionOwner = const void*;

struct CollisionTransform {
  float x = 0, y = 0;     // position of the picture's handle
  float rotation = 0;     // degrees, clockwise about the handle
  float scaleX = 1, scaleY = 1;
};

// Empties the layers in `layerMask`.
void ResetCollisions(uint32_t layerMask = 0xFFFFFFFFu);

// Tests the picture against `testMask` (0 tests nothing), appending every owner
// touched to `hits` (when given, each owner once), then writes it into
// `writeMask` with `owner` (0 writes nothing). Returns true when anything was hit.
bool CollidePicture(const Picture& picture, int frame, const CollisionTransform& at,
                    uint32_t testMask, uint32_t writeMask, CollisionOwner owner,
                    std::vector<CollisionOwner>* hits = nullptr);

// The same for an axis-aligned rectangle (x, y top-left, w x h pixels).
bool CollideRect(float x, float y, float w, float h, uint32_t testMask, uint32_t writeMask,
                 CollisionOwner owner, std::vector<CollisionOwner>* hits = nullptr);

} // namespace platform
