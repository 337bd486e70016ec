// assetgen: paints every picture of the game, copies the font and its licence,
// packs the large pictures and the font into data.pak and synthesises the
// sounds and music: the whole generated part of the data folder. Deterministic: the
// same build gives byte-identical files.
//
//   assetgen --out DIR [--stamp FILE] [--contact-sheet FILE.png]
//            [--fonts DIR] [--licence FILE] [--icons DIR --icon-name NAME]
//
// --icons also writes the desktop's menu icons, DIR/<N>x<N>/apps/NAME.png,
// from the design of the window icon.
#include "AppIcon.h"
#include "AssetSet.h"
#include "AudioGen.h"
#include "ButtonArt.h"
#include "CardExtras.h"
#include "CardFaces.h"
#include "ContactSheet.h"
#include "Fonts.h"
#include "SceneArt.h"
#include "SpriteArt.h"
#include "UiArt.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

namespace {
std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Usage() {
  std::fprintf(stderr, "usage: assetgen [--out DIR] [--stamp FILE] [--contact-sheet FILE.png] "
                       "[--fonts DIR] [--licence FILE] [--icons DIR --icon-name NAME]\n");
  return 2;
}
} // namespace

int main(int argc, char** argv) {
  std::string out, stamp, sheet, icons, iconName;
  std::string fontDir = "/usr/share/fonts/truetype/crosextra";
  std::string licence = "/usr/share/doc/fonts-crosextra-carlito/copyright";
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    std::string value = argv[++i];
    if (arg == "--out") out = value;
    else if (arg == "--stamp") stamp = value;
    else if (arg == "--contact-sheet") sheet = value;
    else if (arg == "--fonts") fontDir = value;
    else if (arg == "--licence") licence = value;
    else if (arg == "--icons") icons = value;
    else if (arg == "--icon-name") iconName = value;
    else return Usage();
  }
  if (out.empty() && sheet.empty()) return Usage();
  if (icons.empty() != iconName.empty()) return Usage();
  try {
    assetgen::Fonts fonts(fontDir);
    assetgen::AssetSet assets;
    assetgen::CardFaces(fonts).AddAll(assets);
    assetgen::CardExtras(fonts).AddAll(assets);
    assetgen::ButtonArt(fonts).AddAll(assets);
    assetgen::UiArt(fonts).AddAll(assets);
    assetgen::SpriteArt().AddAll(assets);
    assetgen::SceneArt(fonts).AddAll(assets);
    assets.AddFile("data/resources/calibri.ttf", ReadFile(fonts.RegularPath()), true);
    assets.AddFile("data/resources/carlito-LICENSE.txt", ReadFile(licence));
    if (!out.empty()) {
      int files = assets.WriteAll(out);
      std::printf("assetgen: %d picture and data files written under %s\n", files, out.c_str());
      if (!GenerateAudio(out)) return 1;
    }
    if (!icons.empty()) {
      assetgen::AssetSet themeIcons;
      assetgen::AppIcon::AddThemeIcons(themeIcons, iconName);
      std::printf("assetgen: %d menu icons written under %s\n", themeIcons.WriteAll(icons), icons.c_str());
    }
    if (!sheet.empty())
      for (const std::string& name : assetgen::WriteContactSheets(assets, fonts, sheet))
        std::printf("assetgen: contact sheet %s\n", name.c_str());
    if (!stamp.empty()) {
      std::ofstream s(stamp, std::ios::trunc);
      s << "ok\n";
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
