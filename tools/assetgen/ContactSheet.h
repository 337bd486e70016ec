#pragma once
#include "AssetSet.h"
#include "Fonts.h"

#include <string>
#include <vector>

// Review sheets: every generated picture of a group laid out on a
// checkerboard with its file name under it, one PNG per group.
namespace assetgen {

// Writes "<base>-<group>.png" for every group beside `file` ("x/sheet.png"
// gives "x/sheet-cards.png", ...) and the whole-screen "<base>-preview.png";
// returns the files written.
std::vector<std::string> WriteContactSheets(const AssetSet& assets, const Fonts& fonts, const std::string& file);

} // namespace assetgen
