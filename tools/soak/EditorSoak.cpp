#include "EditorSoak.h"

#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeEditor.h"

EditorSoak::EditorSoak(SoakWorld& world) : SoakVariant(world, "Editor") {
  mode_ = world.Create<TGameModeEditor>();
}

TGameMode& EditorSoak::Mode() { return *mode_; }

void EditorSoak::Seed(uint32_t seed) { mode_->Random.Seed(seed); }

std::string EditorSoak::Table() {
  std::string table;
  for (const auto& card : *mode_->Cards)
    table += std::to_string(int(card->x)) + "," + std::to_string(int(card->y)) + "/" +
             std::to_string(int(card->RotationAngle * 1000)) + (card->Opened ? " " : "* ");
  return table;
}

std::string EditorSoak::Check() {
  for (const auto& card : *mode_->Cards) {
    const bool free = !card->IsAnyCardsOnTop();
    if (free != (card->Opened != 0)) return "a card shows the wrong side at " + std::to_string(int(card->x)) + "," + std::to_string(int(card->y));
  }
  return "";
}

int EditorSoak::Play() {
  const int before = mode_->Cards->Count();
  const double roll = std::uniform_real_distribution<double>(0, 100)(random_);
  if (roll < 70) {
    const bool shift = Chance(20);
    if (shift) world_.HoldKey("Left Shift");
    const int x = std::uniform_int_distribution<int>(0, 799)(random_);
    const int y = std::uniform_int_distribution<int>(0, 599)(random_);
    world_.MoveMouse(x, y);
    world_.Tick();
    const int fits = mode_->IsCardWithinBounds();
    world_.Click(x, y);
    if (shift) world_.ReleaseKey("Left Shift");
    const int expected = before + (fits ? 1 : 0);
    if (mode_->Cards->Count() != expected) return -1;
  } else if (roll < 90) {
    if (mode_->Cards->IsEmpty()) return 1;
    const auto& card = *mode_->Cards->ValueAtIndex(Pick(mode_->Cards->Count()));
    world_.MoveMouse(int(card.x), int(card.y));
    world_.Tick();
    const bool under = mode_->CardUnderPointer() >= 0;
    world_.PressButton(2);
    world_.Tick();
    world_.ReleaseButton(2);
    world_.Tick();
    if (mode_->Cards->Count() != before - (under ? 1 : 0)) return -1;
  } else {
    world_.MoveMouse(400, 300);
    world_.HoldKey("Left Ctrl");
    world_.Tick();
    const int steps = 1 + Pick(8), way = Chance(50) ? 1 : -1;
    for (int i = 1; i <= steps; ++i) {
      world_.MoveMouse(400 + way * 4 * i, 300);
      world_.Tick();
    }
    world_.ReleaseKey("Left Ctrl");
    world_.Tick();
    if (mode_->Cards->Count() != before) return -1;
  }
  return 1;
}

std::string EditorSoak::PlayGame() {
  const int wanted = 10 + Pick(90);
  for (int step = 0; step < 600; ++step) {
    const std::string at = "step " + std::to_string(step) + ": ";
    if (Play() < 0) return at + "a click placed or removed the wrong number of cards";
    ++figures_.moves;
    if (std::string fault = Check(); !fault.empty()) return at + fault;
    if (mode_->Cards->Count() >= wanted && mode_->IsLayoutValid() == 0) return SaveAndLoad();
    if (Chance(0.3)) return ""; // the player leaves the editor unsaved
  }
  return "";
}

// Saves the layout, changes it, loads the file back: the layout saved.
std::string EditorSoak::SaveAndLoad() {
  const std::string path = world_.File("soak.layout");
  const std::string table = Table();
  if (mode_->SaveLayout(path) != 1) return "the layout was not saved: " + mode_->FileMessage;
  ++figures_.saves;
  world_.Click(400, 300);
  if (mode_->LoadLayout(path) != 1) return "the saved layout was refused: " + mode_->FileMessage;
  ++figures_.loads;
  world_.Tick();
  if (Table() != table) return "the loaded layout differs from the saved one";
  ++figures_.won;
  return "";
}
