#pragma once
#include "AssetSet.h"
#include "Fonts.h"

#include <string>
#include <vector>

// The button family of data/menus: rounded emerald buttons with a gold rim
// and a bold ivory caption; "mo" is the same button lit up, "on"/"onmo" the
// selected (gold) state of toggles. Every state of a button has one size.
namespace assetgen {

enum class ButtonKind { Plain, Toggle, Switch, Tile, Arrow };

struct ButtonDef {
  std::string name;    // lower-case file base name
  std::string caption; // text, or for arrows one of "left", "right", "up", "down"
  int width, height;
  ButtonKind kind;
};

enum class ButtonState { Normal, Over, On, OnOver };

class ButtonArt {
public:
  explicit ButtonArt(const Fonts& fonts) : fonts_(fonts) {}
  static const std::vector<ButtonDef>& Definitions();
  void AddAll(AssetSet& out) const;
  std::shared_ptr<Canvas> Render(const ButtonDef& def, ButtonState state) const;

private:
  void Body(cairo_t* cr, const ButtonDef& def, ButtonState state) const;
  void Caption(cairo_t* cr, const ButtonDef& def, ButtonState state) const;
  void TilePicture(cairo_t* cr, const ButtonDef& def) const;
  const Fonts& fonts_;
};

} // namespace assetgen
