#pragma once
#include "app/InputTables.h"
#include "platform/Keys.h"

#include <cstdint>

// The D key turns the stock in every variant, wherever the pointer is.
// A stock reads it once in each tick it takes input, and a variant drops it
// in the ticks its table takes none (the deal): a press acts in the tick it
// was made or not at all, and one made while the stock cannot turn (a card
// still flying, the waste going back) never turns it later, unasked.
namespace stock_key {

constexpr int32_t Code = platform::keys::A + ('D' - 'A');

// 1 when D was pressed since the last read; the press is used up either way.
inline bool Hit() { return KeyHit(Code) == 1; }

} // namespace stock_key
