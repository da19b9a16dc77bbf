// A picture box keeps a persistent image: drawing goes into the image, the frame shows it.
// Its children are composed over it, clipped to it, and never become part of the image.
#pragma once

#include <optional>

#include "ui/control.h"

namespace ui {

class PictureBox : public Control {
 public:
  // The persistent image, the size of the control. Draw into it; Refresh() (or the next
  // pump) shows it.
  gfx::Surface& surface() { return image_; }
  const gfx::Surface& surface() const { return image_; }

  // Clears the image to the back colour, with the picture (if any) at the top left.
  void Cls();
  // The background picture that Cls restores. With AutoSize the control takes its size.
  void setPicture(const gfx::Surface& picture);
  void clearPicture();
  const std::optional<gfx::Surface>& picture() const { return picture_; }
  bool AutoSize = false;

  // As on the platform, a new back colour clears the image.
  void setBackColor(gfx::Color c) override;
  bool canFocus() const override { return true; }

  void paint(Canvas& c) override;
  bool contentChanged() const override { return image_.generation() != composedGeneration_; }
  void markComposed() override { composedGeneration_ = image_.generation(); }

 protected:
  friend class Window;
  PictureBox(Window* w, std::string name);
  void resized() override;

 private:
  gfx::Surface image_;
  std::optional<gfx::Surface> picture_;
  uint64_t composedGeneration_ = ~0ull;
};

}  // namespace ui
