#pragma once
#include "ui/NameCheck.h"

#include <cstdint>
#include <memory>
#include <string>

class TDialog;
class TDialogOK;
class TDialogYesNo;
class TDialogTextInput;

// The game's dialogs as every screen opens them: centred, text in the
// 20-point font in white with a (1, 1) shadow at 0.6, a (3, 3) panel shadow
// at 0.4, sliding in from the top over a dimmed screen; each is started at
// once. The texts are shown as given (look them up in the game text first).

// Gives a dialog built elsewhere the same look and transitions (the caption
// in red with `red`), then starts it.
void StyleGameDialog(TDialog& dialog, int32_t red = 0);
// A yes/no question on the "input" panel.
std::shared_ptr<TDialogYesNo> CreateYesNoDialog(const std::string& text);
// A message with "OK" on the "input" panel, on the wider "inputlong" one,
// and an error in red on "inputlong" (the error dialog of name dialogs and
// the save-game manager).
std::shared_ptr<TDialogOK> CreateOKDialog(const std::string& text);
std::shared_ptr<TDialogOK> CreateLongOKDialog(const std::string& text);
std::shared_ptr<TDialogOK> CreateErrorOKDialog(const std::string& text);
// A name dialog on "input": empty entry of the kind's length, the banned
// characters refused as typed, Latin-1 letters allowed, CheckName of the
// kind as its ErrorCheckFunc and CreateErrorOKDialog as its error dialog.
// buttons 1: "OK" only; 2: "OK" and "Cancel".
std::shared_ptr<TDialogTextInput> CreateNameInputDialog(int32_t buttons, const std::string& caption,
                                                        TNameKind kind = TNameKind::SavedGame);
