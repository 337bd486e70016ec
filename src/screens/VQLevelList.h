#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TGameImage;
class TIniFile;
class TMenu;
class TSineCounter;

// A paged list of layout thumbnails on the Matching and Tri Peaks play
// screens: eight slots per page in two rows, the page arrows, the pulsing
// frame of the selected layout, its card count, and a tick on the layouts
// already won (read from the player's completed-layout file once per page).
// The screen that shows it owns it; it owns the thumbnails of its page and
// lets them go when the page changes.
class VQLevelList {
public:
  // Makes thumbnail, card count of the layout at `path`, slot index on the page.
  using ImageFunction = std::function<std::shared_ptr<TGameImage>(const std::string& path, int32_t& cardCount,
                                                                  int32_t index)>;

  static std::shared_ptr<VQLevelList> Create(const std::string& folderPath, const std::string& filePrefix,
                                             const std::string& currentLevel, const std::string& levelSizeText,
                                             const std::string& noLevelsText, int32_t trimLevelTextZeros,
                                             int32_t drawOffsetX, int32_t drawOffsetY,
                                             const std::string& levelCompletedFile,
                                             const std::string& levelCompletedPath);
  void CreateMenu();

  // The layouts of the folder (sorted by name ignoring case), and the page around CurrentLevel.
  void Init();
  void ScanLevelFolder();
  void UpdateCurrentPagePosition();
  int32_t CalculateCurrentPagePosition(int32_t index) const;
  // Rebuilds the page's thumbnails, card counts and ticks (first finding the
  // page of CurrentLevel when update is 1).
  void CreateImages(int32_t update);
  int32_t CheckLevelCompleted(const std::string& path);

  // Per tick: the arrows, the glow, the pointer over the slots, the arrow keys.
  void Manage();
  void ManageMenu();
  // The page before or after this one; 1 when the page turned (its first layout selected).
  int32_t MoveLeft();
  int32_t MoveRight();
  void ManageLevels();
  void ManageKeyboard();
  void ManageGlowAnimation();

  void Draw();
  void DrawLevels();
  void DrawLevelImage(float x, float y, int32_t slot);
  void Kill();

  // Layouts on the current page (0..NumLevelItems); the path of a layout name.
  int32_t SlotsOnPage() const;
  std::string LevelPath(const std::string& name) const;
  // Centre of a slot on the screen.
  static void SlotCentre(int32_t slot, float& x, float& y);

  std::shared_ptr<TMenu> NavigationMenu; // "arrowLeft", "arrowRight"
  std::string FolderPath;                // with trailing separator
  std::string FilePrefix;                // the layout extension without the dot
  std::string LevelCompletedFile = "standard";
  std::string LevelCompletedPath;
  std::vector<std::string> LevelList; // names without folder and extension
  std::vector<std::shared_ptr<TGameImage>> ImageList; // the page's thumbnails (nullptr: none could be made)
  std::vector<std::string> LevelSizeList;             // card counts of the page, as text
  std::vector<std::string> LevelCompletedList;        // "1" or "0" per slot of the page
  std::shared_ptr<TIniFile> CompletedIniFile;         // held only while a page is built
  int32_t CurrentPagePosition = -1;
  std::string CurrentLevel;
  int32_t CurrentLevelID = 0;
  int32_t StartLevel = 0; // set for the tick of a double click on a layout
  std::string LevelSizeText = "Cards";
  std::string NoLevelsText = "There are no levels currently available";
  int32_t TrimLevelTextZeros = 1;
  int32_t DrawOffsetX = 0, DrawOffsetY = 0;
  std::shared_ptr<TSineCounter> GlowCounter;
  float Glow = 0;
  int32_t NumLevelItems = 8;
  ImageFunction CreateLevelImageFunction = [](const std::string&, int32_t& cardCount, int32_t) {
    cardCount = 0;
    return std::shared_ptr<TGameImage>();
  };

private:
  // Selects slot `id` of the page (and its layout).
  void Select(int32_t id);
  // The slot under the pointer, -1 when none.
  int32_t SlotUnderPointer() const;
  // The last press on a layout, for telling a double click.
  int32_t lastPressSlot_ = -1;
  double lastPressMs_ = 0;
};
