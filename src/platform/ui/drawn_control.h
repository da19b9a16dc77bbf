// A control that draws itself into a face image of its own, redrawn only when its state
// changed, and the platform's 3D edges the standard controls wear.
#pragma once

#include "gfx/font.h"
#include "ui/control.h"

namespace ui {

class DrawnControl : public Control {
 public:
  void paint(Canvas& c) override;
  const gfx::FontRequest& font() const { return font_; }
  void setFont(const gfx::FontRequest& f);
  void setFontSize(double points) override;
  double fontSize() const override { return font_.em * 72.0 / 96.0; }
  void setBackColor(gfx::Color c) override;
  void setForeColor(gfx::Color c) override;

 protected:
  DrawnControl(Window* w, std::string name);
  // Draws the whole face, the size of the control.
  virtual void render(gfx::Surface& face) = 0;
  void redraw();
  void resized() override { redraw(); }
  gfx::FontRequest font_;

 private:
  gfx::Surface face_;
  bool stale_ = true;
};

// The platform's system colours for standard controls.
constexpr gfx::Color kFaceColor = gfx::rgb(240, 240, 240);
constexpr gfx::Color kShadowColor = gfx::rgb(160, 160, 160);
constexpr gfx::Color kDarkShadowColor = gfx::rgb(105, 105, 105);
constexpr gfx::Color kLightColor = gfx::rgb(227, 227, 227);
constexpr gfx::Color kHighlightColor = gfx::rgb(0, 120, 215);
constexpr gfx::Color kGrayTextColor = gfx::rgb(109, 109, 109);
constexpr gfx::Color kWindowColor = gfx::kWhite;

// Two-pixel edges: sunken (text and list boxes) or raised (buttons).
void drawEdge(gfx::Surface& s, const gfx::Rect& r, bool sunken);
// A dotted focus rectangle.
void drawFocusRect(gfx::Surface& s, const gfx::Rect& r);

}  // namespace ui
