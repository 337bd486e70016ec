#pragma once
#include "app/TScreen.h"
#include "ui/TButton.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A column (or row) of picture buttons from the menu folder, stacked from a
// start position with a fixed gap and centred horizontally. A screen builds
// it in Load, runs Manage in Logic and asks Clicked("name") afterwards, and
// draws it in Draw. The menu owns its buttons. A screen may hold it as its
// Menu, which the base screen starts, runs, draws and kills.
class TMenu : public TScreenMenu {
public:
  static std::shared_ptr<TMenu> Create(const std::string& soundMouseOver, const std::string& soundClick, float x,
                                       float y, int32_t gap);
  // Empties the menu, stores origin and gap and loads the two sounds (when named).
  int32_t Init(const std::string& soundMouseOver, const std::string& soundClick, float x, float y, int32_t gap);
  void Kill() override;

  // Shadow settings: for buttons added later, for existing ones, or both.
  int32_t SetShadow(int32_t on, float sx, float sy, float alpha);
  int32_t ChangeShadow(int32_t on, float sx, float sy, float alpha);
  int32_t ResetShadow(int32_t on, float sx, float sy, float alpha);
  int32_t SetAlpha(float alpha);

  // Adding buttons. Names are the picture name (or `key`) in upper case;
  // AddQuick uses picture + "MO" as the mouse-over picture; AddQuickAuto
  // also takes picture + "_disabled" and picture + "_down" when they exist.
  std::shared_ptr<TButton> AddNew(const std::string& imageName, const std::string& imageMouseOver,
                                  const std::string& key, int32_t frames, int32_t lengthMs, int32_t flags);
  std::shared_ptr<TButton> DoAddNew(const std::string& imageName, const std::string& imageMouseOver,
                                    const std::string& key, int32_t frames, int32_t lengthMs, int32_t flags);
  int32_t IncreaseHeight(const std::shared_ptr<TButton>& button);
  std::shared_ptr<TButton> AddQuick(const std::string& imageName, const std::string& key = "");
  std::shared_ptr<TButton> AddQuickAuto(const std::string& imageName, const std::string& key = "");
  // Two buttons on one line, `gap` apart; `prefix` goes in front of both names.
  int32_t AddPair(const std::string& left, const std::string& right, int32_t gap, const std::string& prefix = "");
  std::shared_ptr<TButton> FindButton(const std::string& buttonName) const;

  // Layout.
  int32_t StoreOriginalCoords();
  int32_t SetX(float newX);
  int32_t SetY(float newY);
  int32_t SetPairX(const std::string& left, const std::string& right, float newX);
  int32_t ScaleMenu(float sx, float sy);
  int32_t CalcCoords();
  int32_t CalcLeft();
  int32_t CalcTop();
  int32_t CalcWidth();
  int32_t CalcHeight();
  int32_t CentreHoriz();
  int32_t CentreVert();
  int32_t Centre();
  int32_t MakeRow(int32_t gap);

  // Button states.
  int32_t ClearStates();
  int32_t ClearScale();
  int32_t ClearGlow();
  int32_t ClearMouseClick();
  int32_t ClearMouseOver();

  // 1 when the named button was clicked (hovered) in the last Manage.
  int32_t Clicked(const std::string& buttonName);
  int32_t MouseOver(const std::string& buttonName);

  // Per tick; nothing is handled during a screen fade or without the pointer.
  int ManageNoSound() override;
  int32_t Precache();
  int Manage() override;
  int32_t ManageFixedGlowOnly();
  int32_t ManageScaleOnMO();
  // Every button drawn shifted by (dx, dy).
  void Draw(int dx, int dy) override;

  std::vector<std::shared_ptr<TButton>> Items; // in drawing order
  float x = 0, y = 0;
  float OX = 0, OY = 0;
  int32_t w = 0, h = 0;
  std::string MouseOverName;
  std::string ClickedName;
  std::shared_ptr<TGameSound> SoundMouseOver, SoundClick;
  int32_t NextY = 0;
  int32_t Gap = 0;
  int32_t AddGap = 0;
  int32_t NoSound = 0;
  int32_t Shadow = 0;
  float ShadowX = 3.0f, ShadowY = 3.0f;
  float ShadowAlpha = 0.5f;
  int32_t ClearClickedName = 1;
  int32_t ClearMouseOverName = 0;
  int32_t AcceptInput = 1;
};
