#pragma once
#include <cstdint>
#include <vector>

// Baseline JPEG encoding of packed RGB rows (deterministic for equal input).
namespace assetgen {

std::vector<uint8_t> EncodeJpegRgb(const std::vector<uint8_t>& rgb, int width, int height, int quality);

} // namespace assetgen
