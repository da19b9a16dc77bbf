// The game's transparent blits: the colour-keyed sprite blit every picture goes through, the
// half-transparent blit of a fallen monster with its mask from the border, and the strip of
// frames that fade a picture to black.
#pragma once

#include <cstdint>

#include "gfx/mask.h"
#include "gfx/surface.h"

// A key colour passed by reference: a caller's variable is read and receives the colour the blit
// settled on; a constant is simply read.
class KeyColorRef {
 public:
  KeyColorRef(int32_t& variable) : variable_(&variable), value_(variable) {}  // NOLINT: by reference
  KeyColorRef(const int32_t& value) : value_(value) {}                        // NOLINT: by value
  int32_t get() const { return value_; }
  void set(int32_t v) {
    value_ = v;
    if (variable_) *variable_ = v;
  }

 private:
  int32_t* variable_ = nullptr;
  int32_t value_;
};

// Draws Src's rectangle (left, top)-(right, bottom), stretched to DestWidth x DestHeight (-1: the
// source's own size), at (DestX, DestY) of Dest. Pixels of KeyColor show Back at the same place
// instead (Back may be Dest). KeyColor -1 takes Src's pixel (0, 0) and hands it back. With Invert
// only the key-coloured pixels are drawn and every other pixel shows Back.
void TransBlt(gfx::Surface& Dest, const gfx::Surface& Back, const gfx::Surface& Src, int32_t left, int32_t top,
              int32_t right, int32_t bottom, int32_t DestX, int32_t DestY, KeyColorRef KeyColor, int32_t DestWidth = -1,
              int32_t DestHeight = -1, bool Invert = false);

// Draws Src's Width x Height area at (SrcX, SrcY) over Dest's at (DestX, DestY) with opacity Alpha
// (255 opaque), leaving out the masked pixels. PlainKey masks the pixels of KeyColor (a system
// colour is translated first); otherwise the mask is FloodMaskFromCorners' and KeyColor receives
// its key.
void AlphaKeyBlt(gfx::Surface& Dest, int32_t DestX, int32_t DestY, int32_t Width, int32_t Height,
                 const gfx::Surface& Src, int32_t SrcX, int32_t SrcY, int32_t Alpha, KeyColorRef KeyColor,
                 bool PlainKey);

// Draws Src's area of Mask's size at (SrcX, SrcY) over Dest's at (DestX, DestY) with opacity
// Alpha (255 opaque), leaving out the pixels Mask sets: AlphaKeyBlt with a mask made once.
void AlphaMaskBlt(gfx::Surface& Dest, int32_t DestX, int32_t DestY, const gfx::Surface& Src, int32_t SrcX, int32_t SrcY,
                  int32_t Alpha, const gfx::Mask& Mask);

// Mask becomes Width x Height, set exactly on the pixels of the area's top-left colour that are
// connected (four ways) to the area's border. Returns that key colour.
int32_t FloodMaskFromCorners(gfx::Mask& Mask, const gfx::Surface& Src, int32_t SrcX, int32_t SrcY, int32_t Width,
                             int32_t Height);

// Turns Picture into Steps + 2 frames of Width x Height side by side: frame 0 the picture's
// top-left image as it was, then that image reduced to the 216-colour cube at full brightness,
// darker in Steps steps down to black in the last frame. Steps below 1 change nothing.
void DibStripBlt(gfx::Surface& Picture, int32_t Width, int32_t Height, int32_t Steps);
