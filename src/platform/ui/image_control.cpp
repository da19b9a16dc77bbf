#include "ui/image_control.h"

#include "gfx/blit.h"
#include "ui/toolkit.h"

namespace ui {

ImageControl::ImageControl(Window* w, std::string name) : Control(w, std::move(name)) {}

void ImageControl::setPicture(const gfx::Surface& picture) {
  picture_ = picture;
  scaled_.reset();
  if (!stretch_) move(left(), top(), picture.width(), picture.height());
  invalidate();
}

void ImageControl::clearPicture() {
  picture_.reset();
  scaled_.reset();
  invalidate();
}

void ImageControl::setStretch(bool s) {
  stretch_ = s;
  scaled_.reset();
  if (!s && picture_) move(left(), top(), picture_->width(), picture_->height());
  invalidate();
}

void ImageControl::setTransparentColor(std::optional<gfx::Color> key) {
  key_ = key;
  invalidate();
}

void ImageControl::paint(Canvas& c) {
  if (!picture_) return;  // an empty image control shows its container
  const gfx::Surface* src = &*picture_;
  if (stretch_ && (picture_->width() != width() || picture_->height() != height())) {
    if (!scaled_) {
      scaled_ = gfx::Surface(width(), height());
      gfx::stretchBlt(*scaled_, 0, 0, width(), height(), *picture_, 0, 0, picture_->width(), picture_->height());
    }
    src = &*scaled_;
  }
  if (key_)
    c.blitKeyed(*src, 0, 0, width(), height(), 0, 0, *key_);
  else
    c.blit(*src, 0, 0, width(), height(), 0, 0);
}

}  // namespace ui
