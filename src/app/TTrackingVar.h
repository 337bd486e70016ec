#pragma once
#include <functional>
#include <string>

// Small timing counters of the debug overlay: a current value and its maximum,
// shown as "<Label><current>/<maximum>" with numbers padded to a width.
class TTrackingVar {
public:
  virtual ~TTrackingVar() = default;
  virtual void Init();
  void Display(int x, int y);
  virtual std::string GetDisplay() const;

  int current = 0;
  int maximum = 0;
  int displayLimit = 999;
  int displayLimitChars = 3;
  std::string Label;

protected:
  std::string Pad(int value) const;
};

// Milliseconds between Start and Calc; the maximum never exceeds displayLimit.
class TDebugVar : public TTrackingVar {
public:
  void Start();
  void Calc();
};

// Frames per second, counted once per frame.
class TFPSCounter : public TTrackingVar {
public:
  void Init() override;
  void Calc();
  std::string GetDisplay() const override;

  int counter = 0;
  int time = 0;
  int framerate = 0;
  int minimum = 999;
};

// Draws debug text; installed by the layer that owns the fonts.
extern std::function<void(int x, int y, const std::string& text)> DebugTextHook;
