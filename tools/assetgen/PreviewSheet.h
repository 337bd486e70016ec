#pragma once
#include "AssetSet.h"
#include "Fonts.h"

#include <string>

// A review sheet of whole screens composed from the generated pictures
// (a Klondike table, the title screen, the play screen, a paused game), to
// judge how the pieces look together at their real places and sizes.
namespace assetgen {

void WritePreviewSheet(const AssetSet& assets, const Fonts& fonts, const std::string& file);

} // namespace assetgen
