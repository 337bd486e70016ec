#include "ContactSheet.h"

#include "PreviewSheet.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace assetgen {

namespace {
std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void Checkerboard(cairo_t* cr, int w, int h) {
  for (int y = 0; y < h; y += 8)
    for (int x = 0; x < w; x += 8) {
      bool dark = ((x / 8) + (y / 8)) % 2 == 0;
      cairo_set_source_rgb(cr, dark ? 0.32 : 0.4, dark ? 0.32 : 0.4, dark ? 0.34 : 0.42);
      cairo_rectangle(cr, x, y, 8, 8);
      cairo_fill(cr);
    }
}
} // namespace

std::vector<std::string> WriteContactSheets(const AssetSet& assets, const Fonts& fonts, const std::string& file) {
  std::map<std::string, std::vector<const Asset*>> groups;
  std::vector<std::string> order;
  for (const Asset& a : assets.Items()) {
    if (!a.picture) continue;
    if (!groups.count(a.group)) order.push_back(a.group);
    groups[a.group].push_back(&a);
  }
  std::string stem = file;
  if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".png") == 0) stem.resize(stem.size() - 4);

  std::vector<std::string> written;
  const int sheetWidth = 1640, gap = 10, label = 16;
  for (const std::string& group : order) {
    // Shelf packing: rows of pictures, each cell as wide as its picture or label.
    struct Cell { const Asset* asset; int x, y; };
    std::vector<Cell> cells;
    int x = gap, y = gap, rowHeight = 0;
    for (const Asset* a : groups[group]) {
      int w = std::max(a->picture->Width(), 8 * int(BaseName(a->path).size()) / 2 + 20);
      int h = a->picture->Height() + label;
      if (x + w + gap > sheetWidth && x > gap) {
        x = gap;
        y += rowHeight + gap;
        rowHeight = 0;
      }
      cells.push_back({a, x, y});
      x += w + gap;
      rowHeight = std::max(rowHeight, h);
    }
    int height = y + rowHeight + gap;
    Canvas sheet(sheetWidth, height);
    cairo_t* cr = sheet.Cr();
    Checkerboard(cr, sheetWidth, height);
    for (const Cell& c : cells) {
      cairo_set_source_surface(cr, c.asset->picture->Surface(), c.x, c.y);
      cairo_paint(cr);
      CentredText(cr, fonts, BaseName(c.asset->path), 11, c.x + c.asset->picture->Width() / 2.0,
                  c.y + c.asset->picture->Height() + 8, 0xFFFFFF, 1.0, false);
    }
    std::string name = stem + "-" + group + ".png";
    std::vector<uint8_t> png = sheet.EncodePng();
    std::filesystem::path p(name);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    written.push_back(name);
  }
  WritePreviewSheet(assets, fonts, stem + "-preview.png");
  written.push_back(stem + "-preview.png");
  return written;
}

} // namespace assetgen
