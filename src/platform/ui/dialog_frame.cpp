#include "ui/dialog_frame.h"

#include "gfx/blit.h"
#include "gfx/text.h"
#include "ui/drawn_control.h"
#include "ui/label.h"
#include "ui/toolkit.h"

namespace ui {

DialogFrame::DialogFrame(const std::string& name, const std::string& title, int width, int height)
    : win_(name), title_(title) {
  Window* main = mainWindow();
  int fw = main ? main->width() : 800, fh = main ? main->height() : 600;
  win_.move((fw - width) / 2, (fh - height) / 2, width, height);
  win_.setBackColor(kFaceColor);
  face_ = &win_.add<PictureBox>(name + ".face");
  face_->move(0, 0, width, height);
  face_->setBackColor(kFaceColor);
  face_->TabStop = false;
  // Dragging the title bar moves the dialog inside the main window.
  face_->MouseDown = [this](int button, int, int, int y) {
    if (button == kLeftButton && y < kTitleHeight + 3) DragControl(win_);
  };
  drawFrame();
}

void DialogFrame::drawFrame() {
  gfx::Surface& s = face_->surface();
  gfx::Rect all = s.bounds();
  drawEdge(s, all, false);
  gfx::Rect bar{3, 3, all.right - 3, 3 + kTitleHeight};
  gfx::gradientFill(s, bar, gfx::rgb(0, 0, 128), gfx::rgb(16, 132, 208), gfx::GradientDir::Horizontal);
  gfx::FontRequest f = defaultControlFont();
  f.bold = true;
  s.font = gfx::Font::open(f);
  s.textColor = gfx::kWhite;
  s.transparentText = true;
  gfx::drawText(s, title_, gfx::Rect{bar.left + 6, bar.top, bar.right - 4, bar.bottom},
                gfx::kDtLeft | gfx::kDtVCenter | gfx::kDtSingleLine);
  face_->refresh();
}

}  // namespace ui
