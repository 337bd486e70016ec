#pragma once
#include <cstdint>
#include <string>
#include <vector>

// File-system helpers. Every data file the game reads goes through
// ResolvePath, which finds a file whatever the case of each path component
// ("Data/graphics/buttonMO.png" finds "data/graphics/buttonmo.png").
namespace platform {

// The existing path matching `path` ignoring case component by component, or
// `path` unchanged when nothing matches. Exact matches are preferred.
std::string ResolvePath(const std::string& path);

bool FileExists(const std::string& path);   // regular file (case-insensitive)
bool FolderExists(const std::string& path); // folder (case-insensitive)
bool EntryExists(const std::string& path);  // anything, even a broken link (case-insensitive)
bool CreateFolder(const std::string& path);  // one level
bool CreateFolders(const std::string& path); // with missing parents
bool DeleteFile(const std::string& path);
int64_t FileSize(const std::string& path);   // -1 when missing

// Names (not paths) of the entries of a folder, sorted ignoring case. With
// `extension` (no dot) only regular files whose extension matches it exactly
// (ignoring case) are listed.
std::vector<std::string> ListFolder(const std::string& folder, const std::string& extension = "",
                                    bool foldersToo = false);
// The same listing into `names`, telling a folder that cannot be opened
// (missing, no permission) apart from an empty one: false and no names.
bool ListFolderChecked(const std::string& folder, const std::string& extension, std::vector<std::string>& names,
                       bool foldersToo = false);

// The device and inode of a folder (links followed): the same pair means the
// same folder, whatever the path. False when `path` is no folder.
bool FolderIdentity(const std::string& path, uint64_t& device, uint64_t& inode);

// Reads a whole regular file; false when it cannot be opened or read, or is
// something else (a folder, a named pipe, a device). `maxBytes`
// bounds what is accepted (a larger file is refused).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, int64_t maxBytes = 512ll << 20);
// Whether ReadWholeFile could open `path` (with the same `maxBytes`), without reading it.
bool CanReadFile(const std::string& path, int64_t maxBytes = 512ll << 20);
bool ReadWholeFile(const std::string& path, std::string& out, int64_t maxBytes = 512ll << 20);

// Crash-safe write: writes a temporary file beside `path`, flushes it to disk
// and renames it over `path`. On failure the old file is untouched.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size);
bool WriteFileAtomic(const std::string& path, const std::string& text);

// Deletes the temporary files WriteFileAtomic leaves in `folder` when the
// process dies mid-write: only names it makes, only older than this process.
// Returns how many went.
int RemoveStaleTemporaryFiles(const std::string& folder);

// A disk that fills up, for tests of what every writer does then: after
// `bytesLeft` more bytes, WriteFileAtomic's writes fail as on a full disk
// (ENOSPC). A negative value (the default) lifts the limit.
void SimulateFullDisk(int64_t bytesLeft);

bool CopyFile(const std::string& from, const std::string& to); // crash-safe
bool CreateEmptyFile(const std::string& path);

} // namespace platform
