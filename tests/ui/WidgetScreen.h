#pragma once
#include "app/TScreen.h"
#include "app/TGame.h"
#include "platform/Graphics.h"

#include <memory>
#include <vector>

// A screen hosting one widget as the game's screens do: the widget's Manage
// each logic tick, its Draw each frame. Made the current screen, it lets a
// test drive the widget through the game's own input path (GameDriver).
template <typename Widget>
class WidgetScreen : public TScreen {
public:
  explicit WidgetScreen(std::shared_ptr<Widget> hosted) : widget(std::move(hosted)) {}
  int Logic() override {
    if (int result = widget ? widget->Manage() : 0) Results.push_back(result);
    return 1;
  }
  int Draw() override {
    platform::Cls();
    if (widget) widget->Draw();
    return 1;
  }

  std::shared_ptr<Widget> widget;
  std::vector<int> Results; // every non-zero answer, in order
};

// Makes `widget` the content of the current screen.
template <typename Widget>
std::shared_ptr<WidgetScreen<Widget>> HostWidget(const std::shared_ptr<Widget>& widget) {
  auto screen = std::make_shared<WidgetScreen<Widget>>(widget);
  Game->CurrentTScreen = screen;
  return screen;
}
