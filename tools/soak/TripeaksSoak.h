#pragma once
#include "LayoutSoak.h"

#include <map>
#include <memory>
#include <vector>

class TGameModeTripeaks;

// Tri Peaks for the soak over the standard layouts in turn: a click on the
// free layout card one rank from the open card that starts the longest run,
// or a stock turn. Layout cards only
// leave the table, the stock keeps every card it was dealt.
class TripeaksSoak : public LayoutSoak {
public:
  explicit TripeaksSoak(SoakWorld& world);

protected:
  TGameMode& Mode() override;
  std::string LayoutOf(int index) const override;
  void Seed(uint32_t seed) override;
  bool Busy() override;
  std::string Table() override;
  void Dealt() override;
  std::string Check() override;
  int UndoCount() override;
  std::string SaveExtension() const override { return ".tsave"; }
  int Play() override;

private:
  int RunFrom(const std::shared_ptr<TCard>& card, const std::vector<std::shared_ptr<TCard>>& uncovered,
              std::vector<bool>& used, int depth) const;
  std::shared_ptr<TGameModeTripeaks> mode_;
  std::map<std::string, int> dealt_;
  int stockDealt_ = 0;
};
