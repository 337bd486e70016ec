// Feeds arbitrary bytes to the resource-pack reader. A pack that reads must
// also survive being written again as version 1.1 and read back unchanged;
// one that does not read must leave no items behind. Short streams are
// zero-padded to their declared sizes, so a few bytes may read as tens of
// megabytes: text is decoded from items up to 64 KiB and the rewrite is
// checked for packs up to 16 MiB, which keeps every run fast.
#include "resources/PakWriter.h"
#include "resources/TPakFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPakFile pak;
  ByteReader in(data, size);
  std::string error;
  if (!pak.ReadFromStream(in, &error)) {
    Check(pak.Items.empty() && !error.empty());
    return 0;
  }
  size_t total = 0;
  for (const auto& item : pak.Items) {
    total += item->Data.size();
    if (item->Data.size() <= (64u << 10)) item->GetText();
  }
  if (total > (16u << 20)) return 0;
  std::vector<PakWriterItem> items;
  // The items' bytes move into the rewrite (not copied: they may be megabytes).
  for (const auto& item : pak.Items) items.push_back({item->Name, item->VarType, std::move(item->Data)});
  std::vector<uint8_t> rewritten;
  Check(BuildPak11(items, rewritten, &error, 1));
  TPakFile again;
  ByteReader in2(rewritten.data(), rewritten.size());
  Check(again.ReadFromStream(in2, &error));
  Check(again.Items.size() == pak.Items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    Check(again.Items[i]->Name == items[i].Name);
    Check(again.Items[i]->VarType == items[i].VarType);
    Check(again.Items[i]->Data == items[i].Data);
  }
  return 0;
}
