#include "player/VQPlayerManager.h"

#include "app/TIniFile.h"
#include "platform/Files.h"
#include "player/PlayerProfiles.h"
#include "resources/TGameImage.h"
#include "resources/TGameText.h"
#include "resources/TImageBank.h"
#include "ui/DialogFactories.h"
#include "ui/TListBox.h"

namespace {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : std::string(); }

// The game keeps at most this many players.
constexpr int32_t PlayerLimit = 7;
// Size of the "manager" panel picture.
constexpr int32_t PanelW = 460, PanelH = 440;

} // namespace

std::shared_ptr<VQPlayerManager> VQPlayerManager::Create(const std::string& caption,
                                                         const std::shared_ptr<TGameImage>& background, int32_t w,
                                                         int32_t x, int32_t y, int32_t limit) {
  auto manager = std::make_shared<VQPlayerManager>();
  manager->Setup(caption, background, w, x, y, limit);
  return manager;
}

void VQPlayerManager::ProfileDeleted() {
  if (CustomDeleteFunction) CustomDeleteFunction(*this);
}

std::shared_ptr<VQPlayerManager> VQPlayerManager::CreateForGame() {
  auto panel = Images && Images->FindTImage("manager") ? Images->Find("manager") : nullptr;
  auto manager = Create(Text("Choose Player"), panel, panel ? 0 : PanelW, 0, 0, PlayerLimit);
  if (!panel) manager->h = PanelH; // the plain box is as large as the picture would be
  manager->MessageCannotCreate = Text("Player No More");
  manager->MessageCannotDelete = Text("Player One Player");
  manager->MessageConfirmDelete = Text("Player Delete Player");
  manager->ListBox->Centred = 1;
  manager->ErrorDialogFunc = [](const std::string& text) { return CreateErrorOKDialog(text); };
  manager->DialogYesNoFunc = [](const std::string& text) { return CreateYesNoDialog(text); };
  manager->EnterNamePromptFunc = [](int32_t withCancel) { return CreatePlayerNamePrompt(withCancel); };
  manager->CreateProfileFunc = [](const std::string& name) { return SelectPlayer(name); };
  // A new player of the same name must not inherit the deleted one's marks.
  manager->CustomDeleteFunction = [](VQPlayerManager& self) {
    for (const std::string& marks : PlayerCompletedFiles(self.ListBox->Value)) {
      const std::string file = TIniFile(marks).Path();
      if (platform::FileExists(file)) platform::DeleteFile(file);
    }
  };
  manager->DrawHighlight = 0;
  StyleGameDialog(*manager);
  return manager;
}
