#pragma once
#include "LayoutSoak.h"

#include <map>
#include <memory>

class TGameModeMatching;

// Matching for the soak over the standard layouts in turn: two clicks on a
// free pair of equal rank (layout or open stock cards), or a stock turn.
// Cards only leave the table in pairs of equal rank.
class MatchingSoak : public LayoutSoak {
public:
  explicit MatchingSoak(SoakWorld& world);

protected:
  TGameMode& Mode() override;
  std::string LayoutOf(int index) const override;
  void Seed(uint32_t seed) override;
  bool Busy() override;
  std::string Table() override;
  void Dealt() override;
  std::string Check() override;
  int UndoCount() override;
  std::string SaveExtension() const override { return ".msave"; }
  int Play() override;

private:
  std::shared_ptr<TGameModeMatching> mode_;
  std::map<std::string, int> dealt_;
};
