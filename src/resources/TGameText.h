#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

// Every sentence the player reads, by upper-case key, from "gametext.txt".
//
// File format: entries of a "[TEXT]" header line (any case), a key line and
// the text lines up to the next line starting with "[" or the end of the file.
// Lines end in "\n" or "\r\n". A header that is not "[TEXT]" is fatal.
//
// Start-up: TGameText::SetFolder(Game.TextPath) once the folders are known,
// then GameText->Read("gametext.txt").
class TGameText {
public:
  std::map<std::string, std::vector<std::string>> Map; // upper-case key -> lines

  // The folder Read looks in (the game's text folder); "" reads `file` as given.
  static void SetFolder(const std::string& folder);
  static const std::string& Folder();

  static std::shared_ptr<TGameText> Create(const std::string& file);
  // Clears the table and reads Folder() + file; a missing file or a bad header is fatal.
  void Read(const std::string& file);
  // Clears the table and parses text already in memory.
  // Returns false (after reporting) on a bad header; whatever came before it is kept.
  bool Parse(const std::string& text);

  // Lookup: an empty list / empty string for a missing key; FindString joins lines with "\r\n".
  const std::vector<std::string>& Find(const std::string& key) const;
  std::string FindString(const std::string& key) const;
};

// The game's text table (empty until start-up reads it).
extern std::shared_ptr<TGameText> GameText;
