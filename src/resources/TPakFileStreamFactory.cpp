#include "resources/TPakFileStreamFactory.h"

std::shared_ptr<std::istream> TPakFileStreamFactory::CreateStream(const std::string& /*url*/,
                                                                  const std::string& protocol,
                                                                  const std::string& path, bool /*readable*/,
                                                                  bool writeable) const {
  if (protocol != Protocoll || writeable || !PakMan) return nullptr;
  const auto item = PakMan->GetItem(path);
  return item ? item->GetStream() : nullptr;
}
