#pragma once
#include "SoakVariant.h"

#include <memory>

class TGameModeEditor;

// The layout editor for the soak: one game builds a layout by left clicks
// (on the grid, or off it with Shift), right clicks that take cards away and
// Ctrl turns of the angle, saves it once it may be saved and loads it back.
// It is won when the loaded layout is the one saved. Every card inside the
// editing area, each click placing or removing at most one.
class EditorSoak : public SoakVariant {
public:
  explicit EditorSoak(SoakWorld& world);

protected:
  TGameMode& Mode() override;
  std::string LayoutOf(int) const override { return ""; }
  void Seed(uint32_t seed) override;
  bool Busy() override { return false; }
  std::string Table() override;
  void Dealt() override {}
  std::string Check() override;
  int UndoCount() override { return 0; }
  int Play() override;
  std::string PlayGame() override;

private:
  std::string SaveAndLoad();
  std::shared_ptr<TGameModeEditor> mode_;
};
