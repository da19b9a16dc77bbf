// A label: a caption in the control's font, wrapped at its width.
#pragma once

#include <memory>
#include <string>

#include "gfx/font.h"
#include "ui/control.h"

namespace ui {

// The platform's default face for controls: 9 points.
gfx::FontRequest defaultControlFont();

class Label : public Control {
 public:
  enum Alignment { kLeft = 0, kRight = 1, kCenter = 2 };

  const std::string& caption() const { return caption_; }
  void setCaption(std::string c);
  int alignment() const { return alignment_; }
  void setAlignment(int a);
  // The platform's BackStyle 0: the container shows through around the text.
  bool transparent() const { return transparent_; }
  void setTransparent(bool t);
  const gfx::FontRequest& font() const { return font_; }
  void setFont(const gfx::FontRequest& f);
  // Font size in points, as the design's FontSize.
  void setFontSize(double points) override;
  double fontSize() const override { return font_.em * 72.0 / 96.0; }
  void setForeColor(gfx::Color c) override;
  void setBackColor(gfx::Color c) override;

  void paint(Canvas& c) override;

 protected:
  friend class Window;
  Label(Window* w, std::string name);
  void resized() override { stale_ = true; }

 private:
  std::string caption_;
  int alignment_ = kLeft;
  bool transparent_ = false;
  gfx::FontRequest font_;
  gfx::Surface cache_;
  bool stale_ = true;
};

}  // namespace ui
