#pragma once
#include <memory>

namespace platform::audio { class Channel; }
class TGameChannel;

// The single full-screen fader (Game.GameFade): fades the picture to black
// (out) or from black (in) over a length given in ms and counted in logic
// ticks, optionally taking a sound channel's volume along. A key or click cuts
// a fade short. A finished fade out is what triggers the screen change. When
// a fade out took the music down, the next fade in brings it back up with the
// picture, so the music plays on across screen changes.
class TGameFade {
public:
  // Returns 1 when started, 0 when a fade is already running.
  int Init(float length, int out, std::shared_ptr<platform::audio::Channel> channel = nullptr,
           int allowAnim = 0, float counterStart = 0);
  int Finish();
  // -1 cut short by a key or click, 1 finished now, 0 otherwise.
  int Manage();
  int CalcRatio();
  int FadeChannels();
  int Draw();
  // 1 once after a fade finished.
  int GetDone();

  int Length = 0;
  float Counter = 0;
  int Active = 0;
  int Out = 1;
  float Ratio = 0;
  int Done = 0;
  std::shared_ptr<platform::audio::Channel> Channel;
  std::shared_ptr<TGameChannel> Channel2;
  int Channel2IsGameChannelArray = 1;
  int AllowAnim = 0;
  int FadeInAborted = 0;
  float FadeCounterBeforeAbort = 0;
  int SetToFullOnAbort = 1;
  int AbortKey = 0;
  // 1 from a fade out that faded the music channel until the next fade in.
  int MusicFadedOut = 0;
};
