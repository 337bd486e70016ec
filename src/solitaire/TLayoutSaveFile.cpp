#include "solitaire/TLayoutSaveFile.h"

#include "solitaire/CardPictures.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Whole-field numbers only: anything else makes the file unreadable.
bool ReadInt(std::string_view text, int64_t& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ReadFloat(std::string_view text, float& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() && std::isfinite(value);
}

// The first `count` comma-separated fields of a line (fewer when it has fewer).
// A saved game has a hundred card lines or more: read them without a list per line.
size_t Fields(std::string_view line, std::string_view* fields, size_t count) {
  size_t found = 0, start = 0;
  while (found < count) {
    const size_t comma = line.find(',', start);
    fields[found++] = line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return found;
}

// Lines split at LF with every CR dropped.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    std::string& line = lines.emplace_back(text, start, end == std::string::npos ? std::string::npos : end - start);
    if (line.find('\r') != std::string::npos) std::erase(line, '\r');
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

class LineReader {
public:
  explicit LineReader(const std::vector<std::string>& lines) : lines_(lines) {}
  bool AtEnd() const { return next_ >= lines_.size(); }
  const std::string& Next() { return lines_[next_++]; }
  // 1: a card; 0: fewer than six fields (skipped); -1: a card line that is no card.
  static int Card(std::string_view line, TLayoutSaveFile::CardLine& card) {
    std::string_view fields[6];
    if (Fields(line, fields, 6) < 6) return 0;
    int64_t v[5];
    for (int i = 0; i < 5; ++i)
      if (!ReadInt(fields[i], v[i]) || v[i] < INT32_MIN || v[i] > INT32_MAX) return -1;
    if (!ReadFloat(fields[5], card.angle)) return -1;
    card.x = int32_t(v[0]), card.y = int32_t(v[1]);
    card.suit = int32_t(v[2]), card.number = int32_t(v[3]), card.opened = int32_t(v[4]);
    return 1;
  }
  // Card lines up to a "-" line (consumed) or the end.
  bool Cards(std::vector<TLayoutSaveFile::CardLine>& cards) {
    while (!AtEnd()) {
      const std::string& line = Next();
      if (line == "-") return true;
      TLayoutSaveFile::CardLine card;
      const int result = Card(line, card);
      if (result < 0) return false;
      if (result > 0) cards.push_back(card);
    }
    return true;
  }

private:
  const std::vector<std::string>& lines_;
  size_t next_ = 0;
};

bool ReadPosition(LineReader& reader, TLayoutSaveFile::Position& position, bool openCardLine, bool toTheEnd) {
  if (reader.AtEnd()) return false;
  int64_t stockPosition = 0;
  if (!ReadInt(reader.Next(), stockPosition) || stockPosition < INT32_MIN || stockPosition > INT32_MAX) return false;
  position.StockPosition = int32_t(stockPosition);
  if (reader.AtEnd() || reader.Next() != "-") return false;
  if (!reader.Cards(position.Stock)) return false;
  if (openCardLine) {
    if (reader.AtEnd()) return false;
    const int open = LineReader::Card(reader.Next(), position.OpenCard);
    if (open < 0) return false;
    position.HasOpenCard = open > 0;
    if (reader.AtEnd() || reader.Next() != "-") return false;
  }
  if (!reader.Cards(position.Layout)) return false;
  // The first position ends at its "-"; the second runs to the end of the file.
  return toTheEnd ? reader.AtEnd() : true;
}

void AppendCard(std::string& text, const TLayoutSaveFile::CardLine& card) {
  text += std::to_string(card.x) + "," + std::to_string(card.y) + "," + std::to_string(card.suit) + "," +
          std::to_string(card.number) + "," + std::to_string(card.opened) + "," +
          TCardLayoutFile::FormatAngle(card.angle) + "\r\n";
}

void AppendPosition(std::string& text, const TLayoutSaveFile::Position& position, bool openCardLine, bool last) {
  text += std::to_string(position.StockPosition) + "\r\n-\r\n";
  for (const auto& card : position.Stock) AppendCard(text, card);
  text += "-\r\n";
  if (openCardLine) {
    if (position.HasOpenCard) AppendCard(text, position.OpenCard);
    else text += "\r\n"; // no open card: an empty line, which reads back as none
    text += "-\r\n";
  }
  for (const auto& card : position.Layout) AppendCard(text, card);
  if (!last) text += "-\r\n";
}

bool ValidCard(const TLayoutSaveFile::CardLine& card) {
  if (card.suit < 0 || card.suit > 4 || card.number < 0 || card.number > 13) return false;
  if ((card.suit == 0) != (card.number == 0)) return false;
  if (card.opened != 0 && card.opened != 1) return false;
  return card.x >= -TLayoutSaveFile::MaxCoordinate && card.x <= TLayoutSaveFile::MaxCoordinate &&
         card.y >= -TLayoutSaveFile::MaxCoordinate && card.y <= TLayoutSaveFile::MaxCoordinate;
}

bool ValidPosition(const TLayoutSaveFile::Position& position, int32_t decks) {
  const int64_t count = int64_t(position.Stock.size());
  if (position.StockPosition < -1 || position.StockPosition > count - 1) return false;
  if (count + int64_t(position.Layout.size()) > 52 * int64_t(decks)) return false;
  int32_t copies[52] = {};
  for (const auto* cards : {&position.Stock, &position.Layout})
    for (const auto& card : *cards) {
      if (!ValidCard(card)) return false;
      if (card.suit == 0) continue;
      if (++copies[(card.suit - 1) * 13 + card.number - 1] > decks) return false;
    }
  return !position.HasOpenCard || ValidCard(position.OpenCard);
}

} // namespace

int32_t TLayoutSaveFile::Decks() const {
  const size_t layout = Original.Layout.size();
  return layout == 0 ? 1 : int32_t((layout + 51) / 52);
}

int32_t TLayoutSaveFile::IsValid() const {
  if (ElapsedMs < 0 || Score < 0 || Score > INT32_MAX) return 0;
  const int32_t decks = Decks();
  return ValidPosition(Original, decks) && ValidPosition(Current, decks) ? 1 : 0;
}

std::string TLayoutSaveFile::Format() const {
  std::string text = std::string(Header) + "\r\n";
  text += std::to_string(ElapsedMs) + "\r\n" + std::to_string(Score) + "\r\n";
  AppendPosition(text, Original, OpenCardLine, false);
  AppendPosition(text, Current, OpenCardLine, true);
  return text;
}

int32_t TLayoutSaveFile::Parse(const std::string& text) {
  if (int64_t(text.size()) > MaxBytes) return 0;
  const auto lines = Lines(text);
  LineReader reader(lines);
  TLayoutSaveFile file(Header, OpenCardLine);
  if (reader.AtEnd()) return 0;
  reader.Next(); // the header, whatever it says
  if (reader.AtEnd() || !ReadInt(reader.Next(), file.ElapsedMs)) return 0;
  if (reader.AtEnd() || !ReadInt(reader.Next(), file.Score)) return 0;
  if (!ReadPosition(reader, file.Original, OpenCardLine, false) || !ReadPosition(reader, file.Current, OpenCardLine, true))
    return 0;
  if (!file.IsValid()) return 0;
  *this = std::move(file);
  return 1;
}

TLayoutSaveFile::CardLine TLayoutSaveFile::LineOf(const TCard& card) {
  CardLine line;
  auto whole = [](float v) { return std::isfinite(v) ? int32_t(std::clamp(v, -1.0e5f, 1.0e5f)) : 0; };
  line.x = whole(card.x), line.y = whole(card.y);
  line.suit = card.CardSuit, line.number = card.CardNumber, line.opened = card.Opened ? 1 : 0;
  line.angle = card.RotationAngle;
  return line;
}

std::shared_ptr<TCard> TLayoutSaveFile::CardFrom(TCardList* list, const CardLine& line) {
  const auto& back = GetCardPicture(CardPicture::Back1);
  if (list) return list->AddNew(float(line.x), float(line.y), back, line.suit, line.number, line.opened, line.angle);
  auto card = TCard::Create(back, float(line.x), float(line.y));
  card->CardSuit = line.suit, card->CardNumber = line.number, card->Opened = line.opened;
  card->RotationAngle = line.angle;
  card->UpdateCardImage();
  return card;
}
