#include "presentation/controls/UcScroll.h"

#include <algorithm>

#include "gfx/blit.h"
#include "sys/clock.h"

namespace {

// Copies one row (or column) of a strip; a row past the strip's extent brings its background.
void copyRow(gfx::Surface& dst, int dy, const gfx::Surface& strip, int sy) {
  if (sy >= 0 && sy < strip.height())
    gfx::bitBlt(dst, 0, dy, dst.width(), 1, strip, 0, sy);
  else
    gfx::fillRect(dst, {0, dy, dst.width(), dy + 1}, strip.backColor);
}

void copyColumn(gfx::Surface& dst, int dx, const gfx::Surface& strip, int sx) {
  if (sx >= 0 && sx < strip.width())
    gfx::bitBlt(dst, dx, 0, 1, dst.height(), strip, sx, 0);
  else
    gfx::fillRect(dst, {dx, 0, dx + 1, dst.height()}, strip.backColor);
}

}  // namespace

UcScroll::UcScroll(ui::Window* w, std::string name) : ui::PictureBox(w, std::move(name)) {
  for (auto* s : {&PicWaku, &PicDummy, &PicOne[0], &PicOne[1]}) s->backColor = gfx::kWhite;
  SetBackSize(600, 400, 32);
  SetWaku(2, 2);
  speed_ = sys::Fixed::fromRaw(40);  // 0.004 s
}

void UcScroll::cls(gfx::Surface& s) { gfx::fillRect(s, s.bounds(), s.backColor); }

void UcScroll::SetWaku(int32_t iAmariW, int32_t iAmariH) {
  amariW_ = iAmariW;
  amariH_ = iAmariH;
}

void UcScroll::SetBackSize(int32_t W, int32_t H, int32_t iBlockW) {
  PicDummy.resize(W, H, PicDummy.backColor);
  PicOne[0].resize(W, PicOne[0].height(), PicOne[0].backColor);
  PicOne[1].resize(PicOne[1].width(), H, PicOne[1].backColor);
  if (iBlockW != -1) SetBlock(iBlockW);
}

void UcScroll::SetBlock(int32_t iBlockW) {
  block_ = iBlockW;
  PicOne[0].resize(PicOne[0].width(), iBlockW, PicOne[0].backColor);
  PicOne[1].resize(iBlockW, PicOne[1].height(), PicOne[1].backColor);
}

gfx::Surface& UcScroll::GetBackHdc(int32_t Index) {
  selectBlock(Index);
  return PicOne[Index == 0 || Index == 1 ? Index : blockIndex_];
}

int32_t UcScroll::BackHdcCls(int32_t Index) {
  selectBlock(Index);
  cls(PicOne[blockIndex_]);
  return 0;
}

int32_t UcScroll::BackCls(int32_t Index) {
  selectBlock(Index);
  cls(PicOne[blockIndex_]);
  if (Index == 2) cls(PicWaku);
  return 0;
}

int32_t UcScroll::SetBackColor(int32_t Index, int32_t iColor) {
  auto c = static_cast<gfx::Color>(iColor) & 0xFFFFFF;
  selectBlock(Index);
  if (Index == 0 || Index == 1) PicOne[Index].backColor = c;
  PicDummy.backColor = c;
  return 0;
}

int32_t UcScroll::SetWakuColor(int32_t iColor) {
  auto c = static_cast<gfx::Color>(iColor) & 0xFFFFFF;
  setBackColor(c);  // a picture's new back colour clears it, as on the platform
  PicWaku.backColor = c;
  return 0;
}

