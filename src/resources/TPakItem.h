#pragma once
#include "platform/Audio.h"
#include "platform/FontRaster.h"
#include "platform/Picture.h"
#include "platform/Pixmap.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

// One named item of the resource set, held in memory: a pack item (name as
// stored) or a loose file (path relative to the resources folder). `Data` is
// the decompressed content. Every accessor builds a fresh object from `Data`.
class TPakItem {
public:
  TPakItem() = default;
  TPakItem(std::string name, int32_t varType, std::vector<uint8_t> data)
      : Name(std::move(name)), VarType(varType), Data(std::move(data)) {}

  std::string Name;
  int32_t VarType = 0; // content kind, informational only (see VarTypeForName)
  std::vector<uint8_t> Data;

  // Raw forms: the bytes, a shared copy of them, one 8-bit character per
  // byte, and a read stream over them.
  std::vector<uint8_t> GetBinary() const { return Data; }
  std::shared_ptr<std::vector<uint8_t>> GetBank() const;
  std::string GetString() const { return std::string(Data.begin(), Data.end()); }
  std::shared_ptr<std::istream> GetStream() const;
  // Text: a byte-order mark selects UTF-8 or UTF-16, else 8-bit; the result
  // is 8-bit (Latin-1) text, characters above 255 becoming "?".
  std::string GetText() const;

  // Decoded forms; nullptr when the bytes are not of that kind.
  std::shared_ptr<platform::Pixmap> GetPixmap() const;
  std::shared_ptr<platform::Picture> GetImage(int flags) const;
  std::shared_ptr<platform::Picture> GetAnimImage(int cellWidth, int cellHeight, int firstCell, int cellCount,
                                                  int flags) const;
  // Flag 1 makes the sound loop.
  std::shared_ptr<platform::audio::Sound> GetSound(int flags) const;
  std::shared_ptr<platform::audio::Sound> GetAudioSample() const { return GetSound(0); }
  // The TrueType face at the largest pixel height not above `size` it
  // accepts (trying size, size - 1, ... 1). Glyphs are always smoothed, so
  // style flag 4 is accepted as it is.
  std::shared_ptr<platform::RasterFont> GetImageFont(int size, int style) const;

  std::string ToString() const { return Name; }
};

// Content kind from a file name's extension (ASCII case ignored): 1 "txt";
// 2 "png", "jpg", "tga", "bmp"; 3 "ttf"; 4 "wav", "ogg"; 0 anything else.
int32_t VarTypeForName(const std::string& name);

// Text decoding used by GetText: UTF-8 or UTF-16 (either byte order) after a
// byte-order mark, else the bytes as 8-bit characters.
std::string DecodeTextBytes(const std::vector<uint8_t>& bytes);

// Lower case of ASCII letters A-Z only: the resource set's lookup key.
std::string PakLowerCase(const std::string& name);
