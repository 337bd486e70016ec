#include "app/AppGlobals.h"

int ScreenWidth = 800;
int ScreenHeight = 600;
int StartupStage = 0;
std::string ErrorLogFolder;
int ErrorsInGraphics = 1;
int ErrorLogEnabled = 1;
int64_t SetupTime = 0;
int FlipSync = 1;
int DefaultFadeLength = 500;

void ResetAppGlobals() {
  ScreenWidth = 800;
  ScreenHeight = 600;
  StartupStage = 0;
  ErrorLogFolder.clear();
  ErrorsInGraphics = 1;
  ErrorLogEnabled = 1;
  SetupTime = 0;
  FlipSync = 1;
  DefaultFadeLength = 500;
}
