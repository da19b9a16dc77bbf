// The platform's image control: a picture shown as it is or stretched to the control. It is
// never a container and never takes the focus.
#pragma once

#include <optional>

#include "ui/control.h"

namespace ui {

class ImageControl : public Control {
 public:
  // Without Stretch the control takes the picture's size.
  void setPicture(const gfx::Surface& picture);
  void clearPicture();
  const std::optional<gfx::Surface>& picture() const { return picture_; }
  bool stretch() const { return stretch_; }
  void setStretch(bool s);
  // Pixels of this colour show what lies below (as the transparent parts of an icon did).
  void setTransparentColor(std::optional<gfx::Color> key);

  void paint(Canvas& c) override;

 protected:
  friend class Window;
  ImageControl(Window* w, std::string name);
  void resized() override { scaled_.reset(); }

 private:
  std::optional<gfx::Surface> picture_;
  mutable std::optional<gfx::Surface> scaled_;
  bool stretch_ = false;
  std::optional<gfx::Color> key_;
};

}  // namespace ui
