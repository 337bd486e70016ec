#include "solitaire/TKlondikeSaveFile.h"

#include "solitaire/CardPictures.h"
#include "solitaire/TCard.h"
#include "solitaire/TCardLayoutFile.h"
#include "solitaire/TCardList.h"
#include "solitaire/TGameModeKlondike.h"
#include "solitaire/TSolitaireUndo.h"
#include "solitaire/TStock.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

constexpr int64_t MaxCoordinate = 100000; // positions are held within this many pixels of the screen

int32_t Pixel(float value) {
  if (!std::isfinite(value)) return 0;
  return int32_t(std::clamp(value, -1.0e9f, 1.0e9f));
}

std::string CardText(const TCard& card) {
  return std::to_string(Pixel(card.x)) + "," + std::to_string(Pixel(card.y)) + "," + std::to_string(card.CardSuit) +
         "," + std::to_string(card.CardNumber) + "," + std::to_string(card.Opened) + "," +
         TCardLayoutFile::FormatAngle(card.RotationAngle) + "\r\n";
}

std::string TableText(const TCardList& cards, const TStock& stock, const std::array<std::shared_ptr<TCard>, 4>& found,
                      const std::array<std::shared_ptr<TCard>, 7>& empty, bool closing) {
  std::string text = std::to_string(stock.Cards ? stock.Cards->CurrentPosition : -1) + "\r\n";
  for (size_t i = 0; i < empty.size(); ++i)
    text += (i ? "," : "") + std::to_string(empty[i] ? empty[i]->HasCardsOnTop : 1);
  text += "\r\n-\r\n";
  for (const auto& place : found) text += place ? CardText(*place) : "0,0,0,0,1,0.00000000\r\n";
  text += "-\r\n";
  if (stock.Cards)
    for (const auto& card : *stock.Cards) text += CardText(*card);
  text += "-\r\n";
  for (const auto& card : cards) text += CardText(*card);
  if (closing) text += "-\r\n";
  return text;
}

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    const size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

int64_t Int(std::string_view text, int64_t low, int64_t high) {
  return std::clamp(TCardLayoutFile::LenientInt(text), low, high);
}

// A card line of five or six fields (a missing angle is 0); false for fewer.
bool ReadCard(std::string_view line, TKlondikeSaveFile::CardLine& card) {
  const auto fields = Split(line);
  if (fields.size() < 5) return false;
  card.x = int32_t(Int(fields[0], -MaxCoordinate, MaxCoordinate));
  card.y = int32_t(Int(fields[1], -MaxCoordinate, MaxCoordinate));
  // Out-of-range values are kept out of range (clamped just past it) so the checks refuse them.
  card.suit = int32_t(Int(fields[2], -1, 5));
  card.rank = int32_t(Int(fields[3], -1, 14));
  card.opened = int32_t(Int(fields[4], -1, 2));
  card.angle = fields.size() >= 6 ? TCardLayoutFile::LenientFloat(fields[5]) : 0.0f;
  return true;
}

bool ValidCard(const TKlondikeSaveFile::CardLine& card, bool place) {
  if (card.suit < 0 || card.suit > 4 || card.rank < 0 || card.rank > 13) return false;
  if ((card.suit == 0) != (card.rank == 0)) return false;
  if (card.opened != 0 && card.opened != 1) return false;
  return place || card.rank != 0; // only places may be empty
}

class Lines {
public:
  explicit Lines(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line;
      for (size_t i = start; i < end; ++i)
        if (text[i] != '\r') line += text[i];
      lines_.push_back(std::move(line));
      start = end + 1;
    }
  }
  bool AtEnd() const { return next_ >= lines_.size(); }
  const std::string& Next() { return lines_[next_++]; }
  const std::string& Peek() const { return lines_[next_]; }

private:
  std::vector<std::string> lines_;
  size_t next_ = 0;
};

// One table; false when the file ends before its fixed lines.
bool ReadTable(Lines& lines, TKlondikeSaveFile::Table& table, bool closed) {
  if (lines.AtEnd()) return false;
  table.P = int32_t(Int(lines.Next(), -2, 1000));
  if (lines.AtEnd()) return false;
  const auto flags = Split(lines.Next());
  if (flags.size() >= 6)
    for (size_t i = 0; i < 7; ++i) table.EmptyColumns[i] = i < flags.size() ? (Int(flags[i], 0, 1) ? 1 : 0) : 1;
  if (lines.AtEnd()) return false;
  lines.Next(); // "-"
  for (size_t i = 0; i < 4; ++i) {
    if (lines.AtEnd()) return false;
    table.HasFoundation[i] = ReadCard(lines.Next(), table.Foundations[i]);
  }
  if (lines.AtEnd()) return false;
  lines.Next(); // "-"
  for (auto* section : {&table.Stock, &table.Tableau}) {
    while (!lines.AtEnd() && lines.Peek() != "-") {
      TKlondikeSaveFile::CardLine card;
      if (ReadCard(lines.Next(), card)) section->push_back(card);
      if (section->size() > 52) return false;
    }
    if (section == &table.Tableau && closed && lines.AtEnd()) return false; // the deal ends with "-"
    if (!lines.AtEnd()) lines.Next();
    else if (section == &table.Stock) return false; // a cut file: no tableau section
  }
  return true;
}

