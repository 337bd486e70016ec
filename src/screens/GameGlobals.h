#pragma once

// The game's process-wide objects (Game, the banks, the game text, the pack
// set, the fonts, the session objects, the screens) are made here and only
// here, in start-up order, and dropped here.
//
// CreateGameGlobals runs first at program entry: every object exists from then
// on, empty, and start-up fills it (settings into Game, "gametext.txt" into
// GameText, the packs into PakFiles, ...). Tests call it for a fresh set.
void CreateGameGlobals();

// Drops every object CreateGameGlobals made, in reverse order, and puts the
// process-wide values, hooks and input tables back to their start-up state.
// The orderly end does not need it (the process ends at once); tests call it
// between tests so nothing carries over from one to the next.
void ResetGameGlobals();
