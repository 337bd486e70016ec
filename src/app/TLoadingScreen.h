#pragma once
#include "app/TLoadingBar.h"
#include "app/TScreen.h"

#include <functional>

// The screen shown while start-up loads the resources: a background, a
// progress bar advanced once per loaded item, and a "loading" picture. Once
// the main loop runs (all loading done) it fades out to its Destination,
// optionally waiting for a click-here button first.
class TLoadingScreen : public TScreen {
public:
  TLoadingScreen() { name = "loading"; }

  int Load() override { return 1; }
  int Logic() override;
  int Draw() override;
  int Kill() override;

  // Background, bar (with "<bar>empty.<ext>" and "<bar>final.<ext>" beside it
  // when they exist) and loading picture, all under ImagePath.
  virtual int SpecialLoad(const std::string& backgroundImage, const std::string& barImage,
                          const std::string& loadingImage);
  virtual int SetSteps(int n);
  // A button the player must press once loading is finished; its Manage
  // returns 1 when it was clicked.
  virtual int SetClickHereButton(std::shared_ptr<TScreenMenu> button);
  virtual int DrawLoading(int flag);
  virtual int Progress();

  TLoadingBar LoadingBar;
  std::shared_ptr<TScreenMenu> ClickHereButton;
  int Finished = 0;
  std::shared_ptr<TGameImage> LoadingTextImage;
  int LoadingX = 400, LoadingY = 300;
  int DrawLoadingTextImage2 = 0;
  std::shared_ptr<TGameImage> LoadingTextImage2;
  std::function<int()> CustomDrawFunction, CustomKillFunction;

protected:
  int FadeAllowAnim = 0;
  bool LoadBackgroundAlways = true;
};

// The product's loading screen: its logic keeps running during the fade out,
// and MoveBar draws each loading step at once.
class VQLoadingScreen : public TLoadingScreen {
public:
  VQLoadingScreen() {
    FadeAllowAnim = 1;
    LoadBackgroundAlways = false;
  }
  // Progress, draw and flip: one loading step shown at once, then a pause of
  // StepWaitMs (a test hook that lets a screenshot catch the bar growing).
  int MoveBar();

  int StepWaitMs = 0;
};

// Longest pause after a loading step that the test hook accepts.
constexpr int MaxLoadingStepWaitMs = 2000;

// The pause after each loading step given by the text of the environment
// variable MARROWDECK_LOADING_STEP_MS: whole milliseconds, capped at
// MaxLoadingStepWaitMs; unset, empty, negative or malformed text means none.
int LoadingStepWait(const char* text);
