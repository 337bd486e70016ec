#pragma once
#include "platform/Picture.h"

#include <cstdint>
#include <memory>
#include <string>

// One named picture of the game: the decoded frames plus the frame size and
// where its drawing handle sits. Shared by every bank, sprite and card that
// shows it. `name` is the upper-case lookup key the banks file it under.
class TGameImage {
public:
  std::string name;
  std::shared_ptr<platform::Picture> image;
  int32_t w = 0, h = 0;       // one frame in pixels
  float w2 = 0, h2 = 0;       // integer halves of w and h
  int32_t midhandled = 0;     // 1: handle at the frame centre, 0: top-left corner
  int32_t tag = 0;            // free for callers

  // Loading: the file name is looked up in the pack set (PakFiles) first, then
  // the path on disk; a missing or undecodable file is fatal ("Error loading bitmap " / "Error loading anim bitmap " + path).
  void Load(const std::string& path, int flags, int midHandle);
  void LoadAnim(const std::string& path, int cellWidth, int cellHeight, int firstCell, int cellCount, int flags,
                int midHandle);
  static std::shared_ptr<TGameImage> Create(const std::string& path, int flags, int midHandle);
  static std::shared_ptr<TGameImage> CreateAuto(const std::string& path, int cellWidth, int cellHeight,
                                                int firstCell, int cellCount, int flags, int midHandle);
  // Wraps an already decoded picture under `name` as given.
  static std::shared_ptr<TGameImage> CreateFromImage(std::shared_ptr<platform::Picture> image,
                                                     const std::string& name, int midHandle);

  // Size and handle.
  void GetSize();
  void MidHandle(int flag);

  // Memory use in bytes (RAM: w x h x 4 x frames; VRAM: sides rounded up to powers of two).
  int32_t CalcRAM() const;
  int32_t CalcVRAM() const;
  void Precache();
};

// Upper-case of ASCII letters only; every other byte is kept (8-bit names).
std::string UpperCaseName(const std::string& text);
