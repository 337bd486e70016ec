#include "platform/Files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace platform {

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  int order = strcasecmp(a.c_str(), b.c_str());
  return order != 0 ? order < 0 : a < b; // names differing only in case: a stable order
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// Resolves parts[index..count) below `base` (which ends in "/" or is empty),
// trying the exact spelling first and then every other spelling of each name,
// so "Data/x" and "data/y" can both be found when both folders exist.
bool ResolveParts(const std::vector<std::string>& parts, size_t index, size_t count, const std::string& base,
                  std::string& out) {
  if (index == count) {
    out = base.size() > 1 && base.back() == '/' ? base.substr(0, base.size() - 1) : base;
    if (out.empty()) out = base;
    return true;
  }
  const std::string& part = parts[index];
  bool last = index + 1 == count;
  if (part.empty() || part == "." || part == "..") return ResolveParts(parts, index + 1, count, base + part + "/", out);
  std::vector<std::string> candidates;
  if (Exists(base + part)) candidates.push_back(part);
  if (DIR* dir = opendir(base.empty() ? "." : base.c_str())) {
    std::vector<std::string> others;
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != part && EqualNoCase(name, part)) others.push_back(name);
    }
    closedir(dir);
    std::sort(others.begin(), others.end(), LessNoCase);
    candidates.insert(candidates.end(), others.begin(), others.end());
  }
  for (const std::string& name : candidates) {
    struct stat info {};
    if (!last && (stat((base + name).c_str(), &info) != 0 || !S_ISDIR(info.st_mode))) continue;
    if (ResolveParts(parts, index + 1, count, base + name + "/", out)) return true;
  }
  return false;
}

// What a simulated full disk still takes (negative: no limit).
int64_t diskSpaceLeft = -1;

bool WriteAll(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    if (diskSpaceLeft == 0) {
      errno = ENOSPC;
      return false;
    }
    const size_t chunk = diskSpaceLeft > 0 ? std::min(size, size_t(diskSpaceLeft)) : size;
    ssize_t written = write(fd, bytes, chunk);
    if (written > 0 && diskSpaceLeft > 0) diskSpaceLeft -= written;
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += written;
    size -= size_t(written);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

// `path` opened for reading when it is a regular file of at most `maxBytes`,
// else -1. Opened without blocking, so that a named pipe or a device in the
// data never stalls the game: anything but a regular file is refused unread.
int OpenRegularFile(const std::string& path, int64_t maxBytes, struct stat& info) {
  int fd = open(ResolvePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes) {
    close(fd);
    return -1;
  }
  return fd;
}

template <typename Buffer>
bool ReadInto(const std::string& path, Buffer& out, int64_t maxBytes) {
  out.clear();
  struct stat info {};
  int fd = OpenRegularFile(path, maxBytes, info);
  if (fd < 0) return false;
  out.resize(size_t(info.st_size));
  size_t done = 0;
  bool ok = true;
  while (done < out.size()) {
    ssize_t got = read(fd, &out[done], out.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = false; // the file shrank or could not be read
      break;
    }
    done += size_t(got);
  }
  close(fd);
  if (!ok) out.clear();
  return ok;
}

} // namespace

