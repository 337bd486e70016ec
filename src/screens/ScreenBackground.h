#pragma once
#include <memory>
#include <string>

class TGameImage;
class TSprite;

// What the game's full-screen pages share: the background picture filling
// the screen (shifted by dx, dy; black without one) and the pulsing header.
void DrawScreenBackground(const std::shared_ptr<TGameImage>& image, float dx = 0, float dy = 0);
// The picture ImagePath + file at (x, y), glowing slowly.
std::shared_ptr<TSprite> CreateGlowingHeader(const std::string& file, float x, float y);
