#include "screens/VQLevelList.h"

#include "app/Clock.h"
#include "app/InputTables.h"
#include "app/TGame.h"
#include "app/TIniFile.h"
#include "app/TMousePointer.h"
#include "app/VQMouse.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Keys.h"
#include "resources/TGameImage.h"
#include "resources/TImageBank.h"
#include "screens/LevelFiles.h"
#include "ui/TMenu.h"
#include "ui/TSineCounter.h"
#include "ui/TextDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float SlotX[] = {100, 300, 500, 700};
constexpr float SlotY[] = {217, 360};
// A slot answers the pointer within this distance of its centre.
constexpr float SlotReachX = 80, SlotReachY = 50;

std::string WithoutLeadingZeros(const std::string& name) {
  const size_t first = name.find_first_not_of('0');
  if (first == std::string::npos) return name.empty() ? name : "0";
  return name.substr(first);
}

} // namespace

std::shared_ptr<VQLevelList> VQLevelList::Create(const std::string& folderPath, const std::string& filePrefix,
                                                 const std::string& currentLevel, const std::string& levelSizeText,
                                                 const std::string& noLevelsText, int32_t trimLevelTextZeros,
                                                 int32_t drawOffsetX, int32_t drawOffsetY,
                                                 const std::string& levelCompletedFile,
                                                 const std::string& levelCompletedPath) {
  auto list = std::make_shared<VQLevelList>();
  list->FolderPath = folderPath;
  list->FilePrefix = filePrefix;
  list->CurrentLevel = currentLevel;
  list->LevelSizeText = levelSizeText;
  list->NoLevelsText = noLevelsText;
  list->TrimLevelTextZeros = trimLevelTextZeros;
  list->DrawOffsetX = drawOffsetX;
  list->DrawOffsetY = drawOffsetY;
  list->LevelCompletedFile = levelCompletedFile;
  list->LevelCompletedPath = levelCompletedPath;
  list->CreateMenu();
  list->GlowCounter = TSineCounter::Create(0, 360, 0.5f);
  return list;
}

void VQLevelList::CreateMenu() {
  NavigationMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  NavigationMenu->AddQuick("arrowLeft");
  NavigationMenu->AddQuick("arrowRight");
  NavigationMenu->MakeRow(190);
  NavigationMenu->CentreHoriz();
  NavigationMenu->SetY(450);
  for (const auto& button : NavigationMenu->Items) button->SetupScaleOnMO(1.15f, 0.03f, 0.01f);
}

// ---- The layouts and the page -------------------------------------------------

void VQLevelList::Init() { ScanLevelFolder(); }

void VQLevelList::ScanLevelFolder() {
  LevelList.clear();
  for (const std::string& file : platform::ListFolder(FolderPath, FilePrefix)) {
    const std::string name = file.substr(0, file.size() - FilePrefix.size() - 1);
    if (!name.empty() && name != "." && name != "..") LevelList.push_back(name);
  }
}

void VQLevelList::UpdateCurrentPagePosition() {
  const auto found = std::find(LevelList.begin(), LevelList.end(), CurrentLevel);
  if (!CurrentLevel.empty() && found != LevelList.end()) {
    const int32_t index = int32_t(found - LevelList.begin());
    CurrentPagePosition = CalculateCurrentPagePosition(index);
    CurrentLevelID = index - CurrentPagePosition;
    return;
  }
  CurrentPagePosition = 0;
  CurrentLevelID = 0;
  if (!LevelList.empty()) CurrentLevel = LevelList.front();
}

int32_t VQLevelList::CalculateCurrentPagePosition(int32_t index) const {
  if (index < 0) return 0;
  int32_t page = index / NumLevelItems * NumLevelItems;
  // The last page is always a full one.
  page = std::min(page, int32_t(LevelList.size()) - NumLevelItems);
  return std::max(page, 0);
}

int32_t VQLevelList::SlotsOnPage() const {
  const int32_t start = std::max(CurrentPagePosition, 0);
  return std::clamp(int32_t(LevelList.size()) - start, 0, NumLevelItems);
}

std::string VQLevelList::LevelPath(const std::string& name) const { return FolderPath + name + "." + FilePrefix; }

