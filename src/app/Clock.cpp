#include "app/Clock.h"

#include "platform/System.h"

namespace {
ClockSource& Source() {
  static ClockSource source;
  return source;
}
} // namespace

double AppMillisecs() {
  const ClockSource& source = Source();
  if (source) return source();
  return double(platform::Millisecs());
}

void SetClockSource(ClockSource source) { Source() = std::move(source); }
