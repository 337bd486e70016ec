// Feeds arbitrary bytes to the game-text parser. A bad header is an ordinary
// reported error (the handler below turns it into an exception); anything
// else the sanitizers catch is a fault.
#include "platform/ErrorReport.h"
#include "resources/TGameText.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {
struct ReportedError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
[[noreturn]] void Throw(const std::string& message, int) { throw ReportedError(message); }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetErrorHandler(&Throw);
  TGameText table;
  try {
    table.Parse(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const ReportedError&) {
  }
  // Every stored key must be found again, and joining never reads past a line.
  for (const auto& [key, lines] : table.Map) {
    const std::string joined = table.FindString(key);
    size_t total = lines.empty() ? 0 : (lines.size() - 1) * 2;
    for (const auto& line : lines) total += line.size();
    if (joined.size() != total) __builtin_trap();
  }
  return 0;
}
