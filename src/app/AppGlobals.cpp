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
