#pragma once
#include "resources/TGameImage.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// Pictures by upper-case name. The game keeps one bank for the interface
// (`Images`) and one per card suit; start-up gives each its folder with SetPath
// and fills it, screens and cards look pictures up with Find.
class TImageBank {
public:
  std::map<std::string, std::shared_ptr<TGameImage>> Map; // upper-case name -> image
  std::string Path;        // folder prefix, ends in "/" once set
  std::string Ext = ".png"; // extension for names given without one

  void SetPath(const std::string& path);

  // Loading: the file is Path + name (its own extension, else Ext); a failed load is fatal.
  // With an alias the image is filed under the upper-case alias instead of its file name.
  void Load(const std::string& name, const std::string& alias = "", int flags = -1, int midHandle = 1);
  void LoadNoMid(const std::string& name, const std::string& alias = "", int flags = -1);
  void LoadAnim(const std::string& name, int cellWidth, int cellHeight, int firstCell, int cellCount,
                int flags = -1, int midHandle = 1);
  void Insert(const std::shared_ptr<TGameImage>& image); // files it under image->name

  // Lookup: Find reports a miss as a fatal error ("Image 'NAME' was Not found in the ImageBank");
  // FindTImage returns nullptr instead.
  std::shared_ptr<TGameImage> Find(const std::string& name) const;
  std::shared_ptr<platform::Picture> FindTImage(const std::string& name) const;

  // Whole kilobytes over all images; Precache uploads every picture now.
  int32_t CalcRAM() const;
  int32_t CalcVRAM() const;
  void Precache();
};

// The game's banks, built empty at start and filled by start-up.
extern std::shared_ptr<TImageBank> Images;
extern std::shared_ptr<TImageBank> HeartsImages;
extern std::shared_ptr<TImageBank> DiamondsImages;
extern std::shared_ptr<TImageBank> SpadesImages;
extern std::shared_ptr<TImageBank> ClubsImages;

// Wraps a decoded picture (a pack item, say) as a TGameImage named upper-case
// `name` and files it in `bank`, or in `Images` when bank is null. A null
// picture is fatal ("Error loading bitmap " + name).
std::shared_ptr<TGameImage> AddImageToBank(std::shared_ptr<platform::Picture> picture, const std::string& name,
                                           int midHandle, TImageBank* bank = nullptr);
