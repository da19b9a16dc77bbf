// What the toolkit's own dialogs share: a window centred in the main window with a raised
// edge and a title bar that drags it.
#pragma once

#include <string>

#include "ui/picture_box.h"
#include "ui/window.h"

namespace ui {

constexpr int kTitleHeight = 22;

class DialogFrame {
 public:
  DialogFrame(const std::string& name, const std::string& title, int width, int height);
  Window& window() { return win_; }
  // The background: draw the dialog's own text and pictures into it, below the title bar.
  PictureBox& face() { return *face_; }
  // Repaints the edge and the title bar (after a Cls of the face).
  void drawFrame();

 private:
  Window win_;
  PictureBox* face_;
  std::string title_;
};

}  // namespace ui