// Every card of the deck exactly once across stock, tableau and foundations
// (a foundation showing rank r holds ranks 1..r of its suit), ranks and suits
// that exist, and P within the stock.
bool ValidTable(const TKlondikeSaveFile::Table& table) {
  bool seen[5][14] = {};
  int32_t count = 0;
  auto take = [&](int32_t suit, int32_t rank) {
    if (seen[suit][rank]) return false;
    seen[suit][rank] = true;
    ++count;
    return true;
  };
  for (size_t i = 0; i < 4; ++i) {
    if (!table.HasFoundation[i]) continue;
    const auto& place = table.Foundations[i];
    if (!ValidCard(place, true)) return false;
    for (int32_t rank = 1; rank <= place.rank; ++rank)
      if (!take(place.suit, rank)) return false;
  }
  for (const auto* section : {&table.Stock, &table.Tableau})
    for (const auto& card : *section)
      if (!ValidCard(card, false) || !take(card.suit, card.rank)) return false;
  if (count != 52) return false;
  return table.P >= -1 && table.P <= int32_t(table.Stock.size()) - 1;
}

} // namespace

std::string TKlondikeSaveFile::Format(const TGameModeKlondike& mode, int64_t elapsedMs, int32_t score) {
  std::string text = std::string(Header) + "\r\n" + std::to_string(elapsedMs) + "\r\n" + std::to_string(score) + "\r\n";
  if (const auto& deal = mode.OriginalPuzzle; deal && deal->Cards && deal->Stock)
    text += TableText(*deal->Cards, *deal->Stock, deal->Foundation, deal->EmptyColumnCard, true);
  else
    text += TableText(*mode.Cards, *mode.Stock, mode.Foundation, mode.EmptyColumnCard, true);
  text += TableText(*mode.Cards, *mode.Stock, mode.Foundation, mode.EmptyColumnCard, false);
  return text;
}

int32_t TKlondikeSaveFile::Parse(const std::string& text) {
  // Every line ends with its line end, the last too: a file without one was cut short.
  if (int64_t(text.size()) > MaxBytes || text.empty() || text.back() != '\n') return 0;
  Lines lines(text);
  if (lines.AtEnd()) return 0;
  lines.Next(); // the header, whatever it says
  if (lines.AtEnd()) return 0;
  TKlondikeSaveFile read;
  read.ElapsedMs = Int(lines.Next(), 0, int64_t(1) << 40);
  if (lines.AtEnd()) return 0;
  read.Score = int32_t(Int(lines.Next(), 0, 2000000000));
  if (!ReadTable(lines, read.Deal, true) || !ReadTable(lines, read.Current, false)) return 0;
  if (!ValidTable(read.Deal) || !ValidTable(read.Current)) return 0;
  *this = std::move(read);
  return 1;
}

void TKlondikeSaveFile::Apply(const Table& table, TGameModeKlondike& mode) {
  mode.Stock->Cards->CurrentPosition = table.P;
  for (size_t i = 0; i < 7; ++i) mode.EmptyColumnCard[i]->HasCardsOnTop = table.EmptyColumns[i];
  for (size_t i = 0; i < 4; ++i) {
    if (!table.HasFoundation[i]) continue;
    const auto& line = table.Foundations[i];
    auto& place = *mode.Foundation[i];
    place.x = float(line.x), place.y = float(line.y);
    place.CardSuit = line.suit, place.CardNumber = line.rank, place.Opened = line.opened;
    place.RotationAngle = line.angle;
    place.UpdateCardImage();
    place.CardType = line.rank != 0 ? 3 : 0;
  }
  const auto& back = GetCardPicture(CardPicture::Back1);
  for (const auto& line : table.Stock)
    mode.Stock->Cards->AddNew(float(line.x), float(line.y), back, line.suit, line.rank, line.opened, line.angle);
  for (const auto& line : table.Tableau)
    mode.Cards->AddNew(float(line.x), float(line.y), back, line.suit, line.rank, line.opened, line.angle);
}
