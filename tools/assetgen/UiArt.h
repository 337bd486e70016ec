#pragma once
#include "AssetSet.h"
#include "Fonts.h"

// Titles, labels and panels of the interface: the screen headers and the
// logo (gold lettering with outline and shadow), the maker's wordmark, the
// translucent dark panels behind dialogs, managers and help strips, the
// score pop-ups and the help illustrations.
namespace assetgen {

class UiArt {
public:
  explicit UiArt(const Fonts& fonts) : fonts_(fonts) {}
  void AddAll(AssetSet& out) const;

  // A translucent dark panel with a thin light border.
  static std::shared_ptr<Canvas> Panel(int w, int h, double radius, uint32_t tint = 0x0A1712, double alpha = 0.8);

private:
  std::shared_ptr<Canvas> Header(const std::string& text, int w, int h, double size) const;
  std::shared_ptr<Canvas> Logo() const;
  std::shared_ptr<Canvas> MakerLogo() const;
  std::shared_ptr<Canvas> Label(const std::string& text, int w, int h) const;
  std::shared_ptr<Canvas> ScorePop(const std::string& text, bool gain) const;
  std::shared_ptr<Canvas> LevelFrame(bool highlight) const;
  std::shared_ptr<Canvas> HelpPicture(int variant) const;
  const Fonts& fonts_;
};

} // namespace assetgen
