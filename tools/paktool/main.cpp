// paktool: the command-line face of the pack writer and reader.
//
//   paktool pack <folder> <out.pak>     every file under <folder>, version 1.1
//   paktool list <file.pak>             name, kind and size of each item
//   paktool extract <file.pak> <folder> writes every item below <folder>
#include "platform/ErrorReport.h"
#include "platform/Files.h"
#include "resources/PakWriter.h"
#include "resources/TPakFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: paktool pack <folder> <out.pak>\n"
               "       paktool list <file.pak>\n"
               "       paktool extract <file.pak> <folder>\n");
  return 2;
}

// Pack errors are printed, never fatal, so one bad pack ends the command
// with a clear message.
void PrintError(const std::string& message, int /*fatal*/) { std::fprintf(stderr, "paktool: %s\n", message.c_str()); }

std::shared_ptr<TPakFile> Open(const std::string& path) {
  if (!platform::FileExists(path)) {
    std::fprintf(stderr, "paktool: cannot open %s\n", path.c_str());
    return nullptr;
  }
  return TPakFile::Create(path);
}

// Item names come from the pack: refuse anything that would escape the
// target folder.
bool SafeRelativeName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string::npos) end = name.size();
    const std::string part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string::npos) return false;
    start = end + 1;
  }
  return true;
}

int Pack(const std::string& folder, const std::string& out) {
  std::vector<PakWriterItem> items;
  std::string error;
  if (!CollectPakItems(folder, items, &error) || !WritePak11(out, items, &error)) {
    std::fprintf(stderr, "paktool: %s\n", error.c_str());
    return 1;
  }
  std::printf("packed %zu items into %s\n", items.size(), out.c_str());
  return 0;
}

int List(const std::string& path) {
  const auto pak = Open(path);
  if (!pak) return 1;
  for (const auto& item : pak->Items) std::printf("%10zu  %d  %s\n", item->Data.size(), item->VarType, item->Name.c_str());
  std::printf("%zu items\n", pak->Items.size());
  return 0;
}

int Extract(const std::string& path, const std::string& folder) {
  const auto pak = Open(path);
  if (!pak) return 1;
  const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  int failures = 0;
  for (const auto& item : pak->Items) {
    if (!SafeRelativeName(item->Name)) {
      std::fprintf(stderr, "paktool: skipping unsafe item name \"%s\"\n", item->Name.c_str());
      ++failures;
      continue;
    }
    const std::string target = base + item->Name;
    const size_t slash = target.rfind('/');
    if (slash != std::string::npos && slash > 0) platform::CreateFolders(target.substr(0, slash));
    if (!platform::WriteFileAtomic(target, item->Data.data(), item->Data.size())) {
      std::fprintf(stderr, "paktool: cannot write %s\n", target.c_str());
      ++failures;
    }
  }
  std::printf("extracted %zu items into %s\n", pak->Items.size() - size_t(failures), base.c_str());
  return failures ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
  SetErrorHandler(PrintError);
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "pack" && argc == 4) return Pack(argv[2], argv[3]);
  if (command == "list" && argc == 3) return List(argv[2]);
  if (command == "extract" && argc == 4) return Extract(argv[2], argv[3]);
  return Usage();
}
