#pragma once
#include "app/TAnimation.h"
#include "app/TGameSound.h"

#include <cstdint>
#include <memory>
#include <string>

class TColor;
class TGameImage;
class TLabel;
class TMenu;
class TShadow;
class TSprite;
namespace platform { class ImageFont; }

// A modal panel over the current screen: a caption, a background picture or a
// plain box, up to two pictures and a small menu of buttons. The owner calls
// Manage every logic tick and Draw every frame, reads the result (0 while
// open; the subclasses give 1 for OK or Yes, -1 for Cancel or No) and then
// calls Kill. While open the dialog keeps the Escape key for itself. It may
// slide in from a side, fade, and dim the screen behind it.
class TDialog {
public:
  TDialog();
  virtual ~TDialog() = default;

  // Set-up: caption text, panel picture (null: a DialogColor box), size (0:
  // from the contents; a width wraps long captions) and position.
  void Init(const std::string& caption, const std::shared_ptr<TGameImage>& background, int32_t w, int32_t h,
            int32_t x, int32_t y);
  void SetupCaption(const std::shared_ptr<platform::ImageFont>& font, const std::shared_ptr<TColor>& colour,
                    const std::shared_ptr<TShadow>& shadow);
  // Opening and closing times (0: none), dimming of the screen behind and whether the panel fades.
  void SetTransitions(float inMs, float outMs, float dim, int32_t fade);
  void HeaderLoad(const std::string& name, float headerX, float headerY);
  // Opens the dialog: size, layout, Escape taken from the game.
  virtual void Start();

  // Layout.
  virtual void CalcAll();
  virtual void CalcSize();
  void CalcXY();
  void CalcOffset();
  float CaptionGetCentredX() const;
  virtual void SetLabelsXY();
  virtual void MenuPosition();
  float MenuGetCentredX() const;

  // Per tick: ManageCore runs the transitions and the menu (0 when not active).
  virtual int32_t Manage();
  int32_t ManageCore();
  // Closing: the result now (no closing transition) or 0 while it closes.
  virtual int32_t Close(int32_t result);
  virtual void Finalise();

  virtual void Draw();
  void SetAlphas(float alpha);
  void DoDrawHighlight(float alpha);
  virtual void Kill();

  // Transition value: 0 hidden .. 1 fully shown.
  float TransitionValue() const;
  int32_t Closing() const { return Transitioning == 2; }

  std::shared_ptr<TLabel> Caption;
  std::shared_ptr<TGameImage> Background;
  int32_t Active = 0;
  int32_t Disabled = 0;
  std::shared_ptr<TShadow> Shadow;
  int32_t DrawHighlight = 1;
  int32_t w = 0, h = 0, x = 0, y = 0;
  int32_t Border = 20;
  std::shared_ptr<TColor> DialogColor;
  std::shared_ptr<TMenu> Menu;
  int32_t MenuShow = 1;
  int32_t Centre = 1;
  int32_t FixedWidth = 0;
  int32_t ReenableEscapeKey = 1;
  int32_t OldIgnoreEscapeKey = 0;
  int32_t CaptionOX = 0, CaptionOY = 0;
  int32_t CaptionOffsetX = 0, CaptionOffsetY = 0;
  int32_t CaptionCentreVert = 0;
  int32_t MenuOX = 0, MenuOY = 0;
  std::shared_ptr<TSprite> Header;
  std::string Ext = ".png";
  std::shared_ptr<TGameImage> Picture, Picture2;
  int32_t PictureX = 0, PictureY = 0, Picture2X = 0, Picture2Y = 0;
  float PictureScale = 1.0f, Picture2Scale = 1.0f;
  float PictureAngle = 0, Picture2Angle = 0;
  std::shared_ptr<TShadow> PictureShadow, Picture2Shadow;
  std::shared_ptr<TAnimation> TransitionIn, TransitionOut;
  int32_t Transitioning = 0; // 0 none, 1 opening, 2 closing
  float DimBackground = 0;
  int32_t FadeDialog = 0;
  int32_t CloseResultTemp = 0, CloseResult = 0;
  ChannelRef FadeChannel;
  int32_t Slide = 0; // 0 none, 1 top, 2 right, 3 bottom, 4 left, 5 random side
  int32_t SlideExtra = 0;
  float OffsetX = 0, OffsetY = 0;
  float Alpha = 1.0f;
  std::shared_ptr<TGameSound> ActivateSound, SlideInSound, SlideOutSound;

protected:
  // One tick of an open dialog shown over this one (an error, a question).
  // When it has closed it is killed and dropped, this dialog's buttons are
  // refreshed quietly and its answer returned; 0 while it is open.
  template <typename Dialog>
  int32_t ManageSubDialog(std::shared_ptr<Dialog>& sub) {
    sub->Manage();
    if (sub->Active) return 0;
    const int32_t answer = sub->CloseResult;
    sub->Kill();
    sub.reset();
    RefreshMenu();
    return answer;
  }
  void RefreshMenu();
  // Space between the caption and the buttons of a box without a picture.
  virtual int32_t MenuGap() const { return Border; }
  // A button menu as every dialog has it: "buttonMO"/"buttonclick", gap 10, shadow (3, 3, 0.4).
  static std::shared_ptr<TMenu> CreateDialogMenu();
  // Height of the menu's buttons (0 without a menu).
  int32_t MenuHeight() const;
  // Channel of the dialog's sounds when the game has no channel pool.
  ChannelRef SoundChannel;
  void PlaySound(const std::shared_ptr<TGameSound>& sound);
  // Darkens the whole screen with black at `alpha`.
  static void DimScreen(float alpha);
  // Draws a picture with its shadow at the panel position plus (px, py).
  void DrawPicture(const std::shared_ptr<TGameImage>& picture, const std::shared_ptr<TShadow>& shadow, float px,
                   float py, float scale, float angle) const;
};