std::string ResolvePath(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    size_t end = path.find('/', start);
    parts.push_back(path.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::string resolved;
  if (ResolveParts(parts, 0, parts.size(), "", resolved)) return resolved;
  // Only the last name missing: it keeps its spelling inside the resolved
  // folder, so a new file lands beside its differently cased siblings.
  if (parts.size() > 1 && !parts.back().empty() && ResolveParts(parts, 0, parts.size() - 1, "", resolved))
    return resolved + "/" + parts.back();
  return path;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(ResolvePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return stat(ResolvePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool EntryExists(const std::string& path) { return Exists(ResolvePath(path)); }

bool CreateFolder(const std::string& path) {
  if (FolderExists(path)) return true;
  return mkdir(ResolvePath(path).c_str(), 0755) == 0 || (errno == EEXIST && FolderExists(path));
}

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string prefix = path.substr(0, slash);
    if (!FolderExists(prefix) && !CreateFolder(prefix)) return false;
  }
  return CreateFolder(path);
}

bool DeleteFile(const std::string& path) { return unlink(ResolvePath(path).c_str()) == 0; }

int64_t FileSize(const std::string& path) {
  struct stat info {};
  if (stat(ResolvePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return int64_t(info.st_size);
}

std::vector<std::string> ListFolder(const std::string& folder, const std::string& extension, bool foldersToo) {
  std::vector<std::string> names;
  ListFolderChecked(folder, extension, names, foldersToo);
  return names;
}

bool ListFolderChecked(const std::string& folder, const std::string& extension, std::vector<std::string>& names,
                       bool foldersToo) {
  names.clear();
  std::string resolved = ResolvePath(folder);
  DIR* dir = opendir(resolved.empty() ? "." : resolved.c_str());
  if (!dir) return false;
  std::string base = resolved.empty() || resolved.back() == '/' ? resolved : resolved + "/";
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    if (stat((base + name).c_str(), &info) != 0) continue;
    bool isFolder = S_ISDIR(info.st_mode);
    if (isFolder) {
      if (foldersToo && extension.empty()) names.push_back(name);
      continue;
    }
    if (!extension.empty()) {
      // A named pipe, a device or a socket under a file's name is no file of that kind.
      if (!S_ISREG(info.st_mode)) continue;
      size_t dot = name.rfind('.');
      if (dot == std::string::npos || !EqualNoCase(name.substr(dot + 1), extension)) continue;
    }
    names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), LessNoCase);
  return true;
}

bool FolderIdentity(const std::string& path, uint64_t& device, uint64_t& inode) {
  struct stat info {};
  if (stat(ResolvePath(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  device = uint64_t(info.st_dev);
  inode = uint64_t(info.st_ino);
  return true;
}

bool CanReadFile(const std::string& path, int64_t maxBytes) {
  struct stat info {};
  int fd = OpenRegularFile(path, maxBytes, info);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, int64_t maxBytes) {
  return ReadInto(path, out, maxBytes);
}

bool ReadWholeFile(const std::string& path, std::string& out, int64_t maxBytes) {
  return ReadInto(path, out, maxBytes);
}

namespace {

// WriteFileAtomic's temporary files: the target's name, this, and six
// characters chosen by mkstemp.
constexpr char TemporaryMark[] = ".tmp-";
constexpr size_t TemporaryMarkLength = sizeof(TemporaryMark) - 1;

bool IsTemporaryName(const std::string& name) {
  if (name.size() < TemporaryMarkLength + 7) return false;
  const size_t mark = name.size() - 6 - TemporaryMarkLength;
  if (name.compare(mark, TemporaryMarkLength, TemporaryMark) != 0) return false;
  for (size_t i = name.size() - 6; i < name.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

// When this process started, by the wall clock files are stamped with.
const timespec processStartTime = [] {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}();

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

} // namespace

int RemoveStaleTemporaryFiles(const std::string& folder) {
  const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  DIR* dir = opendir(ResolvePath(base.empty() ? "." : base).c_str());
  if (!dir) return 0;
  std::vector<std::string> stale;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat info {};
    if (IsTemporaryName(name) && lstat((base + name).c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        Before(info.st_mtim, processStartTime))
      stale.push_back(name);
  }
  closedir(dir);
  int removed = 0;
  for (const std::string& name : stale)
    if (unlink((base + name).c_str()) == 0) ++removed;
  return removed;
}

void SimulateFullDisk(int64_t bytesLeft) { diskSpaceLeft = bytesLeft < 0 ? -1 : bytesLeft; }

bool WriteFileAtomic(const std::string& path, const void* data, size_t size) {
  std::string target = ResolvePath(path);
  std::string temp = target + TemporaryMark + "XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
  // Keep the permissions of the file being replaced.
  struct stat info {};
  if (ok && stat(target.c_str(), &info) == 0) fchmod(fd, info.st_mode & 07777);
  else if (ok) fchmod(fd, 0644);
  ok = close(fd) == 0 && ok;
  if (!ok || rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& text) {
  return WriteFileAtomic(path, text.data(), text.size());
}

bool CopyFile(const std::string& from, const std::string& to) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(from, bytes)) return false;
  return WriteFileAtomic(to, bytes.data(), bytes.size());
}

bool CreateEmptyFile(const std::string& path) { return WriteFileAtomic(path, nullptr, 0); }

} // namespace platform
