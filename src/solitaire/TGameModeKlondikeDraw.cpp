// Drawing the Klondike table: foundations, free columns, the deal, the
// tableau, the stock, the dragged run, score pop-ups, "No Moves Left" and the
// auto-complete button.
#include "solitaire/TGameModeKlondike.h"

#include "app/VQMouse.h"
#include "platform/Graphics.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "solitaire/CardPictures.h"
#include "app/TAnimation.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"
#include "solitaire/TState.h"
#include "solitaire/TStock.h"
#include "ui/TButton.h"
#include "ui/TextDraw.h"

#include <vector>

namespace {

void DrawNamed(const char* name, float x, float y) {
  if (!Images) return;
  if (const auto image = Images->Find(name); image && image->image)
    platform::DrawPicture(*image->image, float(int32_t(x)), float(int32_t(y)), 0);
}

} // namespace

int32_t TGameModeKlondike::Draw() {
  const TAnimation* h1 = Hint1Animation.get();
  const TAnimation* h2 = Hint2Animation.get();
  for (const auto& place : Foundation) place->DrawFoundationCard(DraggingCards.get(), *this, h1, h2);
  DrawEmptyColumnCards();
  if (DoingDealAnimation && !DealAnimationFinished) {
    DrawDealAnimation();
    return 1;
  }
  DrawPlayingCards(1);
  Stock->Draw();
  if (DraggingCards) DrawDraggingCards(*DraggingCards);
  DrawScorePopup();
  if (!IsGameFinished()) DrawHelpMessage();
  DrawAutoComplete();
  return 1;
}

int32_t TGameModeKlondike::DrawEmptyColumnCards() {
  if (FadeOutAnimation && FadeOutAnimation->Finished) return 0;
  if (FadeOutAnimation && FadeOutAnimation->Active) platform::SetAlpha(FadeOutAnimation->GetRatio());
  const auto dragged = DraggingCards ? DraggingCards->First() : nullptr;
  for (const auto& place : EmptyColumnCard)
    place->DrawEmptyCard(place->x, place->y, 0, dragged, this, 0, 0, Hint1Animation.get(), Hint2Animation.get());
  platform::SetAlpha(1);
  return 1;
}

int32_t TGameModeKlondike::DrawDealAnimation() {
  if (CardBackground >= 1 && CardBackground <= 6)
    if (const auto& back = GetCardPicture(CardPicture(int(CardPicture::Back1) + CardBackground - 1)); back && back->image)
      platform::DrawPicture(*back->image, TStock::StockX, TStock::StockY, 0);
  for (int32_t i = 0; i <= DealNumber && i < Cards->Count(); ++i) {
    const auto& card = Cards->Items()[size_t(i)];
    if (card->Opened)
      card->DrawOpenedCard(0, card->x, card->y, 0, 0, nullptr, nullptr);
    else
      card->DrawClosedCard(0, card->x, card->y, nullptr, nullptr, CardBackground);
  }
  return 1;
}

int32_t TGameModeKlondike::DrawPlayingCards(int32_t mouseOver) {
  const TAnimation* h1 = Hint1Animation.get();
  const TAnimation* h2 = Hint2Animation.get();
  static thread_local std::vector<TCard*> flying; // drawn over the rest; kept to spare an allocation per frame
  flying.clear();
  auto drawCard = [&](TCard& card, bool glow) {
    if (card.Opened)
      card.DrawOpenedCard(glow ? 1 : 0, card.x, card.y, 0, 0, h1, h2);
    else
      card.DrawClosedCard(0, card.x, card.y, h1, h2, CardBackground);
  };
  for (int32_t i = 0; i < Cards->Count(); ++i) {
    TCard& card = *Cards->Items()[size_t(i)];
    if (card.Dragging) continue;
    if (card.IsMoving) {
      flying.push_back(&card);
      continue;
    }
    drawCard(card, mouseOver && i == LastPlayingCardMouseOverPosition);
  }
  for (TCard* card : flying) drawCard(*card, false);
  return 1;
}

int32_t TGameModeKlondike::DrawDraggingCards(const TCardList& cards) {
  if (!GameMouse) return 0;
  const float x = float(GameMouse->x + DraggingOffsetX);
  float y = float(GameMouse->y + DraggingOffsetY);
  for (const auto& card : cards) {
    card->DrawOpenedCard(0, x, y, 0, 0, Hint1Animation.get(), Hint2Animation.get());
    y += StackStep;
  }
  return 1;
}

int32_t TGameModeKlondike::DrawScorePopup() {
  if (!ScoreAnimation || !ScoreAnimation->Active) return 0;
  const float r = ScoreAnimation->GetRatio();
  const bool plus = ScorePoints > 0;
  const char* name = plus ? "scoreplus" : ScorePoints == -60 ? "scoreminus1" : "scoreminus2";
  const float x = plus ? float(ScorePlusX) : 225.0f;
  const float baseY = plus ? float(ScorePlusY) : 575.0f;
  if (ScoreAnimation->CurrentPhase == 0) {
    DrawNamed(name, x, baseY - (50 - 50 * r));
  } else {
    platform::SetAlpha(r);
    DrawNamed(name, x, baseY - (100 - 50 * r));
    platform::SetAlpha(1);
  }
  return 1;
}

int32_t TGameModeKlondike::DrawHelpMessage() {
  if (!ShowsNoMovesLeft()) return 0;
  DrawNamed("helptextback", 400, 422);
  if (GameText) DrawTextLines(GameText->FindString("No Moves Left"), -1, 410, FontOfSize(20), 1, 1);
  return 1;
}

int32_t TGameModeKlondike::DrawAutoComplete() {
  if (AutoCompleteButton) AutoCompleteButton->Draw();
  return 1;
}