void VQLevelList::CreateImages(int32_t update) {
  if (update == 1) UpdateCurrentPagePosition();
  CurrentPagePosition = std::max(CurrentPagePosition, 0);
  // The old page's thumbnails go before the new ones are made.
  ImageList.clear();
  LevelSizeList.clear();
  LevelCompletedList.clear();
  const int32_t slots = SlotsOnPage();
  for (int32_t i = 0; i < slots; ++i) {
    const std::string path = LevelPath(LevelList[size_t(CurrentPagePosition + i)]);
    int32_t cards = 0;
    ImageList.push_back(CreateLevelImageFunction(path, cards, i));
    LevelSizeList.push_back(std::to_string(cards));
    LevelCompletedList.push_back(CheckLevelCompleted(path) ? "1" : "0");
  }
  // The next page reads the marks afresh.
  CompletedIniFile.reset();
}

int32_t VQLevelList::CheckLevelCompleted(const std::string& path) {
  if (!CompletedIniFile) {
    CompletedIniFile = std::make_shared<TIniFile>(LevelCompletedPath + LevelCompletedFile);
    std::string bytes;
    if (ReadLevelMarks(CompletedIniFile->Path(), bytes) > 0) {
      for (const std::string& line : IniSplitLines(bytes)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && eq > 0) CompletedIniFile->Add(line.substr(0, eq), line.substr(eq + 1));
      }
    }
  }
  return CompletedIniFile->GetString(LevelKey(path)) == "1" ? 1 : 0;
}

// ---- Input ----------------------------------------------------------------------

void VQLevelList::Manage() {
  ManageMenu();
  ManageGlowAnimation();
  ManageLevels();
  ManageKeyboard();
}

void VQLevelList::ManageMenu() {
  if (!NavigationMenu) return;
  NavigationMenu->Manage();
  if (NavigationMenu->Clicked("arrowLeft")) MoveLeft();
  if (NavigationMenu->Clicked("arrowRight")) MoveRight();
}

int32_t VQLevelList::MoveLeft() {
  if (LevelList.empty()) return 0;
  const int32_t start = std::max(CurrentPagePosition, 0);
  const int32_t page = std::max(0, start - NumLevelItems);
  if (page == start) return 0;
  CurrentPagePosition = page;
  Select(0);
  CreateImages(0);
  return 1;
}

int32_t VQLevelList::MoveRight() {
  if (LevelList.empty()) return 0;
  const int32_t start = std::max(CurrentPagePosition, 0);
  const int32_t last = int32_t(LevelList.size()) - NumLevelItems;
  const int32_t page = std::max(0, start + NumLevelItems < last ? start + NumLevelItems : last);
  if (page == start) return 0;
  CurrentPagePosition = page;
  Select(0);
  CreateImages(0);
  return 1;
}

void VQLevelList::Select(int32_t id) {
  const int32_t index = std::max(CurrentPagePosition, 0) + id;
  if (id < 0 || index >= int32_t(LevelList.size())) return;
  CurrentLevelID = id;
  CurrentLevel = LevelList[size_t(index)];
}

void VQLevelList::SlotCentre(int32_t slot, float& x, float& y) {
  x = SlotX[slot % 4];
  y = SlotY[(slot / 4) % 2];
}

int32_t VQLevelList::SlotUnderPointer() const {
  if (!Game || !Game->Mouse) return -1;
  const int32_t slots = SlotsOnPage();
  for (int32_t slot = 0; slot < slots; ++slot) {
    float x = 0, y = 0;
    SlotCentre(slot, x, y);
    if (std::fabs(float(Game->Mouse->x) - x) <= SlotReachX && std::fabs(float(Game->Mouse->y) - y) <= SlotReachY)
      return slot;
  }
  return -1;
}

void VQLevelList::ManageLevels() {
  StartLevel = 0;
  if (!Game || !Game->Mouse) return;
  // A press is seen held in this tick, or was pressed and let go between two
  // ticks (a quick click on a busy machine): the pointer's hits count it.
  // The menus have taken theirs by now; the rest are the list's.
  TMousePointer& pointer = *Game->Mouse;
  int32_t presses = pointer.h1;
  pointer.h1 = 0;
  pointer.CalcButtonTotals();
  if (presses == 0 && GameMouse && GameMouse->LeftClick() == 1) presses = 1;
  // Slots without a layout take no clicks.
  const int32_t slot = SlotUnderPointer();
  if (presses == 0 || slot < 0) return;
  Select(slot);
  const double now = AppMillisecs();
  const double doubleClickMs = GameMouse ? GameMouse->DoubleClickTime : 500;
  if (presses > 1 || (slot == lastPressSlot_ && now - lastPressMs_ <= doubleClickMs)) {
    StartLevel = 1;
    lastPressSlot_ = -1;
    return;
  }
  lastPressSlot_ = slot;
  lastPressMs_ = now;
}

