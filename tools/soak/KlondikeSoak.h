#pragma once
#include "SoakVariant.h"

#include <memory>

class TGameModeKlondike;

// Klondike for the soak: legal moves read off the table, carried out with
// the pointer (drags and double clicks), stock turns by click or the D key,
// and the auto-complete button when it shows. Every card once on the table.
class KlondikeSoak : public SoakVariant {
public:
  explicit KlondikeSoak(SoakWorld& world);

protected:
  TGameMode& Mode() override;
  std::string LayoutOf(int index) const override;
  void Seed(uint32_t seed) override;
  bool Busy() override;
  std::string Table() override;
  void Dealt() override {}
  std::string Check() override;
  int UndoCount() override;
  std::string SaveExtension() const override { return ".ksave"; }
  int Play() override;

private:
  std::shared_ptr<TGameModeKlondike> mode_;
};