void UcScroll::BackCopy(int32_t Index, int32_t size) {
  selectBlock(Index);
  if (size == -1) size = block_;
  int vw = PicWaku.width(), vh = PicWaku.height(), bh = PicDummy.height();
  if (blockIndex_ == 0 && !reverse_) {
    gfx::bitBlt(PicDummy, 0, bh - size, vw - 2 * amariW_, size, PicWaku, amariW_, vh - size - amariH_);
  } else if (blockIndex_ == 0) {
    gfx::bitBlt(PicDummy, 0, 0, vw, size, PicWaku, amariW_, amariH_);
  } else if (!reverse_) {
    gfx::bitBlt(PicDummy, 0, 0, size, vh, PicWaku, amariW_, amariH_);
  } else {
    gfx::bitBlt(PicDummy, vw - size, 0, size, vh, PicWaku, vw - size - amariW_, amariH_);
  }
}

void UcScroll::AddBlock(int32_t Index, int32_t count) {
  selectBlock(Index);
  if (count == -1) count = block_;
  int bw = PicDummy.width(), bh = PicDummy.height();
  int vw = PicWaku.width(), vh = PicWaku.height();
  for (int32_t step = 0; step <= count; ++step) {
    SleepSuper(0);
    if (blockIndex_ == 0 && !reverse_) {
      gfx::bitBlt(PicDummy, 0, 0, bw, bh - 1, PicDummy, 0, 1);
      copyRow(PicDummy, bh - 1, PicOne[0], step);
      WriteWaku(0, bh - vh);
    } else if (blockIndex_ == 0) {
      gfx::bitBlt(PicDummy, 0, 1, bw, bh - 1, PicDummy, 0, 0);
      copyRow(PicDummy, 0, PicOne[0], PicOne[0].height() - step);
      WriteWaku(0, 0);
    } else if (!reverse_) {
      gfx::bitBlt(PicDummy, 0, 0, bw - 1, bh, PicDummy, 1, 0);
      copyColumn(PicDummy, bw - 1, PicOne[1], step);
      WriteWaku(bw - vw, 0);
    } else {
      gfx::bitBlt(PicDummy, 1, 0, bw - 1, bh, PicDummy, 0, 0);
      copyColumn(PicDummy, 0, PicOne[1], PicOne[1].width() - step);
      WriteWaku(0, 0);
    }
    SleepSuper(speed_);
  }
  cls(PicOne[0]);
  cls(PicOne[1]);
}

void UcScroll::WriteWaku(int32_t X, int32_t Y) {
  viewX_ = X;
  viewY_ = Y;
  gfx::bitBlt(PicWaku, amariW_, amariH_, PicWaku.width() - 2 * amariW_, PicWaku.height() - 2 * amariH_, PicDummy, X, Y);
  Refresh();
}

void UcScroll::ScrollBlock(int32_t direction, int32_t count) {
  if (count == -1) count = block_;
  int maxY = std::max(0, PicDummy.height() - PicWaku.height());
  int maxX = std::max(0, PicDummy.width() - PicWaku.width());
  for (int32_t step = 0; step <= count; ++step) {
    SleepSuper(0);
    switch (direction) {
      case 0: viewY_ = std::clamp(viewY_ - 1, 0, maxY); break;
      case 1: viewY_ = std::clamp(viewY_ + 1, 0, maxY); break;
      case 2: viewX_ = std::clamp(viewX_ - 1, 0, maxX); break;
      case 3: viewX_ = std::clamp(viewX_ + 1, 0, maxX); break;
      default: break;
    }
    WriteWaku(viewX_, viewY_);
    SleepSuper(speed_);
  }
}

void UcScroll::SleepSuper(sys::Fixed seconds) { stepWait_(seconds); }

void UcScroll::SetBackClear() {
  cls(PicWaku);
  cls(PicDummy);
  cls(PicOne[0]);
  cls(PicOne[1]);
  Refresh();
}

void UcScroll::Refresh() {
  refresh();
  if (onRefresh) onRefresh();
}

void UcScroll::resized() {
  ui::PictureBox::resized();
  int w = PicWaku.width(), h = PicWaku.height();
  PicOne[0].resize(w, PicOne[0].height(), PicOne[0].backColor);
  PicOne[1].resize(PicOne[1].width(), h, PicOne[1].backColor);
  PicDummy.resize(w, h, PicDummy.backColor);
  Refresh();
}
