#pragma once
#include "ui/TDialogTextInput.h"

#include <cstdint>
#include <string>

// The one check of every name the player types that becomes a file name in
// the player's folder: player names, saved-game names and layout names.
// Accepted: printable Latin-1 (codes 32..126 and 160..255) up to the kind's
// length. Refused: an empty or all-blank name, a name ending in "." or a
// blank (so also "." and ".."), the characters " | * \ / : ; ~ ? < >, and
// for layouts also "=" (the completed-layout marks are "KEY=value" lines).
enum class TNameKind { Player, SavedGame, Layout };

// Longest name of each kind: 10 for players, 14 for saves and layouts.
int32_t NameMaxLength(TNameKind kind);
// The characters a name of this kind cannot hold.
const std::string& NameBannedChars(TNameKind kind);
// 1 when `name` may be used; -1 with the reason (game text) in `message`.
int32_t CheckName(const std::string& name, TNameKind kind, std::string& message);
// CheckName as the ErrorCheckFunc of a name dialog.
TDialogTextInput::ErrorCheck NameCheckFunc(TNameKind kind);
