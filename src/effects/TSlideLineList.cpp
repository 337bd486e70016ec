#include "effects/TSlideLineList.h"

#include "ui/TColor.h"

TSlideLineList::TSlideLineList() : Color(TColor::Create(255, 255, 255)) {}

std::shared_ptr<TSlideLine> TSlideLineList::Add(const std::string& text, float startX, float startY, float endX,
                                                float endY, float lengthMs) {
  auto line = std::make_shared<TSlideLine>();
  line->InitLine(text, startX, startY, endX, endY, lengthMs);
  line->Color = Color;
  Items.push_back(line);
  return line;
}

void TSlideLineList::Start() {
  for (const auto& line : Items) line->Start();
}

void TSlideLineList::Manage() {
  for (const auto& line : Items) line->Manage();
}

void TSlideLineList::Draw() {
  for (const auto& line : Items) line->Draw();
  TColor::Restore();
}

void TSlideLineList::Clear() { Items.clear(); }
