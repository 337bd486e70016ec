#include "solitaire/TCardLayoutFile.h"

#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "resources/TGameText.h"
#include "solitaire/CardPictures.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardList.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const char* const LayoutHeader = "Ostrelle Card Layout";
// Positions in a layout file are held within this many pixels of the origin.
constexpr int64_t MaxLayoutOffset = 100000;

std::string_view NumberText(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}

// Whole pixels of a coordinate relative to the origin, truncated towards zero.
int64_t OffsetOf(float value, int32_t origin) {
  double offset = double(value) - double(origin);
  if (!std::isfinite(offset)) return 0;
  return int64_t(std::clamp(offset, -2.0e9, 2.0e9));
}

} // namespace

std::string TCardLayoutFile::FileMessage(const char* key, const std::string& file) {
  std::string text = GameText ? GameText->FindString(key) : std::string();
  if (text.empty()) text = std::string(key) + " '";
  return text + file + "'";
}

int64_t TCardLayoutFile::LenientInt(std::string_view text) {
  text = NumberText(text);
  int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return !text.empty() && text.front() == '-' ? INT64_MIN : INT64_MAX;
  if (error != std::errc()) return 0;
  (void)end;
  return value;
}

float TCardLayoutFile::LenientFloat(std::string_view text) {
  text = NumberText(text);
  float value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  if (error != std::errc() || !std::isfinite(value)) return 0; // NaN, infinities and overflow turn no card
  return value;
}

std::string TCardLayoutFile::FormatAngle(float degrees) {
  // An angle that is no number is saved as no rotation.
  const float rotation = std::isfinite(degrees) ? degrees : 0.0f;
  char angle[64];
  std::snprintf(angle, sizeof(angle), "%#.9g", double(rotation));
  return angle;
}

std::string TCardLayoutFile::Format(const TCardList& list, int32_t originX, int32_t originY) {
  std::string text = std::string(LayoutHeader) + "\r\n";
  for (const auto& card : list) {
    if (!card) continue;
    text += std::to_string(OffsetOf(card->x, originX)) + "," + std::to_string(OffsetOf(card->y, originY)) + "," +
            FormatAngle(card->RotationAngle) + "\r\n";
  }
  return text;
}

int32_t TCardLayoutFile::Save(const std::string& file, const TCardList& list, int32_t originX, int32_t originY,
                              int32_t failureFatal) {
  if (!platform::WriteFileAtomic(platform::ResolvePath(file), Format(list, originX, originY))) {
    ShowError(FileMessage("Could Not Create File", file), failureFatal ? 1 : 0);
    return 0;
  }
  return 1;
}

int32_t TCardLayoutFile::Parse(const std::string& text, TCardList& list, int32_t originX, int32_t originY) {
  struct Place {
    float x, y, angle;
  };
  std::vector<Place> places;
  std::string line;
  size_t start = text.find('\n'); // line 1 is the header, whatever it holds
  while (start != std::string::npos && start < text.size()) {
    ++start;
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    line.clear();
    for (size_t i = start; i < end; ++i)
      if (text[i] != '\r') line += text[i];
    start = end;
    size_t comma1 = line.find(',');
    if (comma1 == std::string::npos) continue; // fewer than two fields
    size_t comma2 = line.find(',', comma1 + 1);
    std::string_view view(line);
    std::string_view xText = view.substr(0, comma1);
    std::string_view yText = view.substr(comma1 + 1, comma2 == std::string::npos ? std::string::npos : comma2 - comma1 - 1);
    // Two fields carry no angle: such a card lies straight.
    float angle = 0;
    if (comma2 != std::string::npos) {
      size_t comma3 = line.find(',', comma2 + 1);
      angle = LenientFloat(view.substr(comma2 + 1, comma3 == std::string::npos ? std::string::npos : comma3 - comma2 - 1));
    }
    if (int32_t(places.size()) >= MaxCards) return 0;
    const int64_t dx = std::clamp(LenientInt(xText), -MaxLayoutOffset, MaxLayoutOffset);
    const int64_t dy = std::clamp(LenientInt(yText), -MaxLayoutOffset, MaxLayoutOffset);
    places.push_back({float(dx + originX), float(dy + originY), angle});
  }
  list.Clear();
  const auto& back = GetCardPicture(CardPicture::Back1);
  for (const Place& place : places) list.AddNew(place.x, place.y, back, 1, 1, 0, place.angle);
  return 1;
}

int32_t TCardLayoutFile::Load(const std::string& file, TCardList& list, int32_t originX, int32_t originY,
                              int32_t failureFatal) {
  std::string text;
  if (!platform::ReadWholeFile(platform::ResolvePath(file), text, MaxBytes) ||
      !Parse(text, list, originX, originY)) {
    ShowError(FileMessage("Could Not Read File", file), failureFatal ? 1 : 0);
    return 0;
  }
  return 1;
}
