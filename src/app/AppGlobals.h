#pragma once
#include <cstdint>
#include <string>

// Process-wide values of the application core, kept low so every layer can
// read them. They are set during start-up and live until the process ends.

// The fixed size of the drawing surface, windowed or full screen.
extern int ScreenWidth;
extern int ScreenHeight;

// Progress code set before each risky start-up step; reported with fatal
// run-time errors so a failure can be placed.
extern int StartupStage;

// Where "ErrorLog.txt" is written (the shared data folder once it is known).
extern std::string ErrorLogFolder;
// 1 while errors are drawn in the window (before the settings are read);
// 0 afterwards, when the system message box is used.
extern int ErrorsInGraphics;
// 1: ShowError writes the error log.
extern int ErrorLogEnabled;
// Clock value taken when start-up finished loading the settings.
extern int64_t SetupTime;

// Buffer flip: 1 waits for the vertical retrace, 0 does not, -1 driver default.
extern int FlipSync;
// Length in ms of the fade started by Escape or the close button.
extern int DefaultFadeLength;

// Puts every value above back to its start-up value (for tests).
void ResetAppGlobals();

// The version the program reports.
inline constexpr const char* GameVersion = "1.11";
