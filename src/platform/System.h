#pragma once
#include <cstdint>
#include <string>

// Process and shell services: clock, sleeping, the single-instance lock, the
// user's data folder, the window's class, message boxes and process priority.
namespace platform {

// Milliseconds from a monotonic clock (starts near 0 at process start).
int64_t Millisecs();
void Delay(int milliseconds);

// Advisory lock named `name` in the user's runtime folder, else in /tmp, else
// in `fallbackFolder` (made when missing). Returns false when another process
// already holds it; true when it is taken, or when none of the places can
// hold a lock at all. The lock is held until the process ends.
bool AcquireSingleInstanceLock(const std::string& name, const std::string& fallbackFolder = "");

// "" on Linux (the game compares against desktop-system names only).
std::string GetOSVersionName();

// The per-user data folder ($XDG_DATA_HOME, else ~/.local/share) ending in "/".
std::string CommonAppDataFolder();

// Full path of the running executable, and its folder ending in "/".
std::string ExecutablePath();
std::string ExecutableFolder();

// Makes sure the owner has full access to `path` (never world-writable).
bool SetFolderFullAccess(const std::string& path);

// 0/0 is normal priority (the one the game started with); a positive sum
// raises it and a negative one lowers it, where permitted.
void SetProcessPriority(int processClass, int threadPriority);

// The window's class (X11 WM_CLASS, Wayland app id), which the desktop
// matches against the menu entry to show its icon and group the window with
// it. Call before the window system starts; a class the user set in
// SDL_VIDEO_X11_WMCLASS or SDL_VIDEO_WAYLAND_WMCLASS stays.
void SetApplicationId(const std::string& id);

// A blocking system message box; on a headless run (dummy video driver or no
// display) the message goes to standard error instead.
void ShowSystemMessage(const std::string& title, const std::string& message);
bool IsHeadless();
// False when no desktop session can show a window (neither DISPLAY nor
// WAYLAND_DISPLAY is set) and no video driver was chosen with SDL_VIDEODRIVER.
bool HasDisplay();

} // namespace platform
