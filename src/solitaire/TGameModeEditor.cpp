#include "solitaire/TGameModeEditor.h"

#include "app/AppGlobals.h"
#include "app/InputTables.h"
#include "app/VQMouse.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "solitaire/CardPictures.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TLayoutCover.h"
#include "solitaire/TState.h"
#include "ui/TextDraw.h"

#include <algorithm>

namespace {

bool ControlHeld() { return KeyDown(platform::keys::LeftControl) || KeyDown(platform::keys::RightControl); }
bool ShiftHeld() { return KeyDown(platform::keys::LeftShift) || KeyDown(platform::keys::RightShift); }

int32_t PointerX() { return GameMouse ? GameMouse->x : 0; }
int32_t PointerY() { return GameMouse ? GameMouse->y : 0; }

std::string Text(const char* key) { return GameText ? GameText->FindString(key) : std::string(); }

} // namespace

TGameModeEditor::TGameModeEditor() {
  GameType = 1;
  Cards = TCardList::Create();
}

int32_t TGameModeEditor::Clear() {
  if (!Cards) Cards = TCardList::Create();
  Cards->Clear();
  return 1;
}

int32_t TGameModeEditor::Init(const std::string&, int32_t) { return Clear(); }

// ---- Placing -------------------------------------------------------------------

int32_t TGameModeEditor::GetPositionX() const {
  if (IsRotating) return OrgRotationX;
  return UseGrid ? GetGridX(PointerX()) : PointerX();
}

int32_t TGameModeEditor::GetPositionY() const {
  if (IsRotating) return OrgRotationY;
  return UseGrid ? GetGridY(PointerY()) : PointerY();
}

int32_t TGameModeEditor::IsCardWithinBoundsAt(int32_t x, int32_t y) const {
  const float w = float(ScreenWidth), h = float(ScreenHeight);
  const TCard::Rect margins[] = {
      {0, 0, w, float(AreaTop)},
      {0, 0, float(AreaLeft), h},
      {float(AreaRight), 0, w, h},
      {0, float(AreaBottom), w, h},
  };
  return TCard::OutlineTouchesAny(float(x), float(y), Rotation, margins, 4) ? 0 : 1;
}

int32_t TGameModeEditor::IsCardWithinBounds() const {
  if (IsRotating) return 1;
  return IsCardWithinBoundsAt(GetPositionX(), GetPositionY());
}

void TGameModeEditor::UpdatedCards() {
  Cards->UpdateCardsOnTop();
  Cards->UpdateOpenedBasedOnCardsOnTop();
}

int32_t TGameModeEditor::CardUnderPointer() const {
  const auto& items = Cards->Items();
  for (int32_t i = 0; i < int32_t(items.size()); ++i)
    if (items[size_t(i)]->Opened && items[size_t(i)]->IsMouseOver()) return i;
  return -1;
}

void TGameModeEditor::ManageCards() {
  if (!GameMouse || GameMouse->RightClick() != 1) return;
  const int32_t index = CardUnderPointer();
  if (index < 0) return;
  // Kill takes the card out of the list.
  auto card = Cards->ValueAtIndex(index);
  card->Kill();
  UpdatedCards();
}

int32_t TGameModeEditor::Logic() {
  if (!GameState || !GameState->disableButtons) {
    ManageCards();
    // The card goes where the pointer is; it is tested there too, so that a
    // click in the tick Ctrl is let go cannot put a card outside the area. A
    // layout never holds more cards than a layout file may.
    if (GameMouse && GameMouse->LeftClick() == 1 && Cards->Count() < TCardLayoutFile::MaxCards) {
      const int32_t x = UseGrid ? GetGridX(PointerX()) : PointerX();
      const int32_t y = UseGrid ? GetGridY(PointerY()) : PointerY();
      if (IsCardWithinBoundsAt(x, y)) {
        Cards->AddNew(float(x), float(y), GetCardPicture(CardPicture::Back1), 1, 1, 0, Rotation);
        UpdatedCards();
      }
    }
  }
  if (ControlHeld()) {
    const int32_t x = PointerX();
    if (!IsRotating) {
      OrgRotationX = x;
      OrgRotationY = PointerY();
      // Turning starts from where the pointer is now: pressing Ctrl alone turns nothing.
      LastRotationX = x;
    }
    IsRotating = 1;
    CurrentRotationX = x;
    const float step = ShiftHeld() ? 1.0f : 10.0f;
    if (CurrentRotationX > LastRotationX) Rotation += step;
    else if (CurrentRotationX < LastRotationX) Rotation -= step;
    if (Rotation > 360) Rotation = 0;
    if (Rotation < 0) Rotation = 360;
    LastRotationX = CurrentRotationX;
  } else {
    IsRotating = 0;
  }
  UseGrid = ShiftHeld() ? 0 : 1;
  return 1;
}

// ---- The check -----------------------------------------------------------------

