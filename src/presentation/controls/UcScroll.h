// The pixel-step scroller: a back buffer shown through a framed view, into which new content is
// brought one pixel row (or column) at a time with a fixed pause per pixel. The message window
// and the staff roll are built on it.
//
//   UcSc.SetScrollSpeed(sys::Fixed::fromRaw(10));   // 0.001 s per pixel step
//   UcSc.AddBlock(0, 32);                            // 33 one-pixel steps up, paced on sys::clock()
//   UCFt.FontWrite(UcSc.GetMainHdc(), line, 4, 3);   // draw on the visible picture's bottom line
//   UcSc.BackCopy();                                 // ... and keep it in the scrolled content
//   UcSc.Refresh();
//
// Steps block their caller and pump no window events. The control's own image is the visible
// picture. Pictures keep their background colour in the surface's backColor; clearing a picture
// fills it with that colour.
#pragma once

#include <cstdint>
#include <functional>

#include "gfx/surface.h"
#include "sys/number.h"
#include "ui/picture_box.h"
#include "ui/wait.h"

class UcScroll : public ui::PictureBox {
 public:
  void SetScrollSpeed(sys::Fixed wkSpeed) { speed_ = wkSpeed; }
  void SetWaku(int32_t iAmariW, int32_t iAmariH);
  void SetBackSize(int32_t W, int32_t H, int32_t iBlockW = -1);
  void SetBlock(int32_t iBlockW);
  void SetReverse(bool wkReverse) { reverse_ = wkReverse; }
  gfx::Surface& GetMainHdc() { return PicWaku; }
  gfx::Surface& GetBackHdc(int32_t Index = 0);
  int32_t BackHdcCls(int32_t Index = 0);
  int32_t BackCls(int32_t Index = 0);
  int32_t SetBackColor(int32_t Index, int32_t iColor);
  int32_t SetWakuColor(int32_t iColor);
  // Index 0 or 1 becomes the block index (anything else keeps it); size -1 means the block.
  void BackCopy(int32_t Index = -1, int32_t size = -1);
  void AddBlock(int32_t Index, int32_t count);
  void WriteWaku(int32_t X, int32_t Y);
  // Direction 0 up, 1 down, 2 left, 3 right; count -1 means the block.
  void ScrollBlock(int32_t direction, int32_t count);
  // SleepSuper(0) marks the start of a step; any other value waits until that much time has
  // passed since the mark (or since this call when there is none) and clears the mark.
  void SleepSuper(sys::Fixed seconds);
  void SetBackClear();
  // Repaints the visible picture on screen (the next present shows it).
  void Refresh();

  // Runs at every Refresh (each step refreshes): tests watch the scroll here.
  std::function<void()> onRefresh;

  sys::Fixed speed() const { return speed_; }
  int32_t block() const { return block_; }
  int32_t blockIndex() const { return blockIndex_; }
  int32_t viewX() const { return viewX_; }
  int32_t viewY() const { return viewY_; }

  gfx::Surface& PicWaku = surface();  // the visible picture: frame colour around the view
  gfx::Surface PicDummy;              // the back buffer (the scroller's own, not the picture store's)
  gfx::Surface PicOne[2];             // the strips brought in: 0 rows (vertical), 1 columns (horizontal)

 protected:
  friend class ui::Window;
  UcScroll(ui::Window* w, std::string name);
  // The visible picture takes the control's size and the buffers follow.
  void resized() override;

 private:
  void selectBlock(int32_t Index) {
    if (Index == 0 || Index == 1) blockIndex_ = Index;
  }
  static void cls(gfx::Surface& s);

  sys::Fixed speed_;
  int32_t amariW_ = 2, amariH_ = 2;
  int32_t block_ = 32;
  int32_t blockIndex_ = 0;
  bool reverse_ = false;
  int32_t viewX_ = 0, viewY_ = 0;
  ui::PacedWait stepWait_;
};