void VQLevelList::ManageKeyboard() {
  if (LevelList.empty()) return;
  const int32_t slots = SlotsOnPage();
  const int32_t perRow = NumLevelItems / 2;
  if (KeyHit(platform::keys::Up) && CurrentLevelID >= perRow) Select(CurrentLevelID - perRow);
  if (KeyHit(platform::keys::Down) && CurrentLevelID < perRow && CurrentLevelID + perRow < slots)
    Select(CurrentLevelID + perRow);
  if (KeyHit(platform::keys::Left)) {
    if (CurrentLevelID > 0) Select(CurrentLevelID - 1);
    // From the first slot the page turns back and the last layout of that
    // page is selected; on the first page the selection stays.
    else if (MoveLeft()) Select(SlotsOnPage() - 1);
  }
  if (KeyHit(platform::keys::Right)) {
    if (CurrentLevelID + 1 < slots) Select(CurrentLevelID + 1);
    else MoveRight();
  }
}

void VQLevelList::ManageGlowAnimation() {
  if (!GlowCounter) return;
  GlowCounter->Manage();
  Glow = 0.5f * GlowCounter->ratio;
}

// ---- Drawing --------------------------------------------------------------------

void VQLevelList::Draw() {
  if (NavigationMenu) NavigationMenu->Draw(0, 0);
  DrawLevels();
}

void VQLevelList::DrawLevels() {
  if (LevelList.empty()) {
    DrawTextLines(NoLevelsText, -1, 250, FontOfSize(25), 1, 0);
    return;
  }
  const int32_t slots = SlotsOnPage();
  for (int32_t slot = 0; slot < slots; ++slot) {
    float x = 0, y = 0;
    SlotCentre(slot, x, y);
    DrawLevelImage(x, y, slot);
  }
}

void VQLevelList::DrawLevelImage(float x, float y, int32_t slot) {
  const bool selected = slot == CurrentLevelID;
  platform::SetBlend(platform::Blend::Alpha);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  if (auto frame = Images ? Images->FindTImage(selected ? "levelhighlight" : "levelback") : nullptr) {
    platform::DrawPicture(*frame, x, y);
    if (selected) {
      const int shade = std::clamp(int(255.0f * Glow), 0, 255);
      platform::SetBlend(platform::Blend::Light);
      platform::SetColor(shade, shade, shade);
      platform::DrawPicture(*frame, x, y);
      platform::SetBlend(platform::Blend::Alpha);
      platform::SetColor(255, 255, 255);
    }
  }
  if (size_t(slot) < ImageList.size() && ImageList[size_t(slot)] && ImageList[size_t(slot)]->image)
    platform::DrawPicture(*ImageList[size_t(slot)]->image, x + float(DrawOffsetX), y + float(DrawOffsetY));
  if (size_t(slot) < LevelCompletedList.size() && LevelCompletedList[size_t(slot)] == "1")
    if (auto check = Images ? Images->FindTImage("check") : nullptr) platform::DrawPicture(*check, x - 74, y - 50);
  const size_t index = size_t(std::max(CurrentPagePosition, 0) + slot);
  if (index < LevelList.size()) {
    const std::string& name = LevelList[index];
    SetImageFont(FontOfSize(16));
    // Within its slot, however long the player's file name.
    const float room = SlotX[1] - SlotX[0] - 10;
    DrawTextAligned(FitText(TrimLevelTextZeros ? WithoutLeadingZeros(name) : name, room), x, y - 60, 1, 1);
  }
  if (selected && size_t(slot) < LevelSizeList.size()) {
    SetImageFont(FontOfSize(25));
    DrawTextAligned(LevelSizeText + ": " + LevelSizeList[size_t(slot)], 400, 455, 1, 1);
  }
}

void VQLevelList::Kill() {
  if (NavigationMenu) NavigationMenu->Kill();
  NavigationMenu.reset();
  ImageList.clear();
  LevelSizeList.clear();
  LevelCompletedList.clear();
  CompletedIniFile.reset();
}