int32_t TGameModeEditor::IsLayoutValid() {
  const int32_t count = Cards->Count();
  if (count == 0 || count % 2 != 0) return 1;
  int32_t uncovered = 0;
  for (const auto& card : *Cards)
    if (card->Opened == 1) ++uncovered;
  if (uncovered < 2) return 2;
  // The very generator a Matching game deals with, on the cards' overlaps.
  TLayoutCover cover;
  cover.Compute(*Cards);
  if (!Dealer.Deal(cover, TMatchingDealer::DecksFor(count), Random, 1)) return 3;
  // Tri Peaks turns one stock card to start and needs more to draw: with
  // 52 x n cards (or one fewer) its deals can never be made.
  if (count % 52 == 0 || count % 52 == 51) return 3;
  return 0;
}

// ---- Files ---------------------------------------------------------------------

int32_t TGameModeEditor::SaveLayout(const std::string& path) {
  FileMessage.clear();
  if (!platform::WriteFileAtomic(platform::ResolvePath(path), TCardLayoutFile::Format(*Cards, FileOriginX, FileOriginY))) {
    FileMessage = TCardLayoutFile::FileMessage("Could Not Create File", path);
    return 0;
  }
  return 1;
}

int32_t TGameModeEditor::LoadLayout(const std::string& path) {
  FileMessage.clear();
  std::string text;
  auto loaded = TCardList::Create();
  if (!platform::ReadWholeFile(platform::ResolvePath(path), text, TCardLayoutFile::MaxBytes) ||
      !TCardLayoutFile::Parse(text, *loaded, FileOriginX, FileOriginY)) {
    FileMessage = TCardLayoutFile::FileMessage("Could Not Read File", path);
    return 0;
  }
  Cards = loaded;
  UpdatedCards();
  return 1;
}

// ---- Drawing -------------------------------------------------------------------

void TGameModeEditor::DrawBounds() {
  const float w = float(ScreenWidth), h = float(ScreenHeight);
  const float areaH = float(AreaBottom - AreaTop);
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetRotation(0);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(0.5f);
  platform::DrawRect(0, 0, w, float(AreaTop));
  platform::DrawRect(0, float(AreaBottom), w, h);
  platform::DrawRect(0, float(AreaTop), float(AreaLeft), areaH);
  platform::DrawRect(float(AreaRight), float(AreaTop), w, areaH);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  const float left = float(AreaLeft), top = float(AreaTop);
  const float right = float(AreaRight - 1), bottom = float(AreaBottom - 1);
  platform::DrawLine(left, top, right, top);
  platform::DrawLine(right, top, right, bottom);
  platform::DrawLine(right, bottom, left, bottom);
  platform::DrawLine(left, bottom, left, top);
}

void TGameModeEditor::DrawPlayingCards(int32_t flag) {
  // The card a right click would take lights up.
  const int32_t removable = flag ? CardUnderPointer() : -1;
  const auto& items = Cards->Items();
  for (int32_t i = 0; i < int32_t(items.size()); ++i) {
    TCard& card = *items[size_t(i)];
    if (card.Opened) card.DrawOpenedCard(i == removable, card.x, card.y, 0, 0, nullptr, nullptr);
    else card.DrawClosedCard(0, card.x, card.y, nullptr, nullptr, CardBackground);
  }
}

void TGameModeEditor::DrawTextMessage() {
  // The lines are drawn every frame and made again only when what they say changes.
  const int32_t values[4] = {Cards->Count(), int32_t(Rotation), GetPositionX(), GetPositionY()};
  const void* table = GameText.get();
  if (!texts_.valid || texts_.table != table || !std::equal(values, values + 4, texts_.values)) {
    texts_.valid = true;
    texts_.table = table;
    std::copy(values, values + 4, texts_.values);
    texts_.lines[0] = Text("Editor Message 1") + std::to_string(values[0]);
    texts_.lines[1] = Text("Editor Message 2");
    texts_.lines[2] = Text("Angle Field") + std::to_string(values[1]);
    texts_.lines[3] = "X: " + std::to_string(values[2]);
    texts_.lines[4] = "Y: " + std::to_string(values[3]);
  }
  if (auto font = FontOfSize(20)) SetImageFont(font);
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  DrawTextAligned(texts_.lines[0], 250, 480, 1, 0);
  DrawTextCentreX(texts_.lines[1], 530, 1);
  DrawTextAligned(texts_.lines[2], 25, 445, 1, 0);
  DrawTextAligned(texts_.lines[3], 25, 470, 1, 0);
  DrawTextAligned(texts_.lines[4], 25, 495, 1, 0);
}

int32_t TGameModeEditor::Draw() {
  DrawBounds();
  DrawPlayingCards(1);
  if (IsCardWithinBounds()) {
    const int32_t back = CardBackground >= 1 && CardBackground <= 6 ? CardBackground : 1;
    const auto& preview = GetCardPicture(CardPicture(int(CardPicture::Back1) + back - 1));
    if (preview && preview->image) {
      platform::SetColor(255, 255, 255);
      platform::SetAlpha(1.0f);
      platform::SetRotation(Rotation);
      platform::DrawPicture(*preview->image, float(GetPositionX()), float(GetPositionY()), 0);
      platform::SetRotation(0);
    }
  }
  DrawTextMessage();
  return 1;
}
