#include "ui/picture_box.h"

#include "gfx/blit.h"

namespace ui {

PictureBox::PictureBox(Window* w, std::string name) : Control(w, std::move(name)) {
  image_ = gfx::Surface(width(), height(), backColor());
}

void PictureBox::resized() { image_.resize(width(), height(), backColor()); }

void PictureBox::Cls() {
  gfx::fillRect(image_, image_.bounds(), backColor());
  if (picture_) gfx::bitBlt(image_, 0, 0, picture_->width(), picture_->height(), &*picture_, 0, 0);
  refresh();
}

void PictureBox::setPicture(const gfx::Surface& picture) {
  picture_ = picture;
  if (AutoSize) move(left(), top(), picture.width(), picture.height());
  Cls();
}

void PictureBox::clearPicture() {
  picture_.reset();
  Cls();
}

void PictureBox::setBackColor(gfx::Color c) {
  Control::setBackColor(c);
  Cls();
}

void PictureBox::paint(Canvas& c) { c.blit(image_, 0, 0, image_.width(), image_.height(), 0, 0); }

}  // namespace ui
