#include "effects/TSmashParticle.h"

#include "platform/Picture.h"
#include "resources/TGameImage.h"

std::shared_ptr<TGameImage>& TSmashParticle::Sheet() {
  static std::shared_ptr<TGameImage> sheet;
  return sheet;
}

void TSmashParticle::SetImage(const std::string& path) {
  Sheet() = TGameImage::CreateAuto(path, FrameSize, FrameSize, 0, SheetFrames, platform::picture_flags::All, 1);
}

TSmashParticle TSmashParticle::Create(float x, float y, float zoom, float dx, float dy, float alpha, float r, float g,
                                      float b, float rotationSpeed, float gravityX, float gravityY, float rotation) {
  TSmashParticle particle;
  particle.x = x;
  particle.y = y;
  particle.zoom = zoom;
  particle.dx = dx;
  particle.dy = dy;
  particle.alpha = alpha;
  particle.r = r;
  particle.g = g;
  particle.b = b;
  particle.rotation_speed = rotationSpeed;
  particle.gravityX = gravityX;
  particle.gravityY = gravityY;
  particle.rotation = rotation;
  return particle;
}
