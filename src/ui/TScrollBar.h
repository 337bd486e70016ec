#pragma once
#include <cstdint>
#include <memory>
#include <string>

class TGameImage;
class TMenu;

// A draggable slider picture on a track between two arrow buttons, giving a
// value from 0 to ValueMax (a list box's first visible line, say). The arrows
// step the value and repeat while held; the slider can be dragged.
class TScrollBar {
public:
  // A negative valueMax is stored as 0.
  static std::shared_ptr<TScrollBar> Create(const std::shared_ptr<TGameImage>& slider, int32_t size,
                                            double valueMax, float x, float y, int32_t vertical);
  // The arrow buttons (menu pictures) just before and just after the track.
  void SetArrows(const std::string& upName, const std::string& downName, int32_t repeatMs);
  // Value and slider position; SetValue clamps to 0..ValueMax.
  void SetValue(double value);
  void SetValueMax(double valueMax);
  void SliderSetPosition(double value);
  void DisableButtons();
  int32_t Manage();
  void Draw();
  void Kill();

  // Length of the slider picture along the track.
  int32_t SliderLength() const;

  std::shared_ptr<TGameImage> Slider;
  std::shared_ptr<TMenu> Menu;
  int32_t Vertical = 1;
  int32_t Value = 0;
  double ValuePrecise = 0;
  double ValueStep = 1.0;
  int32_t Size = 0;
  double ValueMax = 0;
  int32_t SliderPosition = 0;
  int32_t SliderSelected = 0;
  int32_t SliderOffset = 0;
  float X = 0, Y = 0;
  std::string UpName, DownName;
  int32_t FixedGlowOnMO = 0;
  float SliderGlow = 0;
  float GlowMax = 0.5f;
  float GlowSpeed = 0.02f;
  float Scale = 1.0f;

private:
  // Value from the slider position (after a drag).
  void ValueFromPosition();
  bool MouseOverSlider() const;
};
